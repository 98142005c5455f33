#pragma once
// The rolling history of every named variable and its three slopes, once per cycle.
#include "model/ControllerModel.h"

namespace kavro {

// History slot k of a table; a slot outside the table's declared bounds (0..202) throws
// KavroError 9 "Subscript out of range", so a look-back computed from a bad setting is reported
// instead of reading past the table.
float HistorySample(const HistoryTable& history, int slot);

// Counts the cycle in HistCount, records PVIN of every named input and output (shifting the
// oldest sample out once 200 are held) and recomputes the slopes that have enough history.
void UpdateHistoryAndSlopes(ControllerModel& model);

}  // namespace kavro
