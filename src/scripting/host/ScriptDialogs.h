#pragma once
// What a script's MsgBox, InputBox and Now reach: the controller's operator and clock ports.
#include "model/Controller.h"
#include "scripting/vbs/ScriptEngine.h"

namespace kavro {

class OperatorScriptUi final : public vbs::ScriptUi {
 public:
  explicit OperatorScriptUi(Controller& controller) : controller_(controller) {}
  // Buttons beyond OK, OK/Cancel and Yes/No show the nearest of those three.
  int MsgBox(const std::string& prompt, int buttons, const std::string& title) override;
  std::string InputBox(const std::string& prompt, const std::string& title,
                       const std::string& defaultText) override;
  double Now() override;

 private:
  Controller& controller_;
};

}  // namespace kavro
