#include "display/TrendExport.h"

#include <algorithm>
#include <vector>

#include "common/CsvText.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "display/TrendPlot.h"

namespace kavro {

namespace {

constexpr const char* kLineEnd = "\r\n";

bool IsNamed(const TrendVariable& v) {
  return !IsAllSpaces(*v.name);
}

}  // namespace

std::string TrendCsvText(ControllerModel& model) {
  std::vector<TrendVariable> columns;
  for (int index = 0; index < kTrendVariables; ++index) {
    const TrendVariable v = TrendVariableAt(model, index);
    if (IsNamed(v)) columns.push_back(v);
  }
  std::string text = "Time";
  for (const TrendVariable& v : columns) AppendCsvField(text, TrimRight(*v.name));
  text += kLineEnd;
  const int samples = std::clamp<int>(model.HistCount, 0, HistoryLength);
  for (int j = 1; j <= samples; ++j) {
    text += FormatDateTime(model.HistoryTime[static_cast<std::size_t>(j)], kFileDateTime);
    for (const TrendVariable& v : columns) {
      text.append(",").append(GeneralNumber((*v.history)[static_cast<std::size_t>(j)]));
    }
    text += kLineEnd;
  }
  return text;
}

}  // namespace kavro
