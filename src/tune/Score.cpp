#include "tune/Score.h"

#include <algorithm>
#include <cmath>

namespace kavro {
namespace {

InputScore ScoreInput(const TracedInput& in, double cycleSeconds) {
  InputScore score;
  score.tag = in.tag;
  const std::size_t n = in.value.size();
  if (n == 0) return score;
  long inside = 0;
  double spell = 0;
  double sum = 0;
  double sumSquares = 0;
  for (std::size_t c = 0; c < n; ++c) {
    const double v = in.value[c];
    const double high = in.high[c];
    const double low = in.low[c];
    const double outside = v > high ? v - high : (v < low ? low - v : 0.0);
    if (outside > 0) {
      score.outside += outside * cycleSeconds / 3600.0;
      spell += cycleSeconds;
      score.longestOutsideS = std::max(score.longestOutsideS, spell);
    } else {
      ++inside;
      spell = 0;
    }
    score.meanDev += std::abs(v - (high + low) / 2);
    sum += v;
    sumSquares += v * v;
  }
  const double count = static_cast<double>(n);
  score.inBand = static_cast<double>(inside) / count;
  score.meanDev /= count;
  const double mean = sum / count;
  score.sd = std::sqrt(std::max(0.0, sumSquares / count - mean * mean));
  return score;
}

OutputScore ScoreOutput(const TracedOutput& out, double hours) {
  OutputScore score;
  score.tag = out.tag;
  const double range = out.high - out.low;
  const double step = range > 0 ? 0.001 * range : 0.0;
  double last = out.start;
  long moves = 0;
  long atLimits = 0;
  for (std::size_t c = 0; c < out.sent.size(); ++c) {
    const double sent = out.sent[c];
    if (!std::isnan(sent)) {
      const double change = std::abs(sent - last);
      score.travel += change;
      if (change > step) ++moves;
      last = sent;
    }
    if (range > 0 && (out.value[c] <= out.low + step || out.value[c] >= out.high - step)) {
      ++atLimits;
    }
    score.clamped += out.held[c];
  }
  score.movesPerHour = hours > 0 ? static_cast<double>(moves) / hours : 0;
  score.travelRanges = range > 0 ? score.travel / range : 0;
  score.atLimits = out.sent.empty() ? 0 : static_cast<double>(atLimits) / out.sent.size();
  return score;
}

}  // namespace

LoopScore ScoreLoop(const LoopTrace& trace, const ObjectiveWeights& weights) {
  LoopScore score;
  score.cycles = trace.cycles;
  score.errors = trace.errors;
  score.hours = trace.cycles * trace.cycleSeconds / 3600.0;
  score.objective = weights.cycleError * static_cast<double>(trace.errors);
  for (const TracedInput& in : trace.inputs) {
    const InputScore s = ScoreInput(in, trace.cycleSeconds);
    score.inputs.push_back(s);
    const double half = in.high.empty() ? 0 : (in.high.front() - in.low.front()) / 2;
    if (half > 0 && score.hours > 0) {
      score.objective += weights.outsideShare * (1 - s.inBand) +
                         weights.outsideDistance * s.outside / score.hours / half +
                         weights.middleDistance * s.meanDev / half;
    }
    for (std::size_t z = 0; z < in.zoneNames.size(); ++z) {
      if (!(in.zonePeak[z] > 0.5f)) score.idleZones.push_back({in.tag, in.zoneNames[z]});
    }
  }
  for (const TracedOutput& out : trace.outputs) {
    const OutputScore s = ScoreOutput(out, score.hours);
    score.outputs.push_back(s);
    if (score.hours > 0) {
      score.objective += weights.travelPerDay * s.travelRanges * 24 / score.hours +
                         weights.movesPerHour * s.movesPerHour;
    }
  }
  for (const int rule : trace.rulesInUse) {
    if (std::find(trace.rulesFired.begin(), trace.rulesFired.end(), rule) ==
        trace.rulesFired.end()) {
      score.neverFired.push_back(rule);
    }
  }
  return score;
}

}  // namespace kavro
