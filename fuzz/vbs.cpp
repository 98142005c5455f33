// Fuzz target: script text through the parser, the resolver and the evaluator, run once as
// added code and once more as a cycle's statement block, with a host object taking arguments
// by reference. Tight limits keep each input fast; any crash, leak or undefined behaviour is
// a finding.
#include <cstddef>
#include <cstdint>
#include <string>

#include "scripting/vbs/Conversions.h"
#include "scripting/vbs/ScriptEngine.h"

namespace {

class SilentUi : public kavro::vbs::ScriptUi {
 public:
  int MsgBox(const std::string&, int, const std::string&) override { return 1; }
  std::string InputBox(const std::string&, const std::string&, const std::string& d) override {
    return d;
  }
  double Now() override { return 46361.75; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace kavro::vbs;
  if (size > 8192) return 0;
  const std::string text(reinterpret_cast<const char*>(data), size);
  SilentUi ui;
  ScriptEngine engine;
  engine.SetLanguage("VBScript");
  engine.SetUi(&ui);
  ScriptLimits limits;
  limits.maxStringLength = 1 << 16;
  limits.maxArrayElements = 1 << 14;
  limits.memoryBudget = 8u << 20;
  engine.SetLimits(limits);
  engine.SetTimeLimit(200);
  auto share = std::make_shared<HostObject>("Controller");
  share->AddProcedure("GET_INPVIN", [](HostArgs args) {
    if (args.size() != 3) throw ScriptError(err::WrongArgCount);
    const double ix = ToDouble(*args[0]);
    if (ix < 1 || ix > 6) {
      *args[2] = Variant::Integer(1);
      return;
    }
    *args[1] = Variant::Single(12.5f);
    *args[2] = Variant::Integer(0);
  });
  share->AddProcedure("Echo", [](HostArgs args) {
    std::string line;
    for (Variant* a : args) {
      if (!a->IsArray() && !a->IsObject()) AppendText(line, *a);
    }
  });
  engine.AddObject("share", share);
  try {
    engine.AddCode(text);
    engine.ExecuteStatement(text);
  } catch (const ScriptError&) {
  }
  return 0;
}
