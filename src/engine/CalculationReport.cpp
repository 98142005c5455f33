#include "engine/CalculationReport.h"

#include "common/NumberText.h"
#include "engine/HistorySlopes.h"
#include "engine/MoveLimits.h"

namespace kavro {
namespace {

const std::string kRule(34, '-');

std::string TrueFalse(bool flag) { return flag ? "True" : "False"; }

std::string ChangeNowLine(const ControllerModel& model, const PVarOutRecord& output) {
  const int16_t lag = ChangeLag(output, model.FLCBlock.RunFrequency);
  if (model.HistCount <= lag) return "Change Now = Insufficient History";
  const float change = output.PVIN - HistorySample(output.History, model.HistCount - lag);
  return "Change Now = " + FormatNumber(change, "###0.00");
}

void AddOutput(std::vector<std::string>& lines, const ControllerModel& model,
               const PVarOutRecord& output) {
  lines.push_back(output.PVarName);
  lines.push_back("Clamp Decrease = " + TrueFalse(output.ClampDecrease));
  lines.push_back("Decrease Counter = " + FormatNumber(output.DecreaseCounter, "####0"));
  lines.push_back("Clamp Increase = " + TrueFalse(output.ClampIncrease));
  lines.push_back("Increase Counter = " + FormatNumber(output.IncreaseCounter, "####0"));
  lines.push_back("Send Output = " + TrueFalse(output.SendOutput));
  lines.push_back("Change Time = " + FormatNumber(output.Change_Time, "##0.0"));
  lines.push_back("Max Change = " + FormatNumber(output.Max_Change, "###0.00"));
  lines.push_back("Wait Time = " + FormatNumber(output.Wait_Change, "###0.00"));
  lines.push_back(ChangeNowLine(model, output));
  lines.push_back(kRule);
}

void AddInput(std::vector<std::string>& lines, const ControllerModel& model,
              const PVarInRecord& input) {
  lines.push_back(input.PVarName);
  std::string windows = "Slopes At: ";
  std::string slopes = "Slopes: ";
  for (int s = 1; s <= NumSlopes; ++s) {
    const std::string separator = s < NumSlopes ? "/" : "";
    windows += FormatNumber(model.SlopeWindow[s], "##0") + separator;
    slopes += FormatNumber(input.Slope[s], "###0.000") + separator;
  }
  lines.push_back(windows);
  lines.push_back(slopes);
  lines.push_back(kRule);
}

}  // namespace

std::vector<std::string> CalculationReportLines(const ControllerModel& model,
                                                const DateTime& now) {
  std::vector<std::string> lines;
  lines.push_back(FormatDateTime(now, kScreenDateTime));
  lines.push_back("   ");
  lines.push_back("History: " + FormatNumber(model.HistCount, "####0") + " points");
  lines.push_back(kRule);
  for (int o = 1; o <= NumOut; ++o) AddOutput(lines, model, model.PVarOut[o]);
  for (int i = 1; i <= NumIn; ++i) AddInput(lines, model, model.PVarIn[i]);
  return lines;
}

}  // namespace kavro
