#include <gtest/gtest.h>

#include "config/ConfigDiff.h"
#include "config/ConfigFile.h"
#include "config/ConfigFixtures.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

class ConfigDiffTest : public ::testing::Test {
 protected:
  ConfigDiffTest() {
    for (FakeWorld* w : {&before, &after}) {
      ResetModel(w->controller.model, "/nowhere");
      ApplyDefaults(w->controller.model);
      ReadConfigBytes(w->controller, WorkedExampleFile());
    }
  }
  ControllerModel& changed() { return after.controller.model; }
  std::vector<std::string> Differences() {
    return ConfigDifferences(before.controller.model, after.controller.model);
  }
  FakeWorld before;
  FakeWorld after;
};

TEST_F(ConfigDiffTest, EqualConfigurationsHaveNoDifferences) {
  EXPECT_TRUE(Differences().empty());
  changed().PVarIn[1].Zone[1].MFPValue[3] = 100.0001f;  // saves as the same "100.000"
  changed().HistCount = 7;                              // run-time fields are not configuration
  EXPECT_TRUE(Differences().empty());
}

TEST_F(ConfigDiffTest, EachFieldIsNamedByVariableZoneAndRule) {
  ControllerModel& m = changed();
  m.FLCBlock.RunFrequency = 40;
  m.RestartInterface = true;
  m.PVarIn[1].Units = "degC";
  m.PVarIn[1].Zone[2].MFPValue[2] = 152.5f;
  m.PVarIn[1].Zone[2].MFValue[1] = 0.5f;
  m.PVarOut[1].Zone[1].MFName = "SHUT";
  m.PVarOut[1].Max_Change = 1.5f;
  m.PVarIn[2].PVarName = "O2";  // a new variable is named as it is after the change
  m.PVarIn[2].Zone[1].MFPValue[1] = 1;
  m.Rules[1].Operator = "PROD";
  m.Rules[2].Term[7] = "OPEN";
  m.Rules[20].Term[2] = "LOW";
  m.DeFuzz[1] = "MAX";
  m.ControlMode = "DCS";
  EXPECT_EQ(Differences(), (std::vector<std::string>{
                               "RESTART I/F: NO -> YES",
                               "RunFrequency: 30 -> 40",
                               "TEMP Units:  -> degC",
                               "TEMP zone 2 (HIGH) point 2: 150.000 -> 152.500",
                               "TEMP zone 2 (HIGH) MF value 1: 0.000 -> 0.500",
                               "Input 2 PVarName:  -> O2",
                               "O2 zone 1 (Zone 1) point 1: 0.000 -> 1.000",
                               "VALVE Max_Change: 0.000 -> 1.500",
                               "VALVE zone 1 name: CLOSE -> SHUT",
                               "R1 operator: MIN -> PROD",
                               "R2 term 7 (VALVE): CLOSE -> OPEN",
                               "R20 term 2 (O2): Not Used -> LOW",
                               "DeFuzz 1: " + before.controller.model.DeFuzz[1] + " -> MAX",
                               "ControlMode: File -> DCS",
                           }));
}

}  // namespace
}  // namespace kavro::test
