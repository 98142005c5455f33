#include "scripting/host/ScriptDialogs.h"

#include "scripting/vbs/DateMath.h"

namespace kavro {
namespace {

// The language's MsgBox numbers.
constexpr int kVbOKCancel = 1, kVbAbortRetryIgnore = 2, kVbYesNoCancel = 3, kVbYesNo = 4,
              kVbRetryCancel = 5;
constexpr int kVbCritical = 16, kVbQuestion = 32, kVbExclamation = 48, kVbInformation = 64;
constexpr int kVbOK = 1, kVbCancel = 2, kVbYes = 6, kVbNo = 7;

MsgButtons ButtonsOf(int buttons) {
  switch (buttons & 0x0F) {
    case kVbOKCancel:
    case kVbAbortRetryIgnore:
    case kVbRetryCancel:
      return MsgButtons::OKCancel;
    case kVbYesNoCancel:
    case kVbYesNo:
      return MsgButtons::YesNo;
    default:
      return MsgButtons::OK;
  }
}

MsgIcon IconOf(int buttons) {
  switch (buttons & 0x70) {
    case kVbCritical:
      return MsgIcon::Critical;
    case kVbQuestion:
      return MsgIcon::Question;
    case kVbExclamation:
      return MsgIcon::Exclamation;
    case kVbInformation:
      return MsgIcon::Information;
    default:
      return MsgIcon::None;
  }
}

int AnswerNumber(MsgAnswer answer) {
  switch (answer) {
    case MsgAnswer::Cancel:
      return kVbCancel;
    case MsgAnswer::Yes:
      return kVbYes;
    case MsgAnswer::No:
      return kVbNo;
    case MsgAnswer::OK:
      break;
  }
  return kVbOK;
}

}  // namespace

int OperatorScriptUi::MsgBox(const std::string& prompt, int buttons, const std::string& title) {
  return AnswerNumber(
      controller_.ports.op->MessageBox(prompt, title, IconOf(buttons), ButtonsOf(buttons)));
}

std::string OperatorScriptUi::InputBox(const std::string& prompt, const std::string& title,
                                       const std::string& defaultText) {
  return controller_.ports.op->InputBox(prompt, title, defaultText).value_or(std::string());
}

double OperatorScriptUi::Now() {
  // Without a clock of its own the script reads the system's.
  Clock& clock = controller_.ports.clock.get();
  if (!clock.Runs()) return vbs::ScriptUi::Now();
  const DateTime now = clock.Now();
  return vbs::SerialFromDate(now.year, now.month, now.day) +
         vbs::SerialFromTime(now.hour, now.minute, now.second);
}

}  // namespace kavro
