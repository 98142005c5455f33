#pragma once
// Finding the zone a rule term names: the first of zones 1..7 whose name equals the term
// exactly (case-sensitive).
#include <string_view>

#include "model/ControllerModel.h"

namespace kavro {

// The sentinel of a term that refers to no zone, as a view so comparisons check length first.
inline constexpr std::string_view kNotUsedText = kNotUsed;

// The zone slot (1..7), or 0 when no zone has that name.
inline int FindZone(const ZoneTable& zones, std::string_view name) {
  for (int z = 1; z <= NumZones; ++z) {
    if (zones[z].MFName == name) return z;
  }
  return 0;
}

}  // namespace kavro
