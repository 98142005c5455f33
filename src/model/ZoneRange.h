#pragma once
// The range a variable's zones cover, as the control surface and FCL's RANGE show it.
#include "model/ControllerModel.h"

namespace kavro {

struct ZoneSpan {
  float low = 0;
  float high = 0;
};

// From the lowest first point to the highest last point of the zones that span something
// (p4 above p1); of all zones when none does.
ZoneSpan ZoneRange(const ZoneTable& zones);

}  // namespace kavro
