#pragma once
// The rolling history of every named variable and its three slopes, once per cycle.
#include "model/ControllerModel.h"

namespace kavro {

// History slot k of a table; a slot outside the table's declared bounds (0..202) throws
// KavroError 9 "Subscript out of range", so a look-back computed from a bad setting is reported
// instead of reading past the table.
// Inline: read a dozen times a cycle.
[[noreturn]] void ThrowHistorySubscript();
inline float HistorySample(const HistoryTable& history, int slot) {
  if (slot < 0 || slot >= static_cast<int>(history.size())) ThrowHistorySubscript();
  return history[static_cast<size_t>(slot)];
}

// Counts the cycle in HistCount, records PVIN of every named input and output and the time of
// the sample (shifting the oldest sample out once 200 are held) and recomputes the slopes that
// have enough history.
void UpdateHistoryAndSlopes(ControllerModel& model, const DateTime& now = {});

}  // namespace kavro
