#include "tune/ParallelRuns.h"

#include <atomic>
#include <exception>
#include <thread>

namespace kavro {

std::vector<LoopScore> ScoreRuns(const std::vector<LoopSetup>& setups, int threads) {
  std::vector<LoopScore> scores(setups.size());
  std::vector<std::exception_ptr> failures(setups.size());
  std::atomic<std::size_t> next{0};
  const auto work = [&] {
    for (std::size_t n = next++; n < setups.size(); n = next++) {
      try {
        scores[n] = ScoreLoop(RunClosedLoop(setups[n]));
      } catch (...) {
        failures[n] = std::current_exception();
      }
    }
  };
  std::vector<std::thread> helpers;
  for (int t = 1; t < threads && static_cast<std::size_t>(t) < setups.size(); ++t) {
    helpers.emplace_back(work);
  }
  work();
  for (std::thread& helper : helpers) helper.join();
  for (const std::exception_ptr& failure : failures) {
    if (failure) std::rethrow_exception(failure);
  }
  return scores;
}

double MeanObjective(const std::vector<LoopScore>& scores) {
  double sum = 0;
  for (const LoopScore& score : scores) sum += score.objective;
  return scores.empty() ? 0 : sum / static_cast<double>(scores.size());
}

}  // namespace kavro
