#include "session/TrendCommands.h"

#include <cfloat>
#include <cmath>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "display/TrendExport.h"
#include "display/TrendPlot.h"
#include "engine/EventNotes.h"
#include "model/CycleHold.h"
#include "session/WorkDirFiles.h"

namespace kavro {

namespace {

constexpr double kNudge = 0.1;

// The number an answer stands for; nothing when it is not one a scale can be drawn on (beyond
// the single range the plot's numbers have).
std::optional<double> ScaleNumber(const std::string& answer) {
  if (!IsNumeric(answer)) return std::nullopt;
  try {
    const double value = ToNumber(answer);
    if (std::fabs(value) > FLT_MAX) return std::nullopt;
    return value;
  } catch (const KavroError&) {
    return std::nullopt;
  }
}

void AskScale(Controller& c, int index, bool top) {
  const TrendVariable v = TrendVariableAt(c.model, index);
  const auto slot = static_cast<std::size_t>(index);
  TrendState& trend = Trend(c);
  LabelState& label = top ? trend.lblScaleHi[slot] : trend.lblScaleLo[slot];
  const LabelState& opposite = top ? trend.lblScaleLo[slot] : trend.lblScaleHi[slot];
  std::string& setting = top ? *v.plotHi : *v.plotLo;

  std::optional<std::string> answer;
  {
    CycleHoldGuard hold(c.model);
    answer = c.ports.op->InputBox(
        top ? "Enter Plot MAX Value or AUTO" : "Enter Plot MIN Value or AUTO",
        c.model.FLCBlock.Name1, Contains(label.caption, "A:") ? kAuto : label.caption);
  }
  if (!answer || answer->empty()) return;
  if (*answer == kAuto) {
    label.caption = "A:";
    setting = kAuto;
    c.model.ChangesPending = true;
    return;
  }
  auto value = ScaleNumber(*answer);
  if (!value) return;
  // A top at or below a fixed bottom (or the reverse) would turn the scale upside down.
  if (const auto other = ScaleNumber(opposite.caption)) {
    if (top && *value <= *other) value = *other + kNudge;
    if (!top && *value >= *other) value = *other - kNudge;
  }
  label.caption = FormatNumber(*value, "####0.0##");
  setting = label.caption;
  c.model.ChangesPending = true;
}

}  // namespace

void lblScaleHi_Click(Controller& c, int index) {
  AskScale(c, index, true);
}
void lblScaleLo_Click(Controller& c, int index) {
  AskScale(c, index, false);
}

void MainGridNameClick(Controller& c, int column) {
  if (column < grid::InputColumn(1) || column > grid::OutputColumn(NumOut)) return;
  const int index = column - grid::InputColumn(1);
  if (IsAllSpaces(*TrendVariableAt(c.model, index).name)) return;
  bool& hidden = Trend(c).Picture2.penHidden[static_cast<std::size_t>(index)];
  hidden = !hidden;
  ShowPenState(c, index);
}

void mnuExportTrend(Controller& c) {
  const std::string failure = "Trend history not exported";
  const auto fileName = AskWorkDirFileName(c, kExportTrendPrompt, ".CSV", failure);
  if (!fileName) return;
  if (WriteWorkDirFile(c, *fileName, TrendCsvText(c), failure)) {
    NoteEvent(c, EventKind::Control, "Trend history exported to " + *fileName);
  }
}

}  // namespace kavro
