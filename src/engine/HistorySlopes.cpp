#include "engine/HistorySlopes.h"

#include <algorithm>

#include "common/KavroError.h"
#include "common/NumberText.h"

namespace kavro {

void ThrowHistorySubscript() { throw KavroError(errors::kSubscript, errors::kSubscriptText); }

namespace {

template <typename Variable>
void Record(Variable& variable, int histCount, const ControllerModel& model) {
  auto& history = variable.History;
  if (histCount > HistoryLength) {
    history.ShiftIn(variable.PVIN);
  } else {
    // Samples live in slots 1..200: a count below 1 is a subscript error, never a write to the
    // unused slot 0 or before the table.
    if (histCount < 1) ThrowHistorySubscript();
    history[static_cast<size_t>(histCount)] = variable.PVIN;
  }
  const int held = std::min(histCount, HistoryLength);
  for (int s = 1; s <= NumSlopes; ++s) {
    const int window = model.SlopeWindow[static_cast<size_t>(s)];
    // Too little history: the slope keeps its previous value.
    if (held > window) {
      variable.Slope[static_cast<size_t>(s)] =
          (variable.PVIN - HistorySample(history, held - window)) / static_cast<float>(window);
    }
  }
}

void RecordTime(ControllerModel& model, int histCount, const DateTime& now) {
  auto& times = model.HistoryTime;
  if (histCount > HistoryLength) {
    times.ShiftIn(now);
  } else if (histCount >= 1) {
    times[static_cast<size_t>(histCount)] = now;
  }
}

}  // namespace

void UpdateHistoryAndSlopes(ControllerModel& model, const DateTime& now) {
  model.HistCount = ToInt16(model.HistCount + 1);
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i])) Record(model.PVarIn[i], model.HistCount, model);
  }
  for (int o = 1; o <= NumOut; ++o) {
    if (IsUsed(model.PVarOut[o])) Record(model.PVarOut[o], model.HistCount, model);
  }
  RecordTime(model, model.HistCount, now);
  if (model.HistCount > HistoryLength) model.HistCount = HistoryLength;
}

}  // namespace kavro
