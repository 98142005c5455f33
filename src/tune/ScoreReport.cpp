#include "tune/ScoreReport.h"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

namespace kavro {
namespace {

// Figures to a fixed number of decimals: a report does not claim digits the plant model cannot
// give, and equal runs print equal bytes.
double Rounded(double value, int decimals) {
  const double scale = std::pow(10.0, decimals);
  const double rounded = std::round(value * scale) / scale;
  return rounded == 0 ? 0.0 : rounded;  // no "-0"
}

std::string Line(const char* format, auto... values) {
  char buffer[256];
  std::snprintf(buffer, sizeof buffer, format, values...);
  return buffer;
}

}  // namespace

std::string ScoreText(const LoopScore& score) {
  std::string text = Line("%.4g h of plant time, %ld cycles, %ld cycle errors, objective %.4f\n",
                          score.hours, score.cycles, score.errors, score.objective);
  text += Line("%-16s %8s %12s %12s %10s %10s\n", "input", "in band", "outside u.h", "longest out",
               "mean dev", "sd");
  for (const InputScore& in : score.inputs) {
    text += Line("%-16s %7.2f%% %12.4g %10.0f s %10.4g %10.4g\n", in.tag.c_str(), 100 * in.inBand,
                 in.outside, in.longestOutsideS, in.meanDev, in.sd);
  }
  text += Line("%-16s %8s %12s %12s %10s %10s\n", "output", "moves/h", "travel", "ranges",
               "at limits", "clamped");
  for (const OutputScore& out : score.outputs) {
    text += Line("%-16s %8.2f %12.4g %12.4g %9.2f%% %10ld\n", out.tag.c_str(), out.movesPerHour,
                 out.travel, out.travelRanges, 100 * out.atLimits, out.clamped);
  }
  text += "rules that never fired:";
  if (score.neverFired.empty()) text += " none";
  for (const int rule : score.neverFired) text.append(" ").append(std::to_string(rule));
  text += "\nzones whose membership never passed 0.5:";
  if (score.idleZones.empty()) text += " none";
  for (const IdleZone& zone : score.idleZones) text += " " + zone.tag + " " + zone.zone + ";";
  if (!score.idleZones.empty()) text.pop_back();
  return text + "\n";
}

namespace {

using Json = nlohmann::ordered_json;

Json ScoreObject(const LoopScore& score) {
  Json json;
  json["hours"] = Rounded(score.hours, 4);
  json["cycles"] = score.cycles;
  json["errors"] = score.errors;
  json["objective"] = Rounded(score.objective, 4);
  json["inputs"] = Json::array();
  for (const InputScore& in : score.inputs) {
    json["inputs"].push_back(Json{{"tag", in.tag},
                                  {"in_band", Rounded(in.inBand, 4)},
                                  {"outside", Rounded(in.outside, 4)},
                                  {"longest_outside_s", Rounded(in.longestOutsideS, 1)},
                                  {"mean_dev", Rounded(in.meanDev, 4)},
                                  {"sd", Rounded(in.sd, 4)}});
  }
  json["outputs"] = Json::array();
  for (const OutputScore& out : score.outputs) {
    json["outputs"].push_back(Json{{"tag", out.tag},
                                   {"moves_per_hour", Rounded(out.movesPerHour, 3)},
                                   {"travel", Rounded(out.travel, 4)},
                                   {"travel_ranges", Rounded(out.travelRanges, 4)},
                                   {"at_limits", Rounded(out.atLimits, 4)},
                                   {"clamped", out.clamped}});
  }
  json["never_fired"] = score.neverFired;
  json["idle_zones"] = Json::array();
  for (const IdleZone& zone : score.idleZones) {
    json["idle_zones"].push_back(Json{{"tag", zone.tag}, {"zone", zone.zone}});
  }
  return json;
}

// Text from the files (tags, zone names) is escaped by the writer; bytes that are no UTF-8 are
// replaced rather than thrown at the user.
std::string OneLine(const Json& json) {
  return json.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
}

}  // namespace

std::string ScoreJson(const LoopScore& score) {
  return OneLine(ScoreObject(score));
}

std::string ScoreJson(const LoopScore& score, const std::vector<PiLoop>& loops) {
  Json json = ScoreObject(score);
  json["pi"] = Json::array();
  for (const PiLoop& loop : loops) {
    json["pi"].push_back(Json{{"output", loop.outputTag},
                              {"input", loop.inputTag},
                              {"kc", Rounded(loop.kc, 6)},
                              {"ti_s", Rounded(loop.tiSeconds, 3)},
                              {"filter_s", Rounded(loop.filterSeconds, 3)}});
  }
  return OneLine(json);
}

}  // namespace kavro
