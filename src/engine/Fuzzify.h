#pragma once
// Fuzzification: the membership degree of every variable's value in each of its seven zones.
#include "model/ControllerModel.h"

namespace kavro {

// Degree of x in a zone: the straight line through its four (point, value) pairs inside
// [p1, p4], 0 outside. At a shared point the higher segment wins, so x = p4 gives m4.
float MembershipDegree(const MFZone& zone, float x);

// Sets MFDegree of zones 1..7 of every input, then every output, named or not, from its PVIN.
void Fuzzify(ControllerModel& model);

}  // namespace kavro
