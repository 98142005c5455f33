#include "edit/EditMessage.h"

namespace kavro {

namespace {

class CycleHoldGuard {
 public:
  explicit CycleHoldGuard(bool& hold) : hold_(hold), before_(hold) { hold_ = true; }
  ~CycleHoldGuard() { hold_ = before_; }
  CycleHoldGuard(const CycleHoldGuard&) = delete;
  CycleHoldGuard& operator=(const CycleHoldGuard&) = delete;

 private:
  bool& hold_;
  bool before_;
};

}  // namespace

MsgAnswer ShowEditMessage(Controller& controller, const std::string& text, const std::string& title,
                          MsgIcon icon, MsgButtons buttons) {
  CycleHoldGuard hold(controller.model.CycleHold);
  return controller.ports.op->MessageBox(text, title, icon, buttons);
}

void ShowScreenLocked(Controller& controller) {
  ShowEditMessage(controller, kScreenLockedMessage, controller.model.ProductName,
                  MsgIcon::Information);
}

}  // namespace kavro
