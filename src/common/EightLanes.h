#pragma once
// Eight-lane (AVX) forms of the engine's busiest loops, chosen at run time: the build targets
// every x86-64 processor, so a function written for eight lanes carries KAVRO_EIGHT_LANES and
// runs only where HasEightLanes() says so; elsewhere its plain form gives the same results.
#if defined(__x86_64__)
#include <immintrin.h>

#define KAVRO_HAS_EIGHT_LANES 1
#define KAVRO_EIGHT_LANES __attribute__((target("avx")))

namespace kavro {

inline bool HasEightLanes() {
  static const bool has = __builtin_cpu_supports("avx");
  return has;
}

}  // namespace kavro
#endif
