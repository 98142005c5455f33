#pragma once
// Fresh data only: the link client program is told LinkFrequency and rewrites .IN at least that
// often (a client that writes only on change still rewrites within the limit), so an .IN older
// than the limit is what a dead or hung client left behind, never the plant's present values.
// An .IN larger than any real one can be (they are under 2 KB) is not read at all.
#include <cstdint>

#include "model/Controller.h"

namespace kavro {

inline constexpr std::uintmax_t kMaxLinkInputBytes = 64 * 1024;
inline constexpr double kMinFreshLimitSeconds = 30;

// max(3 x LinkFrequency, 30 s).
double FreshInputLimitSeconds(const ControllerModel& model);

enum class LinkInputState { Missing, Fresh, Stale, TooLarge };

struct LinkInputCheck {
  LinkInputState state = LinkInputState::Missing;
  double ageSeconds = 0;
  std::uintmax_t size = 0;
};

// Looks at WorkDir/Name1.IN without reading it.
LinkInputCheck CheckLinkInputFile(Controller& controller);

}  // namespace kavro
