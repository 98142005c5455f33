#include "tune/Optimiser.h"

#include <nlopt.h>

#include <chrono>
#include <cmath>
#include <limits>

namespace kavro {
namespace {

using SteadyClock = std::chrono::steady_clock;

struct Search {
  const Objective& objective;
  const std::function<void(const SearchProgress&)>& progress;
  SteadyClock::time_point end;
  SearchResult result;

  double Evaluate(const double* x, std::size_t n) {
    std::vector<double> point(x, x + n);
    double value = objective(point);
    if (!std::isfinite(value)) value = std::numeric_limits<double>::max();
    ++result.evaluations;
    if (result.best.empty() || value < result.bestObjective) {
      result.best = point;
      result.bestObjective = value;
    }
    result.bestSoFar.push_back(result.bestObjective);
    if (progress) {
      const double left = std::chrono::duration<double>(end - SteadyClock::now()).count();
      progress({result.evaluations, result.bestObjective, left > 0 ? left : 0});
    }
    return value;
  }
};

double Trampoline(unsigned n, const double* x, double*, void* data) {
  return static_cast<Search*>(data)->Evaluate(x, n);
}

void RunStage(nlopt_algorithm algorithm, Search& search, const std::vector<double>& lower,
              const std::vector<double>& upper, std::vector<double> from, double seconds) {
  if (seconds <= 0 || from.empty()) return;
  nlopt_opt opt = nlopt_create(algorithm, static_cast<unsigned>(from.size()));
  if (!opt) return;
  nlopt_set_lower_bounds(opt, lower.data());
  nlopt_set_upper_bounds(opt, upper.data());
  nlopt_set_min_objective(opt, Trampoline, &search);
  nlopt_set_maxtime(opt, seconds);
  nlopt_set_xtol_rel(opt, 1e-4);
  std::vector<double> step(from.size());
  for (std::size_t k = 0; k < step.size(); ++k) step[k] = (upper[k] - lower[k]) / 8;
  nlopt_set_initial_step(opt, step.data());
  // The random search's population: twice the dimensions rather than NLopt's ten times, so that
  // a budget of a few hundred evaluations gets past the first population.
  if (algorithm == NLOPT_GN_CRS2_LM) nlopt_set_population(opt, static_cast<unsigned>(2 * from.size() + 1));
  double value = 0;
  nlopt_optimize(opt, from.data(), &value);  // the best point is kept by Search
  nlopt_destroy(opt);
}

}  // namespace

SearchResult Minimise(const Objective& objective, const std::vector<double>& lower,
                      const std::vector<double>& upper, const std::vector<double>& start,
                      double budgetSeconds,
                      const std::function<void(const SearchProgress&)>& progress) {
  const auto begin = SteadyClock::now();
  Search search{objective, progress,
                begin + std::chrono::duration_cast<SteadyClock::duration>(
                            std::chrono::duration<double>(budgetSeconds)),
                {}};
  search.result.startObjective = search.Evaluate(start.data(), start.size());
  nlopt_srand(20261209);  // the global stage's random search, the same each run
  RunStage(NLOPT_GN_CRS2_LM, search, lower, upper, start, 0.3 * budgetSeconds);
  const double left =
      budgetSeconds - std::chrono::duration<double>(SteadyClock::now() - begin).count();
  RunStage(NLOPT_LN_BOBYQA, search, lower, upper, search.result.best, left);
  return search.result;
}

}  // namespace kavro
