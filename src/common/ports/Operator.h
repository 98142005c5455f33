#pragma once
// The operator at the screen: modal message boxes and input boxes. The window answers with
// dialogs; tests answer from a script and keep a log of what was shown.
#include <optional>
#include <string>

namespace kavro {

enum class MsgIcon { None, Information, Exclamation, Question, Critical };
// YesNoDefaultNo: a question whose Yes must never come from a stray Enter (ending control).
enum class MsgButtons { OK, OKCancel, YesNo, YesNoDefaultNo };
enum class MsgAnswer { OK, Cancel, Yes, No };

inline bool AsksYesOrNo(MsgButtons buttons) {
  return buttons == MsgButtons::YesNo || buttons == MsgButtons::YesNoDefaultNo;
}

class Operator {
 public:
  virtual ~Operator() = default;
  virtual MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                               MsgButtons buttons) = 0;
  // Nothing when the operator cancels.
  virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                              const std::string& initial) = 0;
};

// Stands in where nobody sits at a screen (a controller wired without a window): a message box
// is dropped and closes with OK whatever its buttons, so a script's MsgBox gets vbOK and a Yes/No
// question is never answered Yes; an input box is cancelled.
Operator& NoOperator();

}  // namespace kavro
