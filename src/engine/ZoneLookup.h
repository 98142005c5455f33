#pragma once
// Finding the zone a rule term names: the first of zones 1..7 whose name equals the term
// exactly (case-sensitive).
#include <string_view>

#include "model/ControllerModel.h"

namespace kavro {

// The sentinel of a term that refers to no zone, as a view so comparisons check length first.
inline constexpr std::string_view kNotUsedText = kNotUsed;

// Exact equality of two short texts, worked out inline: the cycle compares some hundreds of
// zone names and terms of a few characters, where a library call costs more than the compare.
// Zone names usually differ in their last characters, so those are compared first.
inline bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t k = a.size(); k-- > 0;) {
    if (a[k] != b[k]) return false;
  }
  return true;
}

// The zone slot (1..7), or 0 when no zone has that name.
inline int FindZone(const ZoneTable& zones, std::string_view name) {
  for (int z = 1; z <= NumZones; ++z) {
    if (SameText(zones[z].MFName, name)) return z;
  }
  return 0;
}

}  // namespace kavro
