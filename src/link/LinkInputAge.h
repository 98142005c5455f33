#pragma once
// Fresh data only: the link client program is told LinkFrequency and rewrites .IN at least that
// often (a client that writes only on change still rewrites within the limit), so an .IN older
// than the limit is what a dead or hung client left behind, never the plant's present values.
// Neither is an .IN written before the link was switched on (a leftover of the last run), however
// young: the .Tag file, written at the switch-on and again before each restart of the client,
// marks that moment in the file system's own time.
// An .IN larger than any real one can be (they are under 2 KB) is not read at all.
#include <cstdint>

#include "model/Controller.h"

namespace kavro {

inline constexpr std::uintmax_t kMaxLinkInputBytes = 64 * 1024;
inline constexpr double kMinFreshLimitSeconds = 30;

// max(3 x LinkFrequency, 30 s).
double FreshInputLimitSeconds(const ControllerModel& model);

enum class LinkInputState { Missing, Fresh, Stale, Leftover, TooLarge };

struct LinkInputCheck {
  LinkInputState state = LinkInputState::Missing;
  double ageSeconds = 0;
  std::uintmax_t size = 0;
};

// Looks at WorkDir/Name1.IN without reading it, and at Name1.Tag for the switch-on. Without a
// .Tag file the moment is not known, and only the age counts.
LinkInputCheck CheckLinkInputFile(Controller& controller);

}  // namespace kavro
