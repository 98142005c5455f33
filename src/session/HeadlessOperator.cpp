#include "session/HeadlessOperator.h"

#include "engine/RunTimeError.h"

namespace kavro {
namespace {

constexpr const char* kLinkOnQuestion = "Link Status is OFF, Turn it ON?";
constexpr const char* kUnsavedQuestion = "Any Changes Made Will Not Be Saved - Continue?";
constexpr const char* kEndQuestion = "Please Confirm - End Control";

const char* AnswerText(MsgAnswer answer) {
  switch (answer) {
    case MsgAnswer::OK: return "OK";
    case MsgAnswer::Cancel: return "Cancel";
    case MsgAnswer::Yes: return "Yes";
    case MsgAnswer::No: return "No";
  }
  return "";
}

}  // namespace

std::string OneLine(const std::string& text) {
  std::string line;
  line.reserve(text.size());
  for (std::size_t k = 0; k < text.size(); ++k) {
    const char c = text[k];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && k + 1 < text.size() && text[k + 1] == '\n') ++k;
      line += " / ";
    } else {
      line += c;
    }
  }
  return line;
}

HeadlessOperator::HeadlessOperator(Controller& controller,
                                   std::function<void(const std::string&)> say)
    : controller_(controller), say_(std::move(say)) {}

MsgAnswer HeadlessOperator::Answer(const std::string& text, MsgButtons buttons) const {
  switch (buttons) {
    case MsgButtons::OK: return MsgAnswer::OK;
    case MsgButtons::OKCancel: return MsgAnswer::Cancel;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoDefaultNo: break;
  }
  if (text == kLinkOnQuestion) {
    return controller_.model.RestartInterface ? MsgAnswer::Yes : MsgAnswer::No;
  }
  if (text == kUnsavedQuestion || text == kEndQuestion) {
    return exitConfirmed_ ? MsgAnswer::Yes : MsgAnswer::No;
  }
  return MsgAnswer::No;
}

MsgAnswer HeadlessOperator::MessageBox(const std::string& text, const std::string& title, MsgIcon,
                                       MsgButtons buttons) {
  const MsgAnswer answer = Answer(text, buttons);
  std::string line = NowText(controller_) + " " + title + ": " + OneLine(text);
  if (buttons != MsgButtons::OK) line += std::string(" -> ") + AnswerText(answer);
  say_(line);
  return answer;
}

std::optional<std::string> HeadlessOperator::InputBox(const std::string& prompt,
                                                      const std::string& title,
                                                      const std::string&) {
  say_(NowText(controller_) + " " + title + ": " + OneLine(prompt) + " -> Cancel");
  return std::nullopt;
}

}  // namespace kavro
