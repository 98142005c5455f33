#pragma once
// The "&Script" menu's execute toggles.
#include "model/Controller.h"
#include "scripting/host/ScriptHost.h"

namespace kavro {

// mnuPreProcessExe / mnuPostProcessExe: flips the script's switch and shows it (the menu's
// check mark and the status frame's indicator follow the switch); switching the post-process
// script OFF blanks both script-adjustment cells. The file is not written, so the operator is
// told to save the script to keep the choice.
void ToggleScriptExecute(Controller& controller, ScriptHost& host, ScriptKind kind);

}  // namespace kavro
