#pragma once
// Output move limits: after an output has really moved by more than Max_Change within
// Change_Time, further moves in that direction are blocked for Wait_Change and the value sent
// is held at the output's present value.
#include <cstdint>
#include <optional>
#include <string>

#include "engine/EngineMemo.h"
#include "model/ControllerModel.h"

namespace kavro {

// Change_Time in cycles: Change_Time x 60 / (RunFrequency + 0.01), halves to even; the 0.01
// keeps the division defined for a zero run frequency. Beyond 16 bits throws 6 "Overflow".
int16_t ChangeLag(const PVarOutRecord& output, int16_t runFrequency);

// Wait_Change in cycles, single precision; compared after rounding halves to even.
float WaitCycles(const PVarOutRecord& output, int16_t runFrequency);

// The three passes over the outputs: release blocks whose wait is over, set blocks for fast
// moves, hold values that move in a blocked direction. A failure ends the passes and comes back
// as the report's three lines ("At error location = Override : " + step 1..7); outputs not yet
// handled keep their state of the previous cycle.
std::optional<std::string> ApplyMoveLimits(ControllerModel& model);
// The same, taking the number of each ValueOut that defuzzification wrote from the memo.
std::optional<std::string> ApplyMoveLimits(ControllerModel& model, const EngineMemo& memo);

}  // namespace kavro
