#include "session/GuardedCall.h"

#include <exception>

#include "common/KavroError.h"
#include "engine/FailureText.h"

namespace kavro {
namespace {

void Report(Controller& controller, const std::string& text) noexcept {
  try {
    controller.ports.op->MessageBox(text, controller.model.ProductName, MsgIcon::Critical,
                                    MsgButtons::OK);
  } catch (...) {
    // Showing the failure failed as well (no memory for the box): the window's event loop is
    // the only place left to go, and an exception there ends the program. Control goes on.
  }
}

}  // namespace

bool RunGuarded(Controller& controller, const std::function<void()>& call) {
  try {
    call();
    return true;
  } catch (const std::exception& failure) {
    Report(controller, FailureText(failure));
  } catch (...) {
    Report(controller, FailureText(KavroError(errors::kInternal, errors::kInternalText)));
  }
  return false;
}

}  // namespace kavro
