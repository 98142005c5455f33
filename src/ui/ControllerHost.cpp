#include "ui/ControllerHost.h"

#include "session/GuardedCall.h"
#include "ui/FLControl.h"
#include "ui/RuleBaseViews.h"
#include "ui/ScriptEditorWindow.h"

namespace kavro::ui {

ControllerHost::ControllerHost()
    : built_(controller_, WindowParts()), session_(built_.session()) {
  session_.commands()["mnuPreProcess"] = [this](Controller&) {
    OpenScriptEditor(ScriptKind::Pre);
  };
  session_.commands()["mnuPostProcess"] = [this](Controller&) {
    OpenScriptEditor(ScriptKind::Post);
  };
  window_ = std::make_unique<FLControl>(session_);
  views_ = std::make_unique<RuleBaseViews>(
      controller_, session_.commands(), window_.get(), [this](std::function<void()> call) {
        session_.Submit(CommandKind::Looks, [this, call = std::move(call)] {
          RunGuarded(controller_, call);
          window_->Render();
        });
      });
  operator_.SetParent(window_.get());
  printing_.SetWindow(window_.get());

  timer_.onTick = [this] { RunCycle(); };
  connect(window_.get(), &FLControl::ExitConfirmed, this, [this] {
    controller_.ports.timer->Stop();
    emit Ended();
  });
}

ControllerParts ControllerHost::WindowParts() {
  ControllerParts parts;
  parts.op = &operator_;
  parts.clock = &clock_;
  parts.events = &pump_;
  parts.timer = &timer_;
  parts.processes = &processes_;
  parts.clipboard = &clipboard_;
  parts.printing = &printing_;
  parts.session.layoutWindow = [this](Controller&) { window_->LayoutForScreen(); };
  // Drawn after every cycle, also one that ran late because a command was changing things.
  parts.afterEveryCycle.push_back([this](Controller&) {
    window_->Render();
    views_->Refresh();
  });
  return parts;
}

ControllerHost::~ControllerHost() {
  timer_.Stop();
  // The editor holds on to the controller: it goes first.
  delete scriptEditor_.data();
}

ScriptEditorWindow* ControllerHost::scriptEditor() { return scriptEditor_.data(); }

void ControllerHost::OpenScriptEditor(ScriptKind kind) {
  if (scriptEditor_) {
    scriptEditor_->raise();
    return;
  }
  scriptEditor_ =
      new ScriptEditorWindow(controller_, session_.scriptHost(), kind, session_.gate());
  // Modal to the whole program but shown without waiting: the other windows are out of the
  // user's reach while Timer1 runs on, and the message boxes of a save open above the editor.
  scriptEditor_->setWindowModality(Qt::ApplicationModal);
  connect(scriptEditor_.data(), &ScriptEditorWindow::Saved, this, [this] { window_->Render(); });
  connect(scriptEditor_.data(), &ScriptEditorWindow::Closed, this, [this] {
    window_->Render();
    // Closed comes from inside the window's close event: it goes once that is over.
    ScriptEditorWindow* closing = scriptEditor_.data();
    scriptEditor_ = nullptr;
    if (closing) closing->deleteLater();
  });
  scriptEditor_->show();
  scriptEditor_->activateWindow();
}

bool ControllerHost::Start(const std::string& workDir) {
  // A second controller in the folder says so and ends before it touches any file.
  if (const auto refusal = session_.ClaimWorkDir(workDir)) {
    operator_.MessageBox(*refusal, "Kavro", MsgIcon::Critical, MsgButtons::OK);
    return false;
  }
  // Start-up passes over the failures of its later steps itself; anything else that fails is
  // shown, and the window still comes up so that the operator can act on it.
  RunGuarded(controller_, [&] {
    session_.Start(workDir);
    window_->Render();
  });
  window_->show();
  return true;
}

void ControllerHost::RunCycle() {
  RunGuarded(controller_, [this] { session_.RunCycle(); });
}

}  // namespace kavro::ui
