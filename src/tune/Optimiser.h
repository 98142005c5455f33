#pragma once
// The search for the lowest objective: NLopt's controlled random search with local mutation
// (a global stage over the whole box from a population of twice the dimensions, 30 % of the
// budget) and then BOBYQA from the best point found (a local stage, the rest). With a few
// hundred evaluations in some 40 dimensions the random search only finds a good region; the
// local stage gains most, so it gets the larger share. Derivative-free, bounded, and stopped
// by the wall clock.
#include <functional>
#include <vector>

namespace kavro {

struct SearchProgress {
  long evaluations = 0;
  double best = 0;
  double secondsLeft = 0;
};

struct SearchResult {
  std::vector<double> best;
  double bestObjective = 0;
  double startObjective = 0;
  long evaluations = 0;
  std::vector<double> bestSoFar;  // after each evaluation
};

using Objective = std::function<double(const std::vector<double>&)>;

// Starts from start (evaluated first, so the result is never worse than it). progress is called
// after each evaluation. The same seed, budget and objective on an idle machine search alike.
SearchResult Minimise(const Objective& objective, const std::vector<double>& lower,
                      const std::vector<double>& upper, const std::vector<double>& start,
                      double budgetSeconds, const std::function<void(const SearchProgress&)>& progress);

}  // namespace kavro
