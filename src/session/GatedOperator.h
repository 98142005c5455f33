#pragma once
// The operator as the session's commands and cycles reach it: every message and input box is
// a wait for the operator's answer, during which the gate lets the control cycle run on.
#include "common/ports/Operator.h"
#include "session/CommandGate.h"

namespace kavro {

class GatedOperator : public Operator {
 public:
  GatedOperator(CommandGate& gate, Operator& answering) : gate_(gate), answering_(&answering) {}
  void AnswerBy(Operator& answering) { answering_ = &answering; }
  Operator& answering() const { return *answering_; }

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons) override {
    CommandGate::OperatorWait waiting(gate_);
    return answering_->MessageBox(text, title, icon, buttons);
  }
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& initial) override {
    CommandGate::OperatorWait waiting(gate_);
    return answering_->InputBox(prompt, title, initial);
  }

 private:
  CommandGate& gate_;
  Operator* answering_;
};

}  // namespace kavro
