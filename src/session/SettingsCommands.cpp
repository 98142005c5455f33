#include "session/SettingsCommands.h"

#include "display/StatusFrame.h"

namespace kavro {

bool AcceptControllerSettings(Controller& controller, ControllerSettingsPanel& panel,
                              AuditTrail& audit) {
  if (!ApplyControllerSettings(controller, panel, audit)) return false;
  ShowDebugLinkItem(controller);
  return true;
}

}  // namespace kavro
