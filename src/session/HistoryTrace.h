#pragma once
// Recorded cycles as a replay trace: what would the configuration of today have done with last
// night's plant? Each variable in use now takes the process value and limits recorded in its
// slot, under the name it has now.
#include <cstdint>
#include <string>

#include "history/HistoryReader.h"
#include "model/ControllerModel.h"

namespace kavro {

// The trace text (header "NAME,NAME.High,NAME.Low,...", one row per recorded cycle of
// [from, to], "." decimals); rows counts the cycles.
std::string HistoryTraceText(const ControllerModel& model, HistoryReader& reader,
                             std::int64_t from, std::int64_t to, long* rows = nullptr);

}  // namespace kavro
