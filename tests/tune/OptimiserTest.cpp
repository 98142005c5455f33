// The tuner's search: within its box, never worse than where it started, and finding the low
// point of a smooth objective in a budget of well under a second.
#include <gtest/gtest.h>

#include <cmath>

#include "tune/Optimiser.h"

namespace kavro::test {
namespace {

TEST(Minimise, StaysInItsBoxKeepsTheBestAndFindsTheLowPoint) {
  const std::vector<double> lower{-1.5, -1.5, -2};
  const std::vector<double> upper{1.5, 1.5, 1.5};
  // The low point of the bowl lies outside the box in its last number: the search must stop at
  // the box's edge there (1.5), not leave it.
  bool outside = false;
  const Objective bowl = [&](const std::vector<double>& x) {
    for (std::size_t k = 0; k < x.size(); ++k) outside = outside || x[k] < lower[k] || x[k] > upper[k];
    return std::pow(x[0] - 0.7, 2) + 2 * std::pow(x[1] + 0.4, 2) + std::pow(x[2] - 3, 2);
  };
  long reported = 0;
  const SearchResult result = Minimise(bowl, lower, upper, {0, 0, 0}, 0.5,
                                       [&](const SearchProgress& p) { reported = p.evaluations; });
  EXPECT_FALSE(outside);
  EXPECT_DOUBLE_EQ(result.startObjective, 0.49 + 0.32 + 9);
  ASSERT_EQ(result.best.size(), 3u);
  EXPECT_NEAR(result.best[0], 0.7, 0.05);
  EXPECT_NEAR(result.best[1], -0.4, 0.05);
  EXPECT_NEAR(result.best[2], 1.5, 0.05);
  EXPECT_LE(result.bestObjective, result.startObjective);
  EXPECT_EQ(reported, result.evaluations);
  ASSERT_EQ(result.bestSoFar.size(), static_cast<std::size_t>(result.evaluations));
  for (std::size_t k = 1; k < result.bestSoFar.size(); ++k) {
    ASSERT_LE(result.bestSoFar[k], result.bestSoFar[k - 1]) << "the best so far never rises";
  }
}

}  // namespace
}  // namespace kavro::test
