#pragma once
// The status frame's labels, drawn from the facts they stand for: lblMode (the output mode),
// lblLink (the link state), lblPreScript and lblPostScript (the script switches), with the
// &Script menu's check marks and whether Debug Link can be opened, which go with them. Nothing
// reads these labels back: whoever needs a fact asks the model.
#include "model/Controller.h"

namespace kavro {

// "To DCS" on light green or "To File" on the off colour; "Link ON" on light green or
// "Link OFF" on light red; each script label light green while its script is on, else the off
// colour; Debug Link as DebugLinkCanOpen says.
void ShowStatusFrame(Controller& controller);

}  // namespace kavro
