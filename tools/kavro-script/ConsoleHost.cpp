#include "ConsoleHost.h"

#include <istream>
#include <ostream>

#include "scripting/vbs/Conversions.h"

namespace kavro::script {

int ConsoleUi::MsgBox(const std::string& prompt, int buttons, const std::string&) {
  out_ << prompt << '\n';
  // Questions get the first answer of their button set, as pressing Enter would.
  switch (buttons & 7) {
    case 2:
      return 3;  // vbAbort
    case 3:
    case 4:
      return 6;  // vbYes
    case 5:
      return 4;  // vbRetry
    default:
      return 1;  // vbOK
  }
}

std::string ConsoleUi::InputBox(const std::string& prompt, const std::string&,
                                const std::string& defaultText) {
  out_ << prompt << '\n';
  std::string line;
  if (!std::getline(in_, line)) return defaultText;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::shared_ptr<vbs::HostObject> MakeConsoleObject(std::ostream& out) {
  auto console = std::make_shared<vbs::HostObject>("Console");
  console->AddProcedure("Echo", [&out](vbs::HostArgs args) {
    std::string line;
    for (size_t i = 0; i < args.size(); ++i) {
      if (i > 0) line += ' ';
      if (args[i]->IsNull()) {
        line += "Null";
      } else {
        vbs::AppendText(line, *args[i]);
      }
    }
    out << line << '\n';
  });
  return console;
}

}  // namespace kavro::script
