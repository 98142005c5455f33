#pragma once
// The "&Script" menu's execute toggles and the status frame's script indicators.
#include "model/Controller.h"
#include "scripting/host/ScriptHost.h"

namespace kavro {

// Shows a script's switch: the menu item's check mark, and its indicator green when ON and in
// OffColour when OFF.
void ShowScriptSwitch(WindowState& window, ScriptKind kind, bool on);

// mnuPreProcessExe / mnuPostProcessExe: flips the script's switch from its menu check mark and
// shows it; switching the post-process script OFF blanks both script-adjustment cells. The
// file is not written, so the operator is told to save the script to keep the choice.
void ToggleScriptExecute(Controller& controller, ScriptHost& host, ScriptKind kind);
void mnuPreProcessExe(Controller& controller, ScriptHost& host);
void mnuPostProcessExe(Controller& controller, ScriptHost& host);

}  // namespace kavro
