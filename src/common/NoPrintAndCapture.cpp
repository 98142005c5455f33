#include "common/ports/PrintAndCapture.h"

namespace kavro {

namespace {

constexpr const char* kNone = "no printer or screen is available";

class NoPrinterOrScreen : public PrintAndCapture {
 public:
  void SetBusyPointer(bool) override {}
  std::optional<int> PrinterSetup() override { return std::nullopt; }
  bool BeginPrint(std::string& error) override { return Refuse(error); }
  bool PrintWindowPage(std::string& error) override { return Refuse(error); }
  bool EndPrint(std::string& error) override { return Refuse(error); }
  void AbortPrint() override {}
  std::optional<ScreenPicture> GrabScreen(std::string& error) override {
    Refuse(error);
    return std::nullopt;
  }

 private:
  static bool Refuse(std::string& error) {
    error = kNone;
    return false;
  }
};

}  // namespace

PrintAndCapture& NoPrintAndCapture() {
  static NoPrinterOrScreen none;
  return none;
}

}  // namespace kavro
