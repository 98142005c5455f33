#include "session/HistoryTrace.h"

#include "common/CsvText.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"

namespace kavro {
namespace {

template <typename Visit>
void ForEachUsedSlot(const ControllerModel& model, Visit&& visit) {
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i])) visit(TrimRight(model.PVarIn[i].PVarName), true, i);
  }
  for (int o = 1; o <= NumOut; ++o) {
    if (IsUsed(model.PVarOut[o])) visit(TrimRight(model.PVarOut[o].PVarName), false, o);
  }
}

}  // namespace

std::string HistoryTraceText(const ControllerModel& model, HistoryReader& reader,
                             std::int64_t from, std::int64_t to, long* rows) {
  static const NumberPattern kCell("####0.000");
  std::string text, line;
  ForEachUsedSlot(model, [&](const std::string& name, bool, int) {
    AppendCsvField(line, name);
    AppendCsvField(line, name + ".High");
    AppendCsvField(line, name + ".Low");
  });
  text += line.substr(line.empty() ? 0 : 1) + "\r\n";
  long count = 0;
  reader.ForEachCycle(from, to, [&](const CycleRecord& r) {
    bool first = true;
    ForEachUsedSlot(model, [&](const std::string&, bool input, int slot) {
      const double pv = input ? r.in[slot].pv : r.out[slot].pv;
      const double high = input ? r.in[slot].high : r.out[slot].high;
      const double low = input ? r.in[slot].low : r.out[slot].low;
      for (const double value : {pv, high, low}) {
        if (!first) text += ',';
        first = false;
        AppendNumber(text, static_cast<float>(value), kCell);
      }
    });
    text += "\r\n";
    ++count;
  });
  if (rows) *rows = count;
  return text;
}

}  // namespace kavro
