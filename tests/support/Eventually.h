#pragma once
// Waiting in tests for another process to get somewhere: polls a condition until it holds or
// the time limit passes.
#include <chrono>
#include <thread>

namespace kavro::test {

template <typename Condition>
bool Eventually(std::chrono::milliseconds limit, Condition&& condition) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace kavro::test
