#include "display/TrendExport.h"

#include <algorithm>
#include <vector>

#include "common/CsvText.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "display/TrendPlot.h"
#include "history/HistoryTime.h"

namespace kavro {

namespace {

constexpr const char* kLineEnd = "\r\n";

void AppendRow(std::string& text, std::int64_t timeMs, const std::vector<int>& columns,
               const auto& valueOf) {
  AppendDateTime(text, DateTimeOfHistoryMs(timeMs), kFileDateTime);
  for (const int index : columns) {
    text.append(",").append(GeneralNumber(static_cast<float>(valueOf(index))));
  }
  text += kLineEnd;
}

}  // namespace

std::string TrendCsvText(Controller& c) {
  std::vector<int> columns;  // trend indexes of the named variables
  std::string text = "Time";
  for (int index = 0; index < kTrendVariables; ++index) {
    const TrendVariable v = TrendVariableAt(c.model, index);
    if (IsAllSpaces(*v.name)) continue;
    columns.push_back(index);
    AppendCsvField(text, TrimRight(*v.name));
  }
  text += kLineEnd;

  HistoryTrend& span = Trend(c).span;
  std::string recorded;
  std::int64_t last = span.Start() - 1;
  const bool read = span.ForEachCycle([&](const CycleRecord& cycle) {
    AppendRow(recorded, cycle.timeMs, columns, [&](int index) {
      return index < NumIn ? cycle.in[static_cast<std::size_t>(index + 1)].pv
                           : cycle.out[static_cast<std::size_t>(index - NumIn + 1)].pv;
    });
    last = cycle.timeMs;
  });
  if (read) {
    text += recorded;
  } else {
    last = span.Start() - 1;  // a history that failed part way gives none of its rows
  }
  // A held cycle is stamped when its values are taken, a little after the recorded start of the
  // same cycle: within half a run period of the last recorded cycle it is that cycle.
  const std::int64_t sameCycle = 500LL * std::max<int>(c.model.FLCBlock.RunFrequency, 1);
  for (const HeldSample& s : HeldSamples(c.model, span)) {
    if (s.timeMs < last + sameCycle) continue;  // recorded already
    AppendRow(text, s.timeMs, columns, [&](int index) {
      return (*TrendVariableAt(c.model, index).history)[static_cast<std::size_t>(s.j)];
    });
  }
  return text;
}

}  // namespace kavro
