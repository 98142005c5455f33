#include "session/HistoryCapture.h"

#include <charconv>

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "history/HistoryTime.h"
#include "link/LinkTags.h"
#include "model/ZoneRange.h"

namespace kavro {
namespace {

std::optional<double> NumberOf(const std::string& text) {
  if (!IsNumeric(text)) return std::nullopt;
  return ToSingle(text);
}

// The number of a report that begins "Error Number = 13".
int ErrorNumberOf(const std::string& report) {
  constexpr std::string_view kLead = "Error Number = ";
  if (report.rfind(kLead, 0) != 0) return 0;
  const char* first = report.data() + kLead.size();
  while (first < report.data() + report.size() && *first == ' ') ++first;
  int number = 0;
  std::from_chars(first, report.data() + report.size(), number);
  return number;
}

template <typename Record>
VariableInfo InfoOf(const Record& variable) {
  const ZoneSpan span = ZoneRange(variable.Zone);
  return {TrimRight(variable.PVarName), variable.Units, span.low, span.high};
}

}  // namespace

CycleRecord CaptureCycle(const Controller& controller, const DateTime& start, double startSeconds,
                         const std::string& errorText, int errorStep) {
  const ControllerModel& model = controller.model;
  CycleRecord record;
  record.timeMs = HistoryMs(start, startSeconds);
  for (int i = 1; i <= NumIn; ++i) {
    const PVarInRecord& in = model.PVarIn[i];
    record.in[i] = {in.PVIN, in.PVHigh, in.PVLow};
  }
  for (int o = 1; o <= NumOut; ++o) {
    const PVarOutRecord& out = model.PVarOut[o];
    OutputSample& sample = record.out[o];
    sample.pv = out.PVIN;
    sample.high = out.PVHigh;
    sample.low = out.PVLow;
    sample.value = NumberOf(out.ValueOut);
    sample.sent = NumberOf(OutputSentText(model, o));
    sample.clampIncrease = out.ClampIncrease;
    sample.clampDecrease = out.ClampDecrease;
    sample.scriptAdjust = out.ScriptAdjust;
  }
  record.errorCode = model.ErrorCodeValue;
  record.linkOn = model.Link.LinkStatus == kOn;
  record.toFile = model.ToFileMode;
  if (!errorText.empty()) {
    record.errorStep = errorStep;
    record.errorNumber = ErrorNumberOf(errorText);
  }
  return record;
}

ConfigRevision CaptureConfig(const ControllerModel& model) {
  ConfigRevision config;
  config.controllerName = model.FLCBlock.Name1;
  config.runFrequency = model.FLCBlock.RunFrequency;
  for (int i = 1; i <= NumIn; ++i) config.in[i] = InfoOf(model.PVarIn[i]);
  for (int o = 1; o <= NumOut; ++o) config.out[o] = InfoOf(model.PVarOut[o]);
  return config;
}

}  // namespace kavro
