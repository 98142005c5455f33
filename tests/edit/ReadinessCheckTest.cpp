#include <gtest/gtest.h>

#include "common/RestrictFalseReport.h"
#include "edit/EditWorld.h"
#include "edit/ReadinessCheck.h"
#include "support/TestPaths.h"

namespace kavro::test {
namespace {

std::vector<std::string> Texts(const std::vector<ReadinessProblem>& problems) {
  std::vector<std::string> texts;
  for (const auto& problem : problems) texts.push_back(problem.text);
  return texts;
}

TEST(ReadinessCheckTest, TheDemoAndTheWorkedExampleAreReady) {
  EditWorld example;
  EXPECT_TRUE(ReadinessProblems(example.model()).empty());

  EditWorld demo;
  std::string bytes;
  ASSERT_TRUE(SystemFileSystem().ReadAll(std::string(KAVRO_SOURCE_DIR) + "/demo/FLC.dat", bytes));
  ASSERT_TRUE(ReadConfigBytes(demo.controller(), bytes));
  EXPECT_EQ(Texts(ReadinessProblems(demo.model())), std::vector<std::string>{});
}

// One configuration with one problem of every kind: each is listed, none hides another.
TEST(ReadinessCheckTest, EveryKindOfProblemIsListedAtOnce) {
  EditWorld w;
  ControllerModel& m = w.model();
  m.Rules[1].Term[1] = "LOWW";            // names no zone of TEMP
  m.Rules[2].Operator = "FOO";            // not an operator
  m.Rules[3].Term[1] = "LOW";             // no output term
  m.Rules[4].Term[7] = "OPEN";            // no input term
  KAVRO_STRING_RESTRICT_FALSE_REPORT_BEGIN
  m.Rules[4].Term[3] = "X";               // on input 3, which has no name
  KAVRO_STRING_RESTRICT_FALSE_REPORT_END
  m.PVarIn[1].Zone[2].MFPValue[3] = 140;  // HIGH: 100, 150, 140, 200
  m.PVarIn[1].Zone[1].MFValue[2] = 1.5f;
  m.PVarIn[1].PVHigh = 100;
  m.PVarIn[1].PVLow = 200;
  m.PVarOut[1].Zone[3].MFName = "OPEN";  // twice in VALVE
  m.FLCBlock.LinkFrequency = 26;
  m.FLCBlock.Name1 = "../FLC1";
  m.Rules[20].Operator = "BAD";  // an empty rule slot is not checked

  const std::vector<ReadinessProblem> problems = ReadinessProblems(m);
  EXPECT_EQ(Texts(problems),
            (std::vector<std::string>{
                "TEMP: high limit 100 is below low limit 200",
                "TEMP zone 1 (LOW): MF value 2 is 1.5, outside 0..1",
                "TEMP zone 2 (HIGH): point 3 (140) is below point 2 (150)",
                "VALVE: zones 2 and 3 are both named \"OPEN\"",
                "R1: term \"LOWW\" names no zone of TEMP",
                "R2: operator \"FOO\" is not one of MIN, MAX, PROD, BDIF, ASUM, BSUM",
                "R3: has no output term",
                "R4: term \"X\" is on Input 3, which has no name",
                "R4: has no input term",
                "Link frequency 26 s is not at least 5 s faster than run frequency 30 s",
                "Unusable Controller Name for Link Files - \"../FLC1\"",
            }));
  // Each problem about a variable says which, so its editor can show it.
  EXPECT_EQ(problems[0].column, 2);
  EXPECT_EQ(problems[3].column, 8);
  EXPECT_EQ(problems[4].column, 2);
  EXPECT_EQ(problems[7].column, 4);
  EXPECT_EQ(problems[5].column, 0);
}

// Shoulders drawn the wrong way round act only at the very end of the range, and a rule whose
// operator cannot exceed 0 never acts: both look fine until the plant needs them.
TEST(ReadinessCheckTest, AShoulderFullAtOnePointAndARuleThatCanNeverFireAreListed) {
  EditWorld w;
  ControllerModel& m = w.model();
  m.PVarIn[1].Zone[1].MFValue = {0, 1, 1, 0, 0};  // LOW at 0, 0, 100, 150: 1 at 0 only
  m.PVarIn[1].Zone[2].MFValue = {0, 0, 0, 1, 1};  // HIGH at 100, 150, 200, 200: 1 at 200 only
  m.Rules[1].Operator = "BDIF";
  m.Rules[2].Operator = "ASUM";  // on a single term: the term less itself
  const std::string fix =
      " only; memberships 1, 1, 1, 0 (or 0, 1, 1, 1) hold it at 1 up to where it fades";
  EXPECT_EQ(Texts(ReadinessProblems(m)),
            (std::vector<std::string>{
                "TEMP zone 1 (LOW): a shoulder zone that reaches 1 at 0" + fix,
                "TEMP zone 2 (HIGH): a shoulder zone that reaches 1 at 200" + fix,
                "R1: operator \"BDIF\" can never give a strength above 0 for degrees within 0..1",
                "R2: operator \"ASUM\" can never give a strength above 0 for degrees within 0..1",
            }));

  // A triangle inside the range, a singleton and ASUM over two terms are meant as they are.
  m.PVarIn[1].Zone[1].MFPValue = {0, 0, 50, 50, 100};
  m.PVarIn[1].Zone[1].MFValue = {0, 0, 1, 1, 0};
  m.PVarIn[1].Zone[2].MFPValue = {0, 150, 150, 150, 150};
  m.PVarIn[1].Zone[2].MFValue = {0, 1, 1, 1, 1};
  m.PVarIn[2].PVarName = "O2";
  m.PVarIn[2].Zone[1].MFName = "LOW";
  m.PVarIn[2].Zone[1].MFPValue = {0, 0, 0, 1, 2};
  m.PVarIn[2].Zone[1].MFValue = {0, 1, 1, 1, 0};
  m.Rules[2].Term[2] = "LOW";
  m.Rules[1].Operator = "MIN";
  EXPECT_EQ(Texts(ReadinessProblems(m)), std::vector<std::string>{});
}

TEST(ReadinessCheckTest, AFileLinkNeedsAClientProgramNameInsideTheWorkingFolder) {
  EditWorld w;
  w.model().Program_Interface = "../../bin/sh";
  EXPECT_EQ(Texts(ReadinessProblems(w.model())),
            std::vector<std::string>{"Unusable Link Client Program Name - \"../../bin/sh\""});
  w.model().Program_Interface = "VELDTSRV";  // the OPC link starts no program
  EXPECT_TRUE(ReadinessProblems(w.model()).empty());
}

TEST(ReadinessCheckTest, StartUpNotesEachProblemInTheEventLogWithoutANotice) {
  EditWorld w;
  w.model().Rules[1].Operator = "FOO";
  w.model().Rules[2].Term[1] = "WARM";
  EXPECT_EQ(NoteReadinessProblems(w.controller()), 2);
  const auto& entries = w.controller().events.Entries();
  ASSERT_EQ(entries.size(), 2u);
  EXPECT_EQ(entries[0].text,
            "R1: operator \"FOO\" is not one of MIN, MAX, PROD, BDIF, ASUM, BSUM");
  EXPECT_EQ(entries[1].text, "R2: term \"WARM\" names no zone of TEMP");
  EXPECT_EQ(entries[0].kind, EventKind::Configuration);
  EXPECT_EQ(entries[0].title, "FLC1");
  EXPECT_FALSE(w.controller().events.NoticeVisible());
}

}  // namespace
}  // namespace kavro::test
