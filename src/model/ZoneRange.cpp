#include "model/ZoneRange.h"

namespace kavro {

ZoneSpan ZoneRange(const ZoneTable& zones) {
  bool found = false;
  ZoneSpan range;
  for (const bool spanningOnly : {true, false}) {
    for (int z = 1; z <= NumZones; ++z) {
      const MFZone& zone = zones[z];
      if (spanningOnly && !(zone.MFPValue[4] > zone.MFPValue[1])) continue;
      if (!found || zone.MFPValue[1] < range.low) range.low = zone.MFPValue[1];
      if (!found || zone.MFPValue[4] > range.high) range.high = zone.MFPValue[4];
      found = true;
    }
    if (found) break;
  }
  return range;
}

}  // namespace kavro
