#pragma once
// Where the link joins the rest of the controller: its steps of the control cycle and of
// start-up. app/ (and the integration tests) call these when they wire a controller.
#include "engine/CycleSteps.h"
#include "engine/Startup.h"
#include "model/Controller.h"

namespace kavro {

// readLink: ReadLinkInput. writeLink: WriteLinkOutput, then the auto-restart supervision.
void FillLinkCycleSteps(CycleSteps& steps);

// deleteStaleLinkOutput and autoStartLink below.
void FillLinkStartupSteps(StartupSteps& steps);

// Deletes WorkDir/Name1.OUT left from an earlier run; a Name1 unfit for a path is skipped.
void DeleteStaleLinkOutput(Controller& controller);

// With the auto-restart option YES and a link client program named in the configuration,
// switches the file link on without asking (problems are shown as at a manual switch-on).
void AutoStartLink(Controller& controller);

}  // namespace kavro
