#pragma once
// OKAY on the controller settings panel, as the window runs it.
#include "edit/AuditTrail.h"
#include "edit/ControllerSettings.h"
#include "model/Controller.h"

namespace kavro {

// Stores the panel as ApplyControllerSettings does; once stored, a new Program_Interface may
// change the kind of link Debug Link serves, so the menu shows whether it can open. Returns
// whether the panel was stored.
bool AcceptControllerSettings(Controller& controller, ControllerSettingsPanel& panel,
                              AuditTrail& audit);

}  // namespace kavro
