#pragma once
// Times of day in seconds since midnight, as the Clock port gives them.
namespace kavro {

inline constexpr double kSecondsPerDay = 86400.0;

// Seconds from one time of day to a later one. The clock starts again at midnight, so a later
// time that reads smaller lies on the next day.
inline double SecondsBetween(double from, double to) {
  const double elapsed = to - from;
  return elapsed < 0 ? elapsed + kSecondsPerDay : elapsed;
}

}  // namespace kavro
