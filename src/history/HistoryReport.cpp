#include "history/HistoryReport.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

#include "common/NumberText.h"
#include "engine/EventNotes.h"
#include "history/HistoryTime.h"

namespace kavro {
namespace {

struct Sums {
  double weight = 0;
  double hit = 0;
  long moves = 0;
};

// Counts runs of consecutive cycles of one kind.
void Count(std::map<std::string, FaultFigures>& kinds, const std::string& kind,
           std::string& previousKind, bool previousCycleHad) {
  FaultFigures& figures = kinds[kind];
  ++figures.cycles;
  if (!previousCycleHad || previousKind != kind) ++figures.spells;
  previousKind = kind;
}

// Whatever the locale, "." as the decimal point.
std::string Fixed(double value) { return FormatNumber(value, "##0.0"); }

std::string Percent(double share) { return Fixed(share * 100.0) + " %"; }

}  // namespace

HistoryReport MakeHistoryReport(HistoryReader& reader, std::int64_t from, std::int64_t to) {
  HistoryReport report;
  report.from = from;
  report.to = to;
  const auto revisions = reader.Revisions();
  const auto runPeriodMs = [&](int revision) {
    const auto found = revisions.find(revision);
    const int seconds = found == revisions.end() ? 0 : found->second.runFrequency;
    return static_cast<double>(std::max(seconds, 1)) * 1000.0;
  };
  const auto used = [&](int revision, bool input, int slot) {
    const auto found = revisions.find(revision);
    if (found == revisions.end()) return false;
    return !(input ? found->second.in[slot] : found->second.out[slot]).name.empty();
  };

  std::array<Sums, NumIn + 1> inputs{};
  std::array<Sums, NumOut + 1> atLimits{};
  std::array<Sums, NumOut + 1> clamped{};
  double inService = 0;
  std::string lastErrorKind, lastLinkKind;
  bool lastHadError = false, lastHadLinkFault = false;

  std::optional<CycleRecord> previous;
  const auto account = [&](const CycleRecord& r, double weight) {
    report.seconds += weight / 1000.0;
    ++report.cycles;
    const bool linkFault = r.errorCode == 1 || r.errorCode == 2;
    if (r.linkOn && !r.toFile && !linkFault && r.errorNumber == 0) inService += weight;
    for (int i = 1; i <= NumIn; ++i) {
      if (!used(r.revision, true, i)) continue;
      inputs[i].weight += weight;
      if (r.in[i].pv >= r.in[i].low && r.in[i].pv <= r.in[i].high) inputs[i].hit += weight;
    }
    for (int o = 1; o <= NumOut; ++o) {
      if (!used(r.revision, false, o)) continue;
      const OutputSample& out = r.out[o];
      atLimits[o].weight += weight;
      if (out.pv >= out.high || out.pv <= out.low) atLimits[o].hit += weight;
      if (out.sent) ++atLimits[o].moves;
      if (out.clampIncrease || out.clampDecrease) clamped[o].hit += weight;
    }
    if (r.errorNumber != 0) {
      Count(report.cycleErrors,
            "step " + std::to_string(r.errorStep) + ", error " + std::to_string(r.errorNumber),
            lastErrorKind, lastHadError);
    }
    lastHadError = r.errorNumber != 0;
    if (linkFault) {
      Count(report.linkFaults, r.errorCode == 1 ? "read error (code 1)" : "write error (code 2)",
            lastLinkKind, lastHadLinkFault);
    }
    lastHadLinkFault = linkFault;
  };
  reader.ForEachCycle(from, to, [&](const CycleRecord& r) {
    if (previous) {
      account(*previous, std::min(static_cast<double>(r.timeMs - previous->timeMs),
                                  2.0 * runPeriodMs(previous->revision)));
    }
    previous = r;
  });
  if (previous) account(*previous, runPeriodMs(previous->revision));

  const int newest = reader.NewestRevision(from, to);
  const auto config = revisions.find(newest);
  if (config == revisions.end()) return report;
  report.controllerName = config->second.controllerName;
  const double total = report.seconds * 1000.0;
  report.serviceFactor = total > 0 ? inService / total : 0;
  for (int i = 1; i <= NumIn; ++i) {
    if (config->second.in[i].name.empty()) continue;
    report.inputs.push_back(
        {config->second.in[i].name, inputs[i].weight > 0 ? inputs[i].hit / inputs[i].weight : 0});
  }
  for (int o = 1; o <= NumOut; ++o) {
    if (config->second.out[o].name.empty()) continue;
    const double weight = atLimits[o].weight;
    OutputFigures figures;
    figures.name = config->second.out[o].name;
    figures.atLimitsShare = weight > 0 ? atLimits[o].hit / weight : 0;
    figures.movesPerHour = weight > 0 ? atLimits[o].moves / (weight / 3'600'000.0) : 0;
    figures.clampedSeconds = clamped[o].hit / 1000.0;
    figures.clampedShare = weight > 0 ? clamped[o].hit / weight : 0;
    report.outputs.push_back(figures);
  }
  return report;
}

std::string HistoryReportText(const HistoryReport& report) {
  std::string text = "Plant history of " + report.controllerName + " from " +
                     HistoryTimeText(report.from) + " to " + HistoryTimeText(report.to) + "\n";
  text += "Cycles: " + std::to_string(report.cycles) + " (" + DurationText(report.seconds) + ")\n";
  text += "Service factor: " + Percent(report.serviceFactor) + "\n";
  text += "Inputs inside their targets:\n";
  for (const auto& input : report.inputs) text += "  " + input.name + ": " + Percent(input.inTargetsShare) + "\n";
  text += "Outputs:\n";
  for (const auto& output : report.outputs) {
    text += "  " + output.name + ": at limits " + Percent(output.atLimitsShare) + ", " +
            Fixed(output.movesPerHour) + " moves per hour, clamped " +
            DurationText(output.clampedSeconds) + " (" + Percent(output.clampedShare) + ")\n";
  }
  const auto faults = [&text](const char* title, const std::map<std::string, FaultFigures>& kinds) {
    text += title;
    text += kinds.empty() ? " none\n" : "\n";
    for (const auto& [kind, figures] : kinds) {
      text += "  " + kind + ": " + std::to_string(figures.spells) +
              (figures.spells == 1 ? " time, " : " times, ") + std::to_string(figures.cycles) +
              (figures.cycles == 1 ? " cycle\n" : " cycles\n");
    }
  };
  faults("Cycle errors:", report.cycleErrors);
  faults("Link faults:", report.linkFaults);
  return text;
}

std::string HistoryReportJson(const HistoryReport& report) {
  using Json = nlohmann::ordered_json;
  Json json = {{"controller", report.controllerName},
               {"from", HistoryTimeText(report.from)},
               {"to", HistoryTimeText(report.to)},
               {"cycles", report.cycles},
               {"seconds", report.seconds},
               {"service_factor", report.serviceFactor}};
  json["inputs"] = Json::array();
  for (const auto& input : report.inputs) {
    json["inputs"].push_back({{"name", input.name}, {"in_targets", input.inTargetsShare}});
  }
  json["outputs"] = Json::array();
  for (const auto& output : report.outputs) {
    json["outputs"].push_back({{"name", output.name},
                               {"at_limits", output.atLimitsShare},
                               {"moves_per_hour", output.movesPerHour},
                               {"clamped_seconds", output.clampedSeconds},
                               {"clamped", output.clampedShare}});
  }
  const auto faults = [](const std::map<std::string, FaultFigures>& kinds) {
    Json list = Json::array();
    for (const auto& [kind, figures] : kinds) {
      list.push_back({{"kind", kind}, {"times", figures.spells}, {"cycles", figures.cycles}});
    }
    return list;
  };
  json["cycle_errors"] = faults(report.cycleErrors);
  json["link_faults"] = faults(report.linkFaults);
  return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace kavro
