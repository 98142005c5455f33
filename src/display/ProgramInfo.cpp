#include "display/ProgramInfo.h"

namespace kavro {

namespace {
constexpr const char* kCRLF = "\r\n";
}

std::string VersionNumber() {
  return std::to_string(KAVRO_VERSION_MAJOR) + "." + std::to_string(KAVRO_VERSION_MINOR) + "." +
         std::to_string(KAVRO_VERSION_PATCH);
}

std::string InfoBoxTitle(const std::string& productName) {
  return productName + ": Multivariable Fuzzy Logic Controller";
}

std::string AboutText() {
  std::string text = "Kavro, Version " + VersionNumber();
  for (const char* line : {"", kMakerName, "", kMakerAddress1, kMakerAddress2, kMakerTelephone,
                           kMakerEmail}) {
    text += kCRLF;
    text += line;
  }
  return text;
}

std::string ErrorCodeListText() {
  static constexpr const char* kLines[] = {
      "Error Codes:",
      "   1 = File Read Error (Critical)",
      "   2 = File Write Error(Critical)",
      "",
      "  -1 = Time Out On OutPut 1 Increase",
      " -10 = Time Out On OutPut 2 Increase",
      " -11 = Time Out On OutPut 1 & 2 Increases",
      "  -2 = Time Out On OutPut 1 Decrease",
      " -20 = Time Out On OutPut 2 Decrease",
      " -22 = Time Out On OutPut 1 & 2 Decreases",
      "",
      " -90 = Output To FILE"};
  std::string text;
  for (const char* line : kLines) {
    text += line;
    text += kCRLF;
  }
  return text;
}

}  // namespace kavro
