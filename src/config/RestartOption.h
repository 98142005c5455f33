#pragma once
// The link's auto-restart option is saved on its own: changing it writes FLC.dat as it is on
// disk with only its "RESTART I/F" line set, so edits the operator has not saved stay unsaved
// (File > Save, or leaving them, remains the operator's choice).
#include <string>
#include <string_view>

#include "model/Controller.h"

namespace kavro {

// The bytes of an FLC.dat with its first top-level "RESTART I/F" line (before the first block)
// set to restart; without one, the line goes in before the first block (or at the end). Every
// other byte, line ends included, stays as it was.
std::string WithRestartOption(std::string_view bytes, bool restart);

// Writes the model's RestartInterface into FLC.dat that way, atomically. With no FLC.dat yet,
// the whole configuration is written as File > Save would. A failure is reported as WriteConfig
// reports it and leaves FLC.dat as it was. Returns success.
bool WriteRestartOption(Controller& controller);

}  // namespace kavro
