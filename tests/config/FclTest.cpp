// FCL export and import: what goes out comes back field for field, other tools' FCL reads in,
// and a file that cannot be read is refused with its place.
#include <gtest/gtest.h>

#include "common/NumberText.h"
#include "config/ConfigFile.h"
#include "config/FclExport.h"
#include "config/FclImport.h"
#include "config/FclNotes.h"
#include "model/ZoneRange.h"
#include "support/TestPaths.h"

namespace kavro {
namespace {

ControllerModel DemoModel() {
  Controller controller;
  ResetModel(controller.model, ".");
  ApplyDefaults(controller.model);
  std::string bytes;
  EXPECT_TRUE(SystemFileSystem().ReadAll(std::string(KAVRO_SOURCE_DIR) + "/demo/FLC.dat", bytes));
  EXPECT_TRUE(ReadConfigBytes(controller, bytes));
  return controller.model;
}

// Export, import, and FLC.dat written for both: the same bytes.
void ExpectRoundTrip(const ControllerModel& model) {
  const std::string fcl = FclText(model);
  const FclImportResult back = ImportFclText(fcl, ".");
  ASSERT_EQ(back.error, "") << "line " << back.line << " column " << back.column << "\n" << fcl;
  EXPECT_EQ(ConfigText(back.model, "date"), ConfigText(model, "date")) << fcl;
}

TEST(FclExport, DemoComesBackEqual) {
  const ControllerModel demo = DemoModel();
  ExpectRoundTrip(demo);
  const std::string fcl = FclText(demo);
  EXPECT_NE(fcl.find("FUNCTION_BLOCK KILN1\n"), std::string::npos);
  EXPECT_NE(fcl.find("    BZTEMP : REAL;\n"), std::string::npos);
  EXPECT_NE(fcl.find("    TERM VLOW := (1200.000, 1.000) (1200.000, 1.000) (1330.000, 1.000) "
                     "(1360.000, 0.000);\n"),
            std::string::npos);
  EXPECT_NE(fcl.find("    METHOD : COGS;\n"), std::string::npos);
  EXPECT_NE(
      fcl.find("RULEBLOCK MIN\n    AND : MIN;\n    RULE 1 : IF BZTEMP IS VLOW THEN FUEL IS POSL;"),
      std::string::npos);
  EXPECT_NE(fcl.find("Out1.OutputType: Incr\n"), std::string::npos);
}

// DEFAULT is the value an output keeps when no rule fires: it lies inside the output's RANGE,
// however far outside its last value was, and the noted value still comes back.
TEST(FclExport, DefaultLiesInsideTheRangeAndTheValueComesBack) {
  ControllerModel demo = DemoModel();
  const ZoneSpan range = ZoneRange(demo.PVarOut[1].Zone);
  for (const float value : {range.high + 1000.0f, range.low - 1000.0f}) {
    demo.PVarOut[1].PVIN = value;
    const std::string fcl = FclText(demo);
    const std::string expected =
        "    DEFAULT := " + FormatNumber(value > range.high ? range.high : range.low, "####0.000") +
        ";\n";
    EXPECT_NE(fcl.find(expected), std::string::npos) << fcl;
    ExpectRoundTrip(demo);
  }
}

TEST(FclExport, AwkwardNamesTagsAndRulesComeBackEqual) {
  ControllerModel model = DemoModel();
  model.FLCBlock.Name1 = "Kiln 2-b";
  model.PVarIn[1].PVarName = "Burn zone";
  model.PVarIn[1].Zone[6].MFName = "Very Low";
  model.PVarIn[1].Zone[7].MFName = "VLOW";  // the same name twice: rules name the first
  model.PVarIn[2].Zone[4].MFName = "IS";    // a word of the language
  model.PVarIn[2].DCSTagPV = "A*)B %41 ";   // would close the comment; a last blank
  model.PVarOut[2].Units = "m3/h\tx";
  model.Rules[2].Term[1] = "Very Low";
  model.Rules[3].Term[2] = "IS";
  model.Rules[4].Term[3] = "TYPO";  // names no zone: kept as text
  model.Rules[5].Operator = "BSUM";
  model.Rules[6].Operator = "PROD";
  model.Rules[7].Operator = "BDIF";
  model.Rules[8].Operator = "ASUM";
  model.Rules[9].Operator = "MAX";
  model.Rules[15].Operator = "min";  // not an operator name: the rule stays, the cycle skips it
  model.PVarOut[1].Zone[2].MFValue[1] = 0.5f;  // weighs its rules by half the point
  ExpectRoundTrip(model);
  const std::string fcl = FclText(model);
  for (const char* block : {"RULEBLOCK BSUM\n    OR : BSUM;", "RULEBLOCK PROD\n    AND : PROD;",
                            "RULEBLOCK BDIF\n    AND : BDIF;", "RULEBLOCK ASUM\n    OR : ASUM;",
                            "RULEBLOCK MAX\n    OR : MAX;"}) {
    EXPECT_NE(fcl.find(block), std::string::npos) << block;
  }
  EXPECT_NE(fcl.find("FUNCTION_BLOCK Kiln_2_b\n"), std::string::npos);
  EXPECT_NE(fcl.find("In2.DCSTagPV: A%2A)B %2541%20\n"), std::string::npos);
}

TEST(FclExport, AnEditMadeInAnotherToolWinsOverTheNotes) {
  const ControllerModel demo = DemoModel();
  std::string fcl = FclText(demo);
  const std::string singleton = "TERM POSL := ";
  const size_t at = fcl.find(singleton);
  ASSERT_NE(at, std::string::npos);
  const size_t end = fcl.find(';', at);
  fcl.replace(at + singleton.size(), end - at - singleton.size(), "9.5");
  const FclImportResult back = ImportFclText(fcl, ".");
  ASSERT_EQ(back.error, "");
  int zone = 0;
  for (int z = 1; z <= NumZones; ++z) {
    if (back.model.PVarOut[1].Zone[z].MFName == "POSL") zone = z;
  }
  ASSERT_NE(zone, 0);
  EXPECT_EQ(back.model.PVarOut[1].Zone[zone].MFPValue[1], 9.5f);
  EXPECT_EQ(back.model.PVarOut[1].Zone[zone].MFValue[1], 1.0f);
}

const char* const kOtherToolFcl = R"((* written by hand *)
FUNCTION_BLOCK tipper
VAR_INPUT
  service : REAL;
  food : REAL;
END_VAR
VAR_OUTPUT
  tip : REAL;
END_VAR
FUZZIFY service
  RANGE := (0 .. 10);
  TERM poor := TRAPEZ 0 0 1 4;
  TERM good := TRIANG 1 5 9;
  TERM excellent := (6, 0) (9, 1) (10, 1);
END_FUZZIFY
FUZZIFY food
  TERM rancid := (0, 1) (4, 0);
  TERM tasty := (5, 0) (7, 0.5) (8, 1) (10, 1);
END_FUZZIFY
DEFUZZIFY tip
  TERM cheap := 5;
  TERM average := 15;
  TERM generous := 25.5;
  METHOD : COGS;
  DEFAULT := 0;
END_DEFUZZIFY
RULEBLOCK first
  AND : PROD;
  OR : ASUM;
  RULE 1 : IF service IS poor OR food IS rancid THEN tip IS cheap;
  RULE 2 : IF service IS good THEN tip IS average;
  RULE 3 : IF service IS excellent AND food IS tasty THEN tip IS generous;
END_RULEBLOCK
RULEBLOCK second
  AND : BDIF;
  OR : BSUM;
  RULE 4 : IF service IS poor AND food IS tasty THEN tip IS average;
  RULE 5 : IF service IS good or food IS tasty THEN tip IS generous;
END_RULEBLOCK
RULEBLOCK third
  RULE 9 : IF service IS good AND food IS tasty THEN tip IS generous;
  RULE 9 : IF service IS poor OR food IS tasty THEN tip IS cheap;
END_RULEBLOCK
END_FUNCTION_BLOCK
)";

TEST(FclImport, ShapesAndEveryOperatorOfAnotherTool) {
  const FclImportResult result = ImportFclText(kOtherToolFcl, "/plant");
  ASSERT_EQ(result.error, "") << result.line << ":" << result.column;
  const ControllerModel& m = result.model;
  EXPECT_EQ(m.FLCBlock.Name1, "tipper");
  EXPECT_EQ(m.WorkDir, "/plant");
  EXPECT_EQ(m.PVarIn[1].PVarName, "service");
  EXPECT_EQ(m.PVarIn[2].PVarName, "food");
  EXPECT_EQ(m.PVarOut[1].PVarName, "tip");
  EXPECT_EQ(m.PVarOut[1].OutputType, kAbs);
  const auto expectZone = [](const MFZone& zone, const std::string& name,
                             std::array<float, 4> points, std::array<float, 4> values) {
    EXPECT_EQ(zone.MFName, name);
    for (int p = 1; p <= NumPoints; ++p) {
      EXPECT_EQ(zone.MFPValue[p], points[p - 1]) << name << " point " << p;
      EXPECT_EQ(zone.MFValue[p], values[p - 1]) << name << " value " << p;
    }
  };
  expectZone(m.PVarIn[1].Zone[1], "poor", {0, 0, 1, 4}, {0, 1, 1, 0});
  expectZone(m.PVarIn[1].Zone[2], "good", {1, 5, 5, 9}, {0, 1, 1, 0});
  expectZone(m.PVarIn[1].Zone[3], "excellent", {6, 9, 9, 10}, {0, 1, 1, 1});
  expectZone(m.PVarIn[2].Zone[1], "rancid", {0, 0, 4, 4}, {1, 1, 0, 0});
  expectZone(m.PVarIn[2].Zone[2], "tasty", {5, 7, 8, 10}, {0, 0.5f, 1, 1});
  expectZone(m.PVarOut[1].Zone[3], "generous", {25.5f, 25.5f, 25.5f, 25.5f}, {1, 1, 1, 1});

  EXPECT_EQ(m.Rules[1].Operator, "ASUM");
  EXPECT_EQ(m.Rules[1].Term[1], "poor");
  EXPECT_EQ(m.Rules[1].Term[2], "rancid");
  EXPECT_EQ(m.Rules[1].Term[7], "cheap");
  EXPECT_EQ(m.Rules[2].Operator, "PROD");  // one condition: the block's AND
  EXPECT_EQ(m.Rules[2].Term[2], kNotUsed);
  EXPECT_EQ(m.Rules[3].Operator, "PROD");
  EXPECT_EQ(m.Rules[4].Operator, "BDIF");
  EXPECT_EQ(m.Rules[5].Operator, "BSUM");
  EXPECT_EQ(m.Rules[9].Operator, "MIN");  // FCL's defaults: AND MIN, OR MAX
  EXPECT_EQ(m.Rules[6].Operator, "MAX");  // the second rule 9 takes the first free number
  EXPECT_EQ(m.Rules[6].Term[7], "cheap");
  EXPECT_EQ(m.Rules[7].Term[1], kNotUsed);

  // What it imported is a configuration the controller reads cleanly.
  Controller controller;
  ResetModel(controller.model, ".");
  ApplyDefaults(controller.model);
  EXPECT_TRUE(ReadConfigBytes(controller, ConfigText(m, "date")));
  // ... and one that comes back the same through our own export.
  ExpectRoundTrip(m);
}

TEST(FclImport, BadFilesAreRefusedWithTheirPlace) {
  struct Case {
    const char* fcl;
    int line;
    int column;
    const char* message;
  };
  const Case cases[] = {
      {"FUNCTION_BLOCK a\nVAR_INPUT\n  x : REAL\nEND_VAR\nEND_FUNCTION_BLOCK", 4, 1,
       "expected ';', found 'END_VAR'"},
      {"FUNCTION_BLOCK a\nVAR_INPUT x : REAL; END_VAR\nFUZZIFY x\n  TERM wide := GAUSS 5 "
       "2;\nEND_FUZZIFY\n"
       "END_FUNCTION_BLOCK",
       4, 16, "term wide (line 4): the shape GAUSS cannot be held in four points"},
      {"FUNCTION_BLOCK a\nFUZZIFY x\n  TERM many := (1,0) (2,1) (3,1) (4,1) "
       "(5,0);\nEND_FUZZIFY\nEND_FUNCTION_BLOCK",
       3, 16, "term many (line 3): more than four points cannot be held"},
      {"FUNCTION_BLOCK a\nVAR_OUTPUT y : REAL; END_VAR\nDEFUZZIFY y\n  TERM t := TRIANG 1 2 3;\n"
       "END_DEFUZZIFY\nEND_FUNCTION_BLOCK",
       4, 13, "term t (line 4): an output term must be a singleton (one number)"},
      {"FUNCTION_BLOCK a\n(* never closed\nEND_FUNCTION_BLOCK", 2, 1, "comment not closed"},
      {"FUNCTION_BLOCK a\nRULEBLOCK r\n RULE 1 : IF x IS a AND y IS b OR z IS c THEN o IS d;\n"
       "END_RULEBLOCK\nEND_FUNCTION_BLOCK",
       3, 32, "a rule mixes AND and OR"},
      {"FUNCTION_BLOCK a\nVAR_INPUT x : REAL; END_VAR\nFUZZIFY x TERM t := 1; END_FUZZIFY\n"
       "VAR_OUTPUT y : REAL; END_VAR\nDEFUZZIFY y TERM u := 1; END_DEFUZZIFY\nRULEBLOCK r\n"
       " RULE 1 : IF x IS nope THEN y IS u;\nEND_RULEBLOCK\nEND_FUNCTION_BLOCK",
       7, 19, "no term nope"},
      {"FUNCTION_BLOCK a\n(*@kavro\nIn1.Nothing: 3\n*)\nEND_FUNCTION_BLOCK", 3, 1,
       "unknown note or bad value: In1.Nothing"},
      {"FUNCTION_BLOCK a\nEND_FUNCTION_BLOCK\nx", 3, 1, "expected the end of the file, found 'x'"},
      // Numbers in notes beyond what the field holds are refused, never thrown out of the import.
      {"FUNCTION_BLOCK a\n(*@kavro\nIn1.PVHigh: 1e39\n*)\nEND_FUNCTION_BLOCK", 3, 1,
       "unknown note or bad value: In1.PVHigh"},
      {"FUNCTION_BLOCK a\n(*@kavro\nIn1.Zone1.Points: 0 1 2 3 0 1 1 1e39\n*)\n"
       "END_FUNCTION_BLOCK",
       3, 1, "unknown note or bad value: In1.Zone1.Points"},
      {"FUNCTION_BLOCK a\n(*@kavro\n\nRunFrequency: 1e999\n*)\nEND_FUNCTION_BLOCK", 4, 1,
       "unknown note or bad value: RunFrequency"},
      {"FUNCTION_BLOCK a\nVAR_INPUT x : REAL; END_VAR\nFUZZIFY x\n  TERM t := (1e39, 0);\n"
       "END_FUZZIFY\nEND_FUNCTION_BLOCK",
       4, 14, "number out of range: 1e39"},
  };
  for (const Case& c : cases) {
    const FclImportResult result = ImportFclText(c.fcl, ".");
    EXPECT_EQ(result.error, c.message) << c.fcl;
    EXPECT_EQ(result.line, c.line) << c.fcl;
    EXPECT_EQ(result.column, c.column) << c.fcl;
  }
}

TEST(FclImport, RuleNumbersThatNameNoRuleTakeFreeSlots) {
  const std::string fcl =
      "FUNCTION_BLOCK a\nVAR_INPUT x : REAL; END_VAR\nFUZZIFY x TERM t := 1; END_FUZZIFY\n"
      "VAR_OUTPUT y : REAL; END_VAR\nDEFUZZIFY y TERM u := 1; END_DEFUZZIFY\nRULEBLOCK r\n"
      " RULE 1e30 : IF x IS t THEN y IS u;\n RULE 2.5 : IF x IS t THEN y IS u;\n"
      " RULE 1.0 : IF x IS t THEN y IS u;\n RULE 2e0 : IF x IS t THEN y IS u;\n"
      "END_RULEBLOCK\n(*@kavro\nRule99999999999.Operator: MAX\n*)\nEND_FUNCTION_BLOCK";
  const FclImportResult result = ImportFclText(fcl, ".");
  ASSERT_EQ(result.error, "unknown note or bad value: Rule99999999999.Operator");
  const FclImportResult kept =
      ImportFclText(fcl.substr(0, fcl.find("(*@kavro")) + "END_FUNCTION_BLOCK", ".");
  ASSERT_EQ(kept.error, "");
  // "1.0" and "2e0" keep rules 1 and 2; "1e30" and "2.5" take rules 3 and 4 in order.
  for (int r = 1; r <= 4; ++r) EXPECT_EQ(kept.model.Rules[r].Term[1], "t") << r;
  EXPECT_EQ(kept.model.Rules[5].Term[1], kNotUsed);
}

TEST(FclNotes, ValuesSurviveEscaping) {
  for (const std::string value : {"", "plain", "a*)b", "100%", "end ", "line\r\nbreak", "%2A"}) {
    const std::string escaped = EscapeNoteValue(value);
    EXPECT_EQ(escaped.find("*)"), std::string::npos) << value;
    EXPECT_EQ(escaped.find('\n'), std::string::npos) << value;
    EXPECT_EQ(UnescapeNoteValue(escaped), value);
  }
  EXPECT_EQ(FclIdentifier("Zone 4"), "Zone_4");
  EXPECT_EQ(FclIdentifier("4th"), "_4th");
  EXPECT_EQ(FclIdentifier("then"), "_then");
}

}  // namespace
}  // namespace kavro
