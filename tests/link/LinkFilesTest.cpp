#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>

#include "display/StatusFrame.h"
#include "link/LinkFiles.h"
#include "link/LinkTags.h"
#include "session/LinkCommands.h"
#include "support/LinkTestWorld.h"

namespace kavro::test {
namespace {

// Gives every tag of the read and write lists a distinct name, as a plant configuration would.
void NameAllTags(ControllerModel& m) {
  m.FLCBlock.DCSONOFF = "FLC.ONOFF";
  m.FLCBlock.DCSWatchDog = "FLC.WD";
  m.FLCBlock.DCSRunFreq = "FLC.FREQ";
  m.FLCBlock.DCSErrorCode = "FLC.ERR";
  for (int i = 1; i <= NumIn; ++i) {
    const std::string p = "IN" + std::to_string(i);
    m.PVarIn[i].DCSTagHigh = p + ".HI";
    m.PVarIn[i].DCSTagLow = p + ".LO";
    m.PVarIn[i].DCSTagPV = p + ".PV";
  }
  for (int k = 1; k <= NumOut; ++k) {
    const std::string p = "OUT" + std::to_string(k);
    auto& o = m.PVarOut[k];
    o.DCSTagHigh = p + ".HI";
    o.DCSTagLow = p + ".LO";
    o.DCSTagPV = p + ".PV";
    o.DCSMaxChange = p + ".MAXCHG";
    o.DCSChangeTime = p + ".CHGT";
    o.DCSWaitChange = p + ".WAIT";
    o.DCSTagOut = p + ".SP";
  }
}

// An .IN file: three header lines, then the given value lines.
std::string InFile(const std::vector<std::string>& values) {
  std::string text = "\"FLC1\"\r\n\"2026/12/05\"\r\n\"12:00:00\"\r\n";
  for (const auto& v : values) text += v + "\r\n";
  return text;
}

// The 33 values of a complete .IN file: on/off, watchdog, run frequency, then 1.5, 2.5, ...
std::vector<std::string> FullValues() {
  std::vector<std::string> values = {"1", "1", "2.5"};
  for (int n = 0; n < LinkReadCount - 3; ++n) values.push_back(std::to_string(n) + ".5");
  return values;
}

TEST(LinkFiles, TagFileListsBothTagListsInOrderOnFortyThreeLines) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  NameAllTags(m);
  m.FLCBlock.LinkAppl = "APP1";
  m.FLCBlock.Link2Appl = "APP2";
  m.FLCBlock.LinkTopicName = "FLC1.PLANTPC";
  m.PVarIn[2].DCSTagPV = " IN2.PV ";  // written exactly as stored
  m.PVarIn[6].DCSTagHigh = "";
  WriteTagFile(w.controller);

  const auto lines = w.Lines("FLC1.Tag");
  ASSERT_EQ(lines.size(), 43u);
  EXPECT_EQ(lines[0], "\"FLC1\"");
  EXPECT_EQ(lines[1], "\"2026/12/05\"");
  EXPECT_EQ(lines[2], "\"12:00:00\"");
  EXPECT_EQ(lines[3], "33,4,\"OPC\"");
  EXPECT_EQ(lines[4], "\"APP1\",\"APP2\"");
  EXPECT_EQ(lines[5], "\"FLC1.PLANTPC\"");
  EXPECT_EQ(lines[6], "\"FLC.ONOFF\"");
  EXPECT_EQ(lines[7], "\"FLC.WD\"");
  EXPECT_EQ(lines[8], "\"FLC.FREQ\"");
  EXPECT_EQ(lines[9], "\"IN1.HI\"");
  EXPECT_EQ(lines[10], "\"IN1.LO\"");
  EXPECT_EQ(lines[11], "\"IN1.PV\"");
  EXPECT_EQ(lines[14], "\" IN2.PV \"");
  EXPECT_EQ(lines[24], "\"\"");
  EXPECT_EQ(lines[27], "\"OUT1.HI\"");
  EXPECT_EQ(lines[32], "\"OUT1.WAIT\"");
  EXPECT_EQ(lines[38], "\"OUT2.WAIT\"");
  EXPECT_EQ(lines[39], "\"FLC.WD\"");
  EXPECT_EQ(lines[40], "\"FLC.ERR\"");
  EXPECT_EQ(lines[41], "\"OUT1.SP\"");
  EXPECT_EQ(lines[42], "\"OUT2.SP\"");
  EXPECT_EQ(w.files.atomicWrites, std::vector<std::string>{w.dir.File("FLC1.Tag")});
}

TEST(LinkFiles, ReadTakesEveryValueInListOrderAndPassesOverBlankTags) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  NameAllTags(m);
  m.PVarIn[2].DCSTagHigh = "   ";  // blank: its line is still there, its value is not taken
  m.PVarIn[2].PVHigh = 77;
  auto values = FullValues();
  values[6] = "not a number";  // input 2's high line: never converted
  values.push_back("extra lines are ignored");
  w.dir.Write("FLC1.IN", InFile(values));

  ReadLinkInput(w.controller);

  EXPECT_FALSE(m.LinkReadError);
  EXPECT_EQ(w.files.copies, 1);
  EXPECT_EQ(w.dir.Read("FLC1.INR"), w.dir.Read("FLC1.IN"));
  EXPECT_EQ(m.DCSOnOffValue, 1);
  EXPECT_EQ(m.FLCBlock.RunFrequency, 2);  // 2.5 rounds half to even
  EXPECT_FLOAT_EQ(m.PVarIn[1].PVHigh, 0.5f);
  EXPECT_FLOAT_EQ(m.PVarIn[1].PVLow, 1.5f);
  EXPECT_FLOAT_EQ(m.PVarIn[1].PVIN, 2.5f);
  EXPECT_FLOAT_EQ(m.PVarIn[2].PVHigh, 77.0f);
  EXPECT_FLOAT_EQ(m.PVarIn[2].PVLow, 4.5f);
  EXPECT_FLOAT_EQ(m.PVarIn[6].PVIN, 17.5f);
  EXPECT_FLOAT_EQ(m.PVarOut[1].PVHigh, 18.5f);
  EXPECT_FLOAT_EQ(m.PVarOut[1].Max_Change, 21.5f);
  EXPECT_FLOAT_EQ(m.PVarOut[1].Wait_Change, 23.5f);
  EXPECT_FLOAT_EQ(m.PVarOut[2].Wait_Change, 29.5f);
  EXPECT_EQ(w.events.sleptMilliseconds, 0);
}

TEST(LinkFiles, ShortOrGarbledInFileIsTriedFourTimesThenReportedKeepingWhatWasRead) {
  struct Case {
    const char* what;
    std::vector<std::string> values;
  };
  auto shortFile = FullValues();
  shortFile.resize(17);  // 20 lines: ends inside input 4
  auto garbled = FullValues();
  garbled[0] = "abc";
  auto overflow = FullValues();
  overflow[2] = "40000";  // no 16-bit run frequency
  for (const Case& c : {Case{"short", shortFile}, Case{"abc", garbled}, Case{"40000", overflow}}) {
    SCOPED_TRACE(c.what);
    LinkTestWorld w;
    auto& m = w.controller.model;
    NameAllTags(m);
    m.PVarIn[5].PVIN = -1;
    w.dir.Write("FLC1.IN", InFile(c.values));

    ReadLinkInput(w.controller);

    EXPECT_TRUE(m.LinkReadError);
    EXPECT_EQ(w.files.copies, 4);                 // a fresh copy for every attempt
    EXPECT_EQ(w.events.sleptMilliseconds, 3000);  // one second between attempts
    EXPECT_FLOAT_EQ(m.PVarIn[5].PVIN, -1.0f);     // never reached
  }
  LinkTestWorld w;
  NameAllTags(w.controller.model);
  w.dir.Write("FLC1.IN", InFile(shortFile));
  ReadLinkInput(w.controller);
  EXPECT_EQ(w.controller.model.DCSOnOffValue, 1);  // stored before the missing line
  EXPECT_FLOAT_EQ(w.controller.model.PVarIn[4].PVHigh, 9.5f);
}

TEST(LinkFiles, MissingInFileFailsAfterFourCopiesAndFourWaits) {
  LinkTestWorld w;
  ReadLinkInput(w.controller);
  EXPECT_TRUE(w.controller.model.LinkReadError);
  EXPECT_EQ(w.files.copies, 4);
  EXPECT_EQ(w.events.sleptMilliseconds, 4000);
  EXPECT_TRUE(w.Files().empty());
}

TEST(LinkFiles, OutputFileCarriesStatusFrequencyWatchdogErrorCodeAndOutputsOrX) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  w.LinkOn();
  m.Link.PlantReadThisCycle = true;
  m.ToFileMode = false;
  m.FLCBlock.LinkFrequency = 10;
  m.ErrorCodeValue = -91;
  m.PVarOut[1].ValueOut = "12.500";
  m.PVarOut[1].SendOutput = true;
  m.PVarOut[2].ValueOut = "0.000";  // exactly 0: no value
  m.PVarOut[2].SendOutput = true;

  WriteLinkOutput(w.controller);
  EXPECT_FALSE(m.LinkWriteError);
  EXPECT_EQ(w.Lines("FLC1.OUT"),
            (std::vector<std::string>{"\"FLC1\"", "\"2026/12/05\"", "\"12:00:00\"", "\"RUN\"", "10",
                                      "1", "-91", "12.500", "X"}));

  m.PVarOut[1].SendOutput = false;
  m.PVarOut[2].ValueOut = kNotUsed;
  m.ErrorCodeValue = 0;
  WriteLinkOutput(w.controller);
  const auto lines = w.Lines("FLC1.OUT");
  ASSERT_EQ(lines.size(), 9u);
  EXPECT_EQ(lines[6], "0");
  EXPECT_EQ(lines[7], "X");
  EXPECT_EQ(lines[8], "X");
  EXPECT_EQ(w.Files(), std::vector<std::string>{"FLC1.OUT"});  // no temporary file left
}

TEST(LinkFiles, ToFileModeWritesTheTestFileAndSwitchingOffSendsSixLineStopToOut) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  ASSERT_TRUE(SwitchLinkOn(w.controller, w.link));
  m.ToFileMode = true;
  m.ErrorCodeValue = -90;
  WriteLinkOutput(w.controller);
  EXPECT_EQ(w.Files(), (std::vector<std::string>{"FLC1.TST", "FLC1.Tag"}));
  EXPECT_EQ(w.Lines("FLC1.TST").size(), 9u);

  w.op.answers = {MsgAnswer::Yes};
  mnuLinkStatus(w.controller, w.link);
  EXPECT_EQ(m.Link.LinkStatus, kOff);
  EXPECT_EQ(m.Link.LinkStatusSent, kOff);
  const auto stop = w.Lines("FLC1.OUT");
  ASSERT_EQ(stop.size(), 6u);
  EXPECT_EQ(stop[3], "\"STOP\"");
  EXPECT_EQ(stop[5], "1");
  EXPECT_EQ(w.op.messages.at(0).text, "Link Status is ON, Turn it OFF?");
  EXPECT_EQ(w.controller.window.status->lblLink.caption, "Link OFF");
  EXPECT_EQ(w.controller.window.status->lblLink.backColour, PaletteColour(12));
}

TEST(LinkFiles, WriteRetriesFailedWritesAndKeepsTheOldFileWhole) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  w.LinkOn();
  m.Link.PlantReadThisCycle = true;
  m.ToFileMode = false;
  w.dir.Write("FLC1.OUT", "old");

  w.files.failWrites = 2;  // the third try gets through
  WriteLinkOutput(w.controller);
  EXPECT_FALSE(m.LinkWriteError);
  EXPECT_EQ(w.files.atomicWrites.size(), 3u);
  EXPECT_EQ(w.events.sleptMilliseconds, 2000);
  EXPECT_EQ(w.Lines("FLC1.OUT").size(), 9u);

  w.dir.Write("FLC1.OUT", "old");
  w.files.failWrites = 100;
  WriteLinkOutput(w.controller);
  EXPECT_TRUE(m.LinkWriteError);
  EXPECT_EQ(w.files.atomicWrites.size(), 3u + 4u);
  EXPECT_EQ(w.dir.Read("FLC1.OUT"), "old");

  // A value that is not a number fails every try before anything is written.
  w.files.failWrites = 0;
  m.PVarOut[1].ValueOut = "abc";
  m.PVarOut[1].SendOutput = true;
  const long long slept = w.events.sleptMilliseconds;
  WriteLinkOutput(w.controller);
  EXPECT_TRUE(m.LinkWriteError);
  EXPECT_EQ(w.files.atomicWrites.size(), 7u);
  EXPECT_EQ(w.events.sleptMilliseconds - slept, 3000);
  EXPECT_EQ(w.dir.Read("FLC1.OUT"), "old");
}

TEST(LinkFiles, StartUpRemovesOnlyTemporaryLinkFilesThatOtherProcessesLeft) {
  LinkTestWorld w;
  auto& m = w.controller.model;
  const std::string own = std::to_string(getpid());
  const std::vector<std::string> stale = {"FLC1.OUT.tmp4194305", "FLC1.TST.tmp12", "FLC1.Tag.tmp1"};
  const std::vector<std::string> kept = {
      "FLC1.OUT.tmp" + own,  // this process's own write may be under way
      "FLC1.IN.tmp7",        // the link client's file, not ours
      "FLC1.OUT.tmp",       "FLC1.OUT.tmp12x", "FLC1.OUT.tmp-3",
      "FLC2.OUT.tmp7",      "FLC.dat.tmp7",    "xFLC1.OUT.tmp7"};
  for (const auto& name : stale) w.dir.Write(name, "cut short");
  for (const auto& name : kept) w.dir.Write(name, "keep");
  w.dir.Write("victim.OUT.tmp7", "keep");

  // A name that would lead out of the working folder touches nothing.
  m.WorkDir = w.dir.File("plant");
  m.FLCBlock.Name1 = "../victim";
  DeleteStaleLinkOutput(w.controller);
  EXPECT_EQ(w.dir.Read("victim.OUT.tmp7"), "keep");

  m.WorkDir = w.dir.Path();
  m.FLCBlock.Name1 = "FLC1";
  DeleteStaleLinkOutput(w.controller);
  std::vector<std::string> left = kept;
  left.push_back("victim.OUT.tmp7");
  std::sort(left.begin(), left.end());
  EXPECT_EQ(w.Files(), left);
  EXPECT_EQ(
      EventTextsOfKind(w.controller.events, EventKind::StartUp),
      std::vector<std::string>{
          "Start-up: removed 3 temporary link file(s) that an interrupted write left behind"});
}

}  // namespace
}  // namespace kavro::test
