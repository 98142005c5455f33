#include "engine/Fuzzify.h"

namespace kavro {

float MembershipDegree(const MFZone& zone, float x) {
  const auto& p = zone.MFPValue;
  const auto& m = zone.MFValue;
  // The zone's support ends at its outer points, whatever m1 and m4 are.
  if (x > p[4]) return 0.0f;
  int k = 3;
  while (k >= 1 && !(x >= p[k])) --k;
  if (k == 0) return 0.0f;
  const float width = p[k + 1] - p[k];
  if (!(width > 0.0f)) return m[k];  // equal breakpoints (or out of order): the segment's start
  // The differences are single; the line itself is worked out in double and stored as single,
  // which is what stored rule bases were tuned against.
  const float offset = x - p[k];
  const float rise = m[k + 1] - m[k];
  return static_cast<float>(static_cast<double>(offset) * rise / width + m[k]);
}

namespace {

void FuzzifyZones(ZoneTable& zones, float x) {
  for (int z = 1; z <= NumZones; ++z) zones[z].MFDegree = MembershipDegree(zones[z], x);
}

}  // namespace

void Fuzzify(ControllerModel& model) {
  for (int i = 1; i <= NumIn; ++i) FuzzifyZones(model.PVarIn[i].Zone, model.PVarIn[i].PVIN);
  for (int o = 1; o <= NumOut; ++o) FuzzifyZones(model.PVarOut[o].Zone, model.PVarOut[o].PVIN);
}

}  // namespace kavro
