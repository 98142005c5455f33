#pragma once
// The console stand-in for the operator: message boxes and Echo print to standard output,
// input boxes read a line from standard input.
#include <iosfwd>
#include <memory>

#include "scripting/vbs/ScriptEngine.h"

namespace kavro::script {

class ConsoleUi : public vbs::ScriptUi {
 public:
  ConsoleUi(std::ostream& out, std::istream& in) : out_(out), in_(in) {}
  int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;

 private:
  std::ostream& out_;
  std::istream& in_;
};

// An object whose one member, Echo, prints its arguments separated by blanks and a line end.
std::shared_ptr<vbs::HostObject> MakeConsoleObject(std::ostream& out);

}  // namespace kavro::script
