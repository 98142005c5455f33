#include "TestHost.h"

#include <gtest/gtest.h>

#include "scripting/vbs/Conversions.h"

namespace kavro::vbs::test {

int RecordingUi::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  *log += "MsgBox[" + title + "," + std::to_string(buttons) + "]: " + prompt + "\n";
  return msgBoxAnswer;
}

std::string RecordingUi::InputBox(const std::string& prompt, const std::string& title,
                                  const std::string& defaultText) {
  *log += "InputBox[" + title + "," + defaultText + "]: " + prompt + "\n";
  if (inputs.empty()) return {};
  std::string answer = inputs.front();
  inputs.pop_front();
  return answer;
}

TestEngine::TestEngine() {
  ui.log = &log;
  engine.SetLanguage("VBScript");
  engine.SetUi(&ui);
  auto console = std::make_shared<HostObject>("Console");
  console->AddProcedure("Echo", [this](HostArgs args) {
    std::string line;
    for (size_t i = 0; i < args.size(); ++i) {
      if (i > 0) line += ' ';
      Variant scratch;
      const Variant& value = PlainValue(*args[i], scratch);  // Err shows its number
      if (value.IsNull()) {
        line += "Null";
      } else if (value.IsArray() || value.IsObject()) {
        line += '<';
        line += std::to_string(static_cast<int>(value.Type()));
        line += '>';
      } else {
        AppendText(line, value);
      }
    }
    log += line + "\n";
  });
  engine.AddObject("console", console);
}

std::string TestEngine::Run(const std::string& text) {
  try {
    engine.AddCode(text);
  } catch (const ScriptError& e) {
    log += "Error " + std::to_string(e.Number()) + ": " + e.Message() + " (line " +
           std::to_string(e.Line()) + ")\n";
  }
  return log;
}

void ExpectOutputs(const std::vector<ScriptCase>& cases) {
  for (const ScriptCase& c : cases) {
    TestEngine t;
    EXPECT_EQ(t.Run(c.code), c.output) << c.code;
  }
}

}  // namespace kavro::vbs::test
