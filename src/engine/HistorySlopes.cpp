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
    std::copy(history.begin() + 2, history.begin() + HistoryLength + 1, history.begin() + 1);
    history[HistoryLength] = variable.PVIN;
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

}  // namespace

void UpdateHistoryAndSlopes(ControllerModel& model) {
  model.HistCount = ToInt16(model.HistCount + 1);
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i])) Record(model.PVarIn[i], model.HistCount, model);
  }
  for (int o = 1; o <= NumOut; ++o) {
    if (IsUsed(model.PVarOut[o])) Record(model.PVarOut[o], model.HistCount, model);
  }
  if (model.HistCount > HistoryLength) model.HistCount = HistoryLength;
}

}  // namespace kavro
