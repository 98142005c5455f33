#pragma once
// The operator of a controller without a window (kavro --headless). Nobody is at a screen, so
// every message becomes one time-stamped line (standard error and the events file) and every
// question is answered by a fixed rule:
// - "Link Status is OFF, Turn it ON?" follows the link restart option (RESTART I/F): a plant
//   that asks for its link to come back by itself gets it switched on;
// - the two File > Exit questions are answered Yes once a stop signal asked for the end, and
//   No before;
// - every other Yes/No question is answered No, OK/Cancel Cancel, and input boxes are
//   cancelled: the controller changes and writes nothing on an absent operator's account.
#include <functional>
#include <string>

#include "model/Controller.h"

namespace kavro {

class HeadlessOperator : public Operator {
 public:
  // say receives each line as it is to be written.
  HeadlessOperator(Controller& controller, std::function<void(const std::string&)> say);

  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons) override;
  std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                      const std::string& initial) override;

  // A stop signal came: File > Exit's questions are answered Yes from now on.
  void ConfirmExit() { exitConfirmed_ = true; }

 private:
  MsgAnswer Answer(const std::string& text, MsgButtons buttons) const;
  Controller& controller_;
  std::function<void(const std::string&)> say_;
  bool exitConfirmed_ = false;
};

// A message as one line: its line breaks shown as " / ".
std::string OneLine(const std::string& text);

}  // namespace kavro
