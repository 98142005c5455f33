#include "engine/Fuzzify.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/EngineTestModel.h"

namespace kavro::test {
namespace {

MFZone Zone(std::array<float, 4> points, std::array<float, 4> values) {
  MFZone zone;
  SetZone(zone, "Z", points, values);
  return zone;
}

TEST(Fuzzify, TriangleTiesTakeTheHigherSegmentAndSupportEndsAtOuterPoints) {
  const MFZone triangle = Zone({0, 5, 5, 10}, {0, 1, 1, 0});
  EXPECT_FLOAT_EQ(MembershipDegree(triangle, 2.5f), 0.5f);
  EXPECT_FLOAT_EQ(MembershipDegree(triangle, 5.0f), 1.0f);  // segment 3, degree m3
  EXPECT_FLOAT_EQ(MembershipDegree(triangle, 7.5f), 0.5f);
  EXPECT_EQ(MembershipDegree(triangle, 10.0f), 0.0f);
  EXPECT_EQ(MembershipDegree(triangle, 10.001f), 0.0f);
  EXPECT_EQ(MembershipDegree(triangle, -0.001f), 0.0f);
}

TEST(Fuzzify, ShouldersDoNotReachBeyondTheirOuterPoints) {
  const MFZone shoulder = Zone({0, 0, 50, 100}, {1, 1, 1, 0});
  EXPECT_FLOAT_EQ(MembershipDegree(shoulder, 0.0f), 1.0f);
  EXPECT_FLOAT_EQ(MembershipDegree(shoulder, 75.0f), 0.5f);
  EXPECT_EQ(MembershipDegree(shoulder, -1.0f), 0.0f);

  // m4 = 1 at p4 is kept at p4 itself, but just past it the degree is 0.
  const MFZone rightShoulder = Zone({50, 100, 150, 150}, {0, 1, 1, 1});
  EXPECT_FLOAT_EQ(MembershipDegree(rightShoulder, 150.0f), 1.0f);
  EXPECT_EQ(MembershipDegree(rightShoulder, 150.01f), 0.0f);
}

TEST(Fuzzify, DistinctPointsGiveTheirOwnValuesAndEqualPointsTheirSegmentStart) {
  const MFZone trapezoid = Zone({10, 20, 30, 40}, {0.2f, 0.6f, 0.9f, 0.4f});
  EXPECT_FLOAT_EQ(MembershipDegree(trapezoid, 10.0f), 0.2f);
  EXPECT_FLOAT_EQ(MembershipDegree(trapezoid, 20.0f), 0.6f);
  EXPECT_FLOAT_EQ(MembershipDegree(trapezoid, 30.0f), 0.9f);
  EXPECT_FLOAT_EQ(MembershipDegree(trapezoid, 40.0f), 0.4f);
  EXPECT_FLOAT_EQ(MembershipDegree(trapezoid, 35.0f), 0.65f);

  const MFZone vertical = Zone({5, 5, 8, 9}, {0, 1, 1, 0});
  EXPECT_FLOAT_EQ(MembershipDegree(vertical, 5.0f), 1.0f);

  // An unconfigured zone: all points 0 and all values 0.
  MFZone unset = Zone({0, 0, 0, 0}, {0, 0, 0, 0});
  unset.MFValue[3] = 0.7f;  // shows which point answers at x = 0
  EXPECT_FLOAT_EQ(MembershipDegree(unset, 0.0f), 0.7f);
  EXPECT_EQ(MembershipDegree(unset, 0.5f), 0.0f);

}

TEST(Fuzzify, InterpolatesWithSingleDifferencesInHigherPrecision) {
  // 1/3 of the way along a rise of 1: the result is the single nearest to the exact value.
  const MFZone zone = Zone({0, 3, 6, 9}, {0, 1, 1, 0});
  EXPECT_EQ(MembershipDegree(zone, 1.0f), static_cast<float>(1.0 / 3.0));
  // A value that is no number lies in no zone.
  EXPECT_EQ(MembershipDegree(zone, std::nanf("")), 0.0f);
}

TEST(Fuzzify, EveryVariableSlotIsFuzzifiedNamedOrNot) {
  Controller controller;
  StartController(controller);
  ControllerModel& model = controller.model;
  SetZone(model.PVarIn[6].Zone[7], "High", {0, 10, 10, 20}, {0, 1, 1, 0});
  model.PVarIn[6].PVIN = 15;  // input 6 has no name
  SetZone(model.PVarOut[2].Zone[1], "Low", {0, 10, 10, 20}, {0, 1, 1, 0});
  model.PVarOut[2].PVIN = 5;
  model.PVarIn[6].Zone[2].MFDegree = 0.9f;  // stale degree of an unconfigured zone

  Fuzzify(model);

  EXPECT_FLOAT_EQ(model.PVarIn[6].Zone[7].MFDegree, 0.5f);
  EXPECT_FLOAT_EQ(model.PVarOut[2].Zone[1].MFDegree, 0.5f);
  EXPECT_EQ(model.PVarIn[6].Zone[2].MFDegree, 0.0f);
}

}  // namespace
}  // namespace kavro::test
