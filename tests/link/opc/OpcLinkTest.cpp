// The OPC link over an in-process simulated server: switch-on, the cycle's read and write, the
// connection log, the panel's lines, and reconnection.
#include <gtest/gtest.h>

#include "common/DateText.h"
#include "engine/ControlCycle.h"
#include "link/LinkTags.h"
#include "link/opc/OpcLink.h"
#include "support/EngineTestModel.h"
#include "support/FakeOpcClient.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

struct OpcWorld : FakeWorld {
  OpcWorld() {
    ResetModel(controller.model, "/nonexistent");
    ApplyDefaults(controller.model);
    NameTags();
  }
  // The link's settings and tags, and the server's tags to match.
  void NameTags() {
    ControllerModel& m = controller.model;
    m.FLCBlock.Name1 = "FLC1";
    m.FLCBlock.LinkAppl = "OPCSRV";
    m.FLCBlock.LinkTopicName = "FLC1.PLANTPC";
    m.FLCBlock.RunFrequency = 30;
    m.FLCBlock.LinkFrequency = 10;
    m.Program_Interface = "VELDTSRV";
    m.ToFileMode = false;
    m.FLCBlock.DCSONOFF = "ONOFF";
    m.FLCBlock.DCSWatchDog = "WD";
    m.FLCBlock.DCSRunFreq = "RF";
    m.FLCBlock.DCSErrorCode = "ERR";
    for (int i = 1; i <= 3; ++i) {
      const std::string p = "IN" + std::to_string(i);
      m.PVarIn[i].DCSTagHigh = p + ".HI";
      m.PVarIn[i].DCSTagLow = p + ".LO";
      m.PVarIn[i].DCSTagPV = p + ".PV";
    }
    m.PVarOut[1].DCSTagPV = "OUT1.PV";
    m.PVarOut[1].DCSTagOut = "OUT1.SP";
    m.PVarOut[2].DCSTagOut = "OUT2.SP";
    for (const std::string& tag : ReadTagList(m)) {
      if (!tag.empty()) server.tags[tag] = 0.0;
    }
    for (const std::string& tag : WriteTagList(m)) {
      if (!tag.empty()) server.tags[tag] = 0.0;
    }
    server.tags["RF"] = 30.0;
  }
  void SwitchOn() { SwitchOpcLinkOn(controller, link); }
  // One cycle's read and write, as the control cycle makes them.
  void Cycle() {
    ReadOpcLinkInput(controller, link);
    WriteOpcLinkOutput(controller, link);
  }
  ControllerModel& model() { return controller.model; }

  FakeOpcClient server;
  OpcLink link{server};
};

TEST(OpcConnect, TopicNameSplitsIntoGroupAndMachineAtTheFirstDot) {
  struct Case {
    std::string topic, group, machine;
  };
  for (const Case& c : {Case{"FLC1.PLANTPC", "FLC1", "PLANTPC"}, Case{"FLC1", "FLC1", ""},
                        Case{"A.B.C", "A", "B.C"}}) {
    OpcWorld w;
    w.model().FLCBlock.LinkTopicName = c.topic;
    OPCConnect(w.controller, w.link);
    EXPECT_EQ(w.server.calls.at(1), "Connect " + c.machine + "|OPCSRV") << c.topic;
    EXPECT_EQ(w.server.calls.at(2), "Group " + c.group) << c.topic;
    EXPECT_GT(w.link.OPCServerHandle, 0);
    EXPECT_GT(w.link.OPCGroupHandle, 0);
  }
}

TEST(OpcConnect, ConnectionLogHasItsExactLinesOnlyWhileThePanelIsVisible) {
  OpcWorld w;
  w.link.lstLinkMsg = {"old line"};
  w.link.panelVisible = true;
  w.server.failConnects = 1;
  OPCConnect(w.controller, w.link);
  const std::vector<std::string> expected = {
      "Dec-05-2026 12:00:00: Connecting OPC",
      "ServerName  = OPCSRV",
      "MachineName = PLANTPC",
      "Connect Handle = -1",
      "Connect Handle = 1",
      "GroupName   = FLC1",
      "Group Handle = 2",
  };
  EXPECT_EQ(w.link.lstLinkMsg, expected);

  OpcWorld hidden;
  OPCConnect(hidden.controller, hidden.link);
  EXPECT_TRUE(hidden.link.lstLinkMsg.empty());
}

TEST(OpcConnect, ThreeFailedAttemptsAreShownOnceWithTheReason) {
  OpcWorld w;
  w.server.failConnects = 3;
  w.server.failure = "the certificate of server opc.tcp://plant:4840 is not trusted";
  OPCConnect(w.controller, w.link);
  EXPECT_EQ(w.link.OPCServerHandle, -1);
  EXPECT_EQ(std::count(w.server.calls.begin(), w.server.calls.end(), "Connect PLANTPC|OPCSRV"), 3);
  ASSERT_EQ(w.op.messages.size(), 1u);
  EXPECT_EQ(w.op.messages[0].text,
            "Error: OPCSRV Server Not Connecting\r\n"
            "the certificate of server opc.tcp://plant:4840 is not trusted");
  EXPECT_EQ(w.op.messages[0].title, "FLC1");
  EXPECT_EQ(w.op.messages[0].icon, MsgIcon::Critical);

  OpcWorld group;
  group.server.failGroups = 3;
  group.link.OPCGroupHandle = 77;
  OPCConnect(group.controller, group.link);
  ASSERT_EQ(group.op.messages.size(), 1u);
  EXPECT_EQ(group.op.messages[0].text, "Error: FLC1.PLANTPC Group Not Connecting");
  EXPECT_EQ(group.link.OPCGroupHandle, 77) << "a failed group keeps the earlier handle";
}

TEST(OpcConnect, UpdateRateIsTheLinkFrequencyCappedByTheRunFrequencyIn32Bits) {
  struct Case {
    int16_t link, run;
    int16_t linkAfter;
    int32_t rate;
  };
  for (const Case& c : {Case{60, 30, 30, 30000}, Case{0, 30, 0, 0}, Case{40, 100, 40, 40000},
                        Case{10, 30, 10, 10000}}) {
    OpcWorld w;
    w.model().FLCBlock.LinkFrequency = c.link;
    w.model().FLCBlock.RunFrequency = c.run;
    OPCConnect(w.controller, w.link);
    EXPECT_EQ(w.model().FLCBlock.LinkFrequency, c.linkAfter);
    EXPECT_EQ(w.link.OPCUpdateRate, c.rate);
    EXPECT_EQ(w.server.updateRateSeen, c.rate);
  }
}

TEST(OpcSwitchOn, ItemsFollowTheTagListWithBlankTagsAtHandleZeroAndRefusedAtMinusOne) {
  OpcWorld w;
  w.model().PVarIn[3].DCSTagLow = "   ";
  w.model().PVarIn[2].DCSTagPV = "NOT.THERE";
  w.SwitchOn();
  EXPECT_EQ(w.link.LinkReadCount, 33);
  EXPECT_EQ(w.link.LinkWriteCount, 4);
  EXPECT_EQ(w.link.LinkTagNames[1], "ONOFF");
  EXPECT_EQ(w.link.LinkTagNames[34], "WD");
  EXPECT_EQ(w.link.LinkTagNames[37], "OUT2.SP");
  // Input 3's low tag is index 3 + 3*2 + 2 = 11; input 2's PV index 9.
  EXPECT_EQ(w.link.LinkItemHandles[11], 0);
  EXPECT_EQ(w.link.LinkItemHandles[9], -1);
  EXPECT_GT(w.link.LinkItemHandles[1], 0);
  EXPECT_EQ(std::count(w.server.added.begin(), w.server.added.end(), "   "), 0);
  // Read tags: ONOFF, WD, RF, 3x3 inputs less the blank and the refused one, and OUT1.PV.
  EXPECT_EQ(w.link.OPCReadItemsDone, 33);
  EXPECT_EQ(w.link.OPCReadItemsOK, 11);
  EXPECT_EQ(w.link.OPCWriteItemsDone, 4);
  EXPECT_EQ(w.link.OPCWriteItemsOK, 4);
  EXPECT_EQ(w.model().Link.LinkStatus, "ON");
  EXPECT_TRUE(w.model().Link.SkipNextRead);
  EXPECT_EQ(w.model().Link.LinkStatusSent, kOn);

  OpcWorld down;
  down.server.failConnects = 3;
  down.SwitchOn();
  EXPECT_EQ(down.model().Link.LinkStatus, "ON") << "set ON whether or not the server answered";
  EXPECT_EQ(down.link.LinkItemHandles[1], -1);
}

TEST(OpcSwitchOn, AListTooLongForTheTablesAddsNothingPastIndex200) {
  OpcWorld w;
  OPCConnect(w.controller, w.link);
  w.link.LinkReadCount = 190;
  w.link.LinkWriteCount = 20;
  for (int i = 1; i <= LinkTagLimit; ++i) {
    w.link.LinkTagNames[i] = "ONOFF";
  }
  AddLinkItems(w.link);
  EXPECT_EQ(w.link.OPCReadItemsDone, 190);
  EXPECT_EQ(w.link.OPCWriteItemsDone, 10);
  EXPECT_EQ(w.server.added.size(), 200u);
  EXPECT_EQ(OPCAddWriteItem(w.link, "ONOFF"), 0);
  EXPECT_EQ(w.server.added.size(), 200u);
  const OpcLinkPanelLines panel = ShowOpcLinkPanel(w.link, false);
  EXPECT_EQ(panel.lstRead.size() + panel.lstWrite.size(), 200u);
}

TEST(OpcRead, OneBatchedReadFillsOnlyNumericValuesAndKeepsTheRest) {
  OpcWorld w;
  w.model().PVarIn[3].DCSTagLow = "";
  w.SwitchOn();
  w.model().PVarIn[1].PVHigh = 11;
  w.model().PVarIn[2].PVHigh = 22;
  w.model().PVarIn[3].PVLow = 33;
  w.model().PVarIn[3].PVIN = 44;
  w.server.tags["ONOFF"] = 1.0;
  w.server.tags["RF"] = std::string("20");
  w.server.tags["IN1.HI"] = std::string("abc");
  w.server.tags["IN1.LO"] = 12.25;
  w.server.tags["IN2.HI"] = 5.0;
  w.server.badQuality["IN2.HI"] = 1;
  w.server.tags["IN3.PV"] = std::string(" 1.5E2 ");
  w.server.tags["OUT1.PV"] = 1e300;  // beyond a single
  w.model().PVarOut[1].PVIN = 7;
  ReadOpcLinkInput(w.controller, w.link);
  EXPECT_EQ(w.server.reads, 1);
  EXPECT_FALSE(w.model().LinkReadError);
  EXPECT_EQ(w.model().DCSOnOffValue, 1);
  EXPECT_EQ(w.model().FLCBlock.RunFrequency, 20);
  EXPECT_EQ(w.model().PVarIn[1].PVHigh, 11) << "a text that is no number keeps the field";
  EXPECT_EQ(w.model().PVarIn[1].PVLow, 12.25f);
  EXPECT_EQ(w.model().PVarIn[2].PVHigh, 22) << "a value that is not Good keeps the field";
  EXPECT_EQ(w.model().PVarIn[3].PVLow, 33) << "a blank tag is never read";
  EXPECT_EQ(w.model().PVarIn[3].PVIN, 150.0f);
  EXPECT_EQ(w.model().PVarOut[1].PVIN, 7);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(w.link.LinkReadValues[11]));

  // On/off and run frequency: not numeric or beyond 16 bits.
  w.server.tags["ONOFF"] = std::string("RUN");
  w.server.tags["RF"] = 40000.0;
  ReadOpcLinkInput(w.controller, w.link);
  EXPECT_EQ(w.model().DCSOnOffValue, 0);
  EXPECT_EQ(w.model().FLCBlock.RunFrequency, 20);
  w.server.tags["ONOFF"] = 2.5;  // halves to even
  ReadOpcLinkInput(w.controller, w.link);
  EXPECT_EQ(w.model().DCSOnOffValue, 2);
}

TEST(OpcRead, AReadThatFailsAsAWholeSetsTheReadErrorUntilAGoodRead) {
  OpcWorld w;
  w.SwitchOn();
  w.server.tags["ONOFF"] = 1.0;
  w.server.tags["IN1.PV"] = 5.0;
  ReadOpcLinkInput(w.controller, w.link);
  ASSERT_EQ(w.model().PVarIn[1].PVIN, 5.0f);
  w.server.failReads = true;
  w.server.tags["IN1.PV"] = 6.0;
  ReadOpcLinkInput(w.controller, w.link);
  EXPECT_TRUE(w.model().LinkReadError);
  EXPECT_EQ(w.model().PVarIn[1].PVIN, 5.0f);
  EXPECT_EQ(w.model().DCSOnOffValue, 1) << "a failed read does not say the DCS switched off";
  w.server.failReads = false;
  ReadOpcLinkInput(w.controller, w.link);
  EXPECT_FALSE(w.model().LinkReadError);
  EXPECT_EQ(w.model().PVarIn[1].PVIN, 6.0f);

  OpcWorld never;
  never.server.failConnects = 3;
  never.SwitchOn();
  ReadOpcLinkInput(never.controller, never.link);
  EXPECT_TRUE(never.model().LinkReadError) << "no connection is a failed read";
}

TEST(OpcWrite, WritesOnlyWhileTheDcsHasTheControllerOnAndSkipsOutputsMarkedX) {
  OpcWorld w;
  w.SwitchOn();
  w.model().ErrorCodeValue = -91;
  w.model().PVarOut[1].ValueOut = "12.500";
  w.model().PVarOut[1].SendOutput = true;
  w.model().PVarOut[2].ValueOut = "Not Used";
  w.model().PVarOut[2].SendOutput = true;
  w.model().Link.PlantReadThisCycle = true;

  for (int16_t onOff : {0, 2, -1}) {
    w.model().DCSOnOffValue = onOff;
    WriteOpcLinkOutput(w.controller, w.link);
  }
  EXPECT_EQ(w.server.writes, 0) << "DCSOnOffValue other than 1 writes nothing";

  w.model().DCSOnOffValue = 1;
  WriteOpcLinkOutput(w.controller, w.link);
  EXPECT_EQ(w.server.writes, 1);
  EXPECT_EQ(w.server.written.size(), 3u);
  EXPECT_EQ(w.server.written["WD"], OpcValue(1.0));
  EXPECT_EQ(w.server.written["ERR"], OpcValue(-91.0));
  EXPECT_EQ(w.server.written["OUT1.SP"], OpcValue(std::string("12.500")));
  EXPECT_FALSE(w.server.written.contains("OUT2.SP"));
  EXPECT_EQ(w.link.LinkWriteValues[4], OpcValue(std::string("X")));
  EXPECT_FALSE(w.model().LinkWriteError);

  // An output held back or at exactly 0 is X as well; one that is no number is never written.
  w.server.written.clear();
  w.model().PVarOut[1].SendOutput = false;
  w.model().PVarOut[2].ValueOut = "abc";
  WriteOpcLinkOutput(w.controller, w.link);
  EXPECT_EQ(w.server.written.size(), 2u);

  w.server.failWrites = true;
  WriteOpcLinkOutput(w.controller, w.link);
  EXPECT_TRUE(w.model().LinkWriteError);
  w.server.failWrites = false;
  WriteOpcLinkOutput(w.controller, w.link);
  EXPECT_FALSE(w.model().LinkWriteError);

  w.model().Link.LinkStatus = "OFF";
  const int before = w.server.writes;
  WriteOpcLinkOutput(w.controller, w.link);
  EXPECT_EQ(w.server.writes, before) << "nothing written with the link off";
}

TEST(OpcWrite, ACycleThatDidNotReadThePlantMovesNoOutputButStillSaysItIsAlive) {
  OpcWorld w;
  w.SwitchOn();
  w.model().DCSOnOffValue = 1;
  w.model().ErrorCodeValue = 1;
  w.model().PVarOut[1].ValueOut = "12.500";
  w.model().PVarOut[1].SendOutput = true;
  w.model().Link.PlantReadThisCycle = false;
  WriteOpcLinkOutput(w.controller, w.link);
  EXPECT_EQ(w.server.written.size(), 2u);
  EXPECT_EQ(w.server.written["WD"], OpcValue(1.0));
  EXPECT_EQ(w.server.written["ERR"], OpcValue(1.0));
  EXPECT_FALSE(w.server.written.contains("OUT1.SP"));
  EXPECT_EQ(w.link.LinkWriteValues[3], OpcValue(std::string("X")));

  w.model().Link.PlantReadThisCycle = true;
  WriteOpcLinkOutput(w.controller, w.link);
  EXPECT_EQ(w.server.written["OUT1.SP"], OpcValue(std::string("12.500")));
}

TEST(OpcCycle, AFailedReadSendsTheWatchdogAndErrorCodeOneButNoOutputMove) {
  OpcWorld w;
  OneRuleController(w.controller);
  w.NameTags();
  w.server.tags["ONOFF"] = 1.0;
  w.server.tags["IN1.HI"] = 10.0;
  w.server.tags["IN1.PV"] = 3.0;
  w.server.tags["IN2.HI"] = 20.0;
  w.server.tags["IN2.PV"] = 4.0;
  w.server.tags["OUT1.PV"] = 7.0;
  CycleSteps steps;
  steps.readLink = [&](Controller& c) { ReadOpcLinkInput(c, w.link); };
  steps.writeLink = [&](Controller& c) { WriteOpcLinkOutput(c, w.link); };
  w.SwitchOn();
  Timer1Tick(w.controller, steps);  // the cycle after the switch-on only writes
  Timer1Tick(w.controller, steps);
  ASSERT_FALSE(w.model().LinkReadError);
  ASSERT_TRUE(w.server.written.contains("OUT1.SP")) << "a cycle that read the plant moves";

  w.server.written.clear();
  w.server.failReads = true;
  Timer1Tick(w.controller, steps);
  EXPECT_TRUE(w.model().LinkReadError);
  EXPECT_EQ(w.model().ErrorCodeValue, 1);
  EXPECT_EQ(w.server.written, (std::map<std::string, OpcValue>{{"WD", 1.0}, {"ERR", 1.0}}));
}

TEST(OpcSwitchOff, RemovesAcceptedItemsAndTheGroupThenDisconnects) {
  OpcWorld w;
  w.model().PVarIn[2].DCSTagPV = "NOT.THERE";
  w.SwitchOn();
  w.server.calls.clear();
  SwitchOpcLinkOff(w.controller, w.link);
  const auto removes = std::count_if(w.server.calls.begin(), w.server.calls.end(),
                                     [](const std::string& c) { return c.starts_with("Remove "); });
  EXPECT_EQ(removes, 12 + 4);
  EXPECT_EQ(w.server.calls.at(w.server.calls.size() - 2), "RemoveGroup");
  EXPECT_EQ(w.server.calls.back(), "Disconnect");
  EXPECT_EQ(w.link.OPCServerHandle, -1);
  EXPECT_EQ(w.model().Link.LinkStatus, "OFF");
  EXPECT_EQ(w.model().Link.LinkStatusSent, kOff);
  EXPECT_GT(w.events.processEventsCalls, 0) << "the half-second waits let window events run";
}

// The counts are of the tags that are set, of the controller and of the variables in use (here
// inputs 1..3 and both outputs): a healthy link reads all it counts.
void NameVariables(ControllerModel& m) {
  for (int i = 1; i <= 3; ++i) m.PVarIn[i].PVarName = "IN" + std::to_string(i);
  m.PVarOut[1].PVarName = "OUT1";
  m.PVarOut[2].PVarName = "OUT2";
}

TEST(OpcPanel, LinesAndCountsListEveryTagOrOnlyThoseTheServerRefused) {
  OpcWorld w;
  NameVariables(w.model());
  w.model().PVarIn[2].DCSTagPV = "NOT.THERE";
  w.model().PVarOut[2].DCSTagOut = "NOPE.SP";
  w.server.tags.erase("OUT2.SP");
  w.SwitchOn();
  w.server.tags["ONOFF"] = 1.0;
  w.server.tags["IN1.HI"] = 1480.5;
  ReadOpcLinkInput(w.controller, w.link);
  w.model().Link.PlantReadThisCycle = true;  // as the cycle notes after a good read
  w.model().PVarOut[1].ValueOut = "8.250";
  w.model().PVarOut[1].SendOutput = true;
  WriteOpcLinkOutput(w.controller, w.link);

  const OpcLinkPanelLines all = ShowOpcLinkPanel(w.link, false);
  ASSERT_EQ(all.lstRead.size(), 33u);
  EXPECT_EQ(all.lstRead[0], "ONOFF, " + std::to_string(w.link.LinkItemHandles[1]) + ", 1");
  EXPECT_EQ(all.lstRead[3], "IN1.HI, " + std::to_string(w.link.LinkItemHandles[4]) + ", 1480.5");
  EXPECT_EQ(all.lstRead[8], "NOT.THERE, -1, ");
  EXPECT_EQ(all.lstRead[12], ", 0, ") << "a slot without tags";
  ASSERT_EQ(all.lstWrite.size(), 4u);
  EXPECT_EQ(all.lstWrite[2], "OUT1.SP, " + std::to_string(w.link.LinkItemHandles[36]) + ", 8.250");
  EXPECT_EQ(all.lstWrite[3], "NOPE.SP, -1, X");
  EXPECT_EQ(all.lblCountRead, "12/13");
  EXPECT_EQ(all.lblCountWrite, "3/4");
  EXPECT_EQ(all.progressReadMax, 13);
  EXPECT_EQ(all.progressReadValue, 12);

  const OpcLinkPanelLines notFound = ShowOpcLinkPanel(w.link, true);
  EXPECT_EQ(notFound.lstRead, std::vector<std::string>{"NOT.THERE, -1, "});
  EXPECT_EQ(notFound.lstWrite, std::vector<std::string>{"NOPE.SP, -1, X"});

  OpcLink empty{w.server};
  EXPECT_EQ(ShowOpcLinkPanel(empty, false).progressReadMax, 100);
  EXPECT_EQ(ShowOpcLinkPanel(empty, false).lblCountRead, "0/0");
}

TEST(OpcSupervision, ALostServerIsReconnectedAtMostOnceAMinuteWithTheOption) {
  OpcWorld w;
  NameVariables(w.model());
  w.model().RestartInterface = true;
  w.SwitchOn();
  w.server.failReads = true;
  ReadOpcLinkInput(w.controller, w.link);
  ASSERT_TRUE(w.model().LinkReadError);

  // The server is still gone: the attempt fails quietly, into the event log.
  w.server.failConnects = 3;
  const auto connects = [&] {
    return std::count_if(w.server.calls.begin(), w.server.calls.end(),
                         [](const std::string& c) { return c.starts_with("Connect "); });
  };
  const auto before = connects();
  const std::string itemsAccepted = ShowOpcLinkPanel(w.link, false).lblCountRead;
  SuperviseOpcLink(w.controller, w.link);
  EXPECT_EQ(connects(), before + 3);
  EXPECT_TRUE(w.op.messages.empty()) << "no box pops up for an automatic attempt";
  // The items of the lost connection are gone: the counts start again, they never run on.
  EXPECT_EQ(w.link.OPCReadItemsDone, 33);
  EXPECT_EQ(w.link.OPCWriteItemsDone, 4);
  EXPECT_EQ(ShowOpcLinkPanel(w.link, false).lblCountRead, "0/13");
  EXPECT_EQ(ShowOpcLinkPanel(w.link, false).lblCountWrite, "0/4");
  ASSERT_FALSE(w.controller.events.Entries().empty());
  EXPECT_EQ(w.controller.events.Entries().front().text, "OPC Link Lost - Reconnecting OPCSRV");

  w.clock.Advance(30);
  SuperviseOpcLink(w.controller, w.link);
  EXPECT_EQ(connects(), before + 3) << "not again within the minute";

  // The server is back.
  w.server.failReads = false;
  w.clock.Advance(31);
  SuperviseOpcLink(w.controller, w.link);
  EXPECT_EQ(connects(), before + 4);
  EXPECT_GT(w.link.LinkItemHandles[1], 0);
  EXPECT_EQ(w.link.OPCReadItemsDone, 33);
  EXPECT_EQ(ShowOpcLinkPanel(w.link, false).lblCountRead, itemsAccepted);
  EXPECT_EQ(w.controller.events.Entries().back().text, "OPC Link Lost - Reconnected OPCSRV");
  EXPECT_TRUE(w.model().Link.SkipNextRead);
  ReadOpcLinkInput(w.controller, w.link);
  EXPECT_FALSE(w.model().LinkReadError);

  // Without the option, or with a good read, nothing is attempted.
  w.server.failReads = true;
  ReadOpcLinkInput(w.controller, w.link);
  w.model().RestartInterface = false;
  w.clock.Advance(120);
  const auto settled = connects();
  SuperviseOpcLink(w.controller, w.link);
  EXPECT_EQ(connects(), settled);
}

}  // namespace
}  // namespace kavro::test
