#include "session/SignalStop.h"

#include "engine/RunTimeError.h"
#include "session/MenuCommands.h"
#include "session/ProgramStart.h"

namespace kavro {

void StopBySignal(ControllerSession& session, HeadlessOperator& op, SignalStopSteps steps) {
  session.Submit(CommandKind::Changes, [&session, &op, steps = std::move(steps)] {
    Controller& controller = session.controller();
    op.ConfirmExit();
    RunMenuCommand(controller, session.commands(), "mnuExit");
    if (steps.afterExit) steps.afterExit();
    if (!controller.model.ExitRequested) return;
    controller.ports.timer->Stop();
    if (steps.say) {
      steps.say(NowText(controller) + " " + controller.model.ProductName + ": ended by signal");
    }
    if (steps.ended) steps.ended(kExitEnded);
  });
}

}  // namespace kavro
