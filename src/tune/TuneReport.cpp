#include "tune/TuneReport.h"

#include <cstdio>

#include "common/NumberText.h"
#include "common/TextUtil.h"

namespace kavro {
namespace {

std::string Number(const char* format, double value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, format, value);
  return buffer;
}

// A figure averaged over the scenarios' scores.
template <typename Figure>
double Mean(const std::vector<LoopScore>& scores, Figure figure) {
  double sum = 0;
  for (const LoopScore& score : scores) sum += figure(score);
  return scores.empty() ? 0 : sum / static_cast<double>(scores.size());
}

double TotalTravelRanges(const LoopScore& score) {
  double sum = 0;
  for (const OutputScore& out : score.outputs) sum += out.travelRanges;
  return sum;
}

std::string Table(const ScenarioTable& table) {
  if (table.tuned.empty()) return {};
  const LoopScore& first = table.tuned.front();
  std::string text = "| configuration | objective |";
  std::string rule = "|---|---:|";
  for (const InputScore& in : first.inputs) {
    text += " " + in.tag + " in band | " + in.tag + " outside (u·h) | " + in.tag + " mean dev |";
    rule += "---:|---:|---:|";
  }
  text += " travel, all outputs (ranges) | moves/h, all outputs |\n" + rule + "---:|---:|\n";
  const auto row = [&](const char* name, const std::vector<LoopScore>& scores) {
    text += std::string("| ") + name + " | " +
            Number("%.3f", Mean(scores, [](const LoopScore& s) { return s.objective; })) + " |";
    for (std::size_t i = 0; i < first.inputs.size(); ++i) {
      text += ' ';
      text +=
          Number("%.1f %%",
                 100 * Mean(scores, [i](const LoopScore& s) { return s.inputs[i].inBand; })) +
          " | " +
          Number("%.3g", Mean(scores, [i](const LoopScore& s) { return s.inputs[i].outside; })) +
          " | " +
          Number("%.3g", Mean(scores, [i](const LoopScore& s) { return s.inputs[i].meanDev; })) +
          " |";
    }
    text += ' ';
    text += Number("%.3f", Mean(scores, TotalTravelRanges)) + " | " +
            Number("%.1f", Mean(scores,
                                [](const LoopScore& s) {
                                  double moves = 0;
                                  for (const OutputScore& out : s.outputs)
                                    moves += out.movesPerHour;
                                  return moves;
                                })) +
            " |\n";
  };
  row("tuned", table.tuned);
  row("shipped", table.shipped);
  row("PI baseline (filtered)", table.pi);
  row("no control", table.none);
  text += "\nScenarios, figures averaged over them:";
  for (const std::string& s : table.scenarios) text += " " + s + ";";
  text.back() = '.';
  return text + "\n";
}

}  // namespace

std::string TuneReportText(const TuneReport& r) {
  std::string text = "# Tuning of " + r.name + "\n\n";
  text += "Each run: " + Number("%.4g", r.hours) +
          " h of plant time from the plant's start values. " +
          "The search: " + std::to_string(r.evaluations) + " evaluations in a budget of " +
          Number("%.0f", r.budgetSeconds) +
          " s (NLopt's CRS2 over the whole box, then BOBYQA), each the objective averaged over the "
          "tuning scenarios. Lower objectives are better; travel is in output ranges.\n\n";
  text += "## On the scenarios the tuner saw\n\n" + Table(r.tuning) + "\n";
  text += "## On scenarios it did not see\n\n" + Table(r.unseen) + "\n";
  text += "## The PI baseline\n\n```\n" + r.piSettings + "```\n\n";
  text += "## Zone points changed\n\n```\n" + (r.zoneChanges.empty() ? "none\n" : r.zoneChanges) +
          "```\n";
  if (!r.plots.empty()) {
    text += "\n## Plots (as given, before and after tuning)\n\n";
    for (const std::string& plot : r.plots) text += "![" + plot + "](" + plot + ")\n\n";
  }
  return text;
}

std::string ZoneChangesText(const ControllerModel& before, const ControllerModel& after) {
  std::string text;
  const auto variable = [&](const std::string& name, const ZoneTable& old, const ZoneTable& now) {
    for (int z = 1; z <= NumZones; ++z) {
      if (old[z].MFPValue == now[z].MFPValue) continue;
      text += TrimRight(name) + " " + TrimRight(old[z].MFName.str()) + ":";
      for (int p = 1; p <= NumPoints; ++p)
        text.append(" ").append(GeneralNumber(old[z].MFPValue[p]));
      text += " ->";
      for (int p = 1; p <= NumPoints; ++p)
        text.append(" ").append(GeneralNumber(now[z].MFPValue[p]));
      text += "\n";
    }
  };
  for (int i = 1; i <= NumIn; ++i) {
    variable(before.PVarIn[i].PVarName, before.PVarIn[i].Zone, after.PVarIn[i].Zone);
  }
  for (int o = 1; o <= NumOut; ++o) {
    variable(before.PVarOut[o].PVarName, before.PVarOut[o].Zone, after.PVarOut[o].Zone);
  }
  return text;
}

}  // namespace kavro
