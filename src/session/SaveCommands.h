#pragma once
// File / Save and the save-mode menu item.
#include "model/Controller.h"

namespace kavro {

// Takes the rule table from the main grid, writes FLC.dat, clears ChangesPending (only when the
// file was written: a failed save leaves the changes pending).
void mnuSave(Controller& controller);

// Toggles the save-mode check mark and tells the operator what it means.
void mnuSaveMode(Controller& controller);

}  // namespace kavro
