#pragma once
// CPU time of the benchmarks' child processes: what a program started as a user starts it
// costs, without the wall-clock time other work on the shared machine takes.
#include <sys/resource.h>

namespace kavro::bench {

// User and system time of the finished child processes so far.
inline double ChildrenCpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_CHILDREN, &usage);
  const auto seconds = [](const timeval& t) {
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6;
  };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

}  // namespace kavro::bench
