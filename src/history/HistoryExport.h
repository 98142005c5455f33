#pragma once
// The plant history as CSV: a header naming every column, then one row per cycle, or with an
// interval one row per interval holding the averages of its cycles (a flag's average is the
// share of the interval it was set). Variables are those in use in the newest configuration of
// the span, named as it names them.
#include <cstdint>
#include <ostream>

#include "history/HistoryReader.h"

namespace kavro {

// everySeconds 0: one row per cycle. Returns the number of data rows written.
long ExportHistoryCsv(HistoryReader& reader, std::int64_t from, std::int64_t to, int everySeconds,
                      std::ostream& out);

}  // namespace kavro
