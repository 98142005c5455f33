#pragma once
// The controller settings panel (frameConfig2) as the operator types into it: its OK (cmdOK2)
// stores the boxes into the model, and leaving the run-frequency box checks it at once. What
// the panel shows when it opens is display/'s.
#include <cstdint>
#include <string>

#include "edit/AuditTrail.h"
#include "edit/EditState.h"
#include "model/Controller.h"

namespace kavro {

// A frequency as the panel's boxes show it ("##0").
std::string SettingsFrequencyText(int16_t seconds);

// The days of plant history kept now: what start-up read, or the working folder's setting
// before start-up.
int HistoryDaysKept(const ControllerModel& model);

// cmdOK2. Every entry is checked first; at the first entry refused the operator is told why
// and nothing at all is stored, the entries staying as typed. Only when all pass is the whole
// panel stored and each changed field recorded in the audit trail; the caller then closes the
// panel. Refused: a run frequency that is not a number or below 10 s, a controller name
// that is blank or cannot name the link files, a link client program name that would leave the
// working folder, a link frequency that is not a number or below 5 s, and a link frequency not
// at least 5 s faster than the run frequency, and, while the link is on and DCSRunFreq is set,
// a run frequency other than the one the panel opened with (the DCS supplies it; an untouched box
// keeps the DCS's present value). Returns whether the panel was stored.
bool ApplyControllerSettings(Controller& controller, ControllerSettingsPanel& panel,
                             AuditTrail& audit);

// Leaving Text1(index); only the run-frequency box (index 1) is checked: a number below 10 or
// a text that is not a number is answered with a message and replaced by the present
// RunFrequency. The box is rewritten as "##0" and ChangesPending set; the model's
// RunFrequency is not changed here.
void CheckRunFrequencyBox(Controller& controller, ControllerSettingsPanel& panel, int index);

}  // namespace kavro
