// The run frequency the DCS sends, over either link: a value of 0 or less never becomes the
// cycle's period.
#include <gtest/gtest.h>

#include <functional>

#include "link/DcsRunFrequency.h"
#include "link/LinkTags.h"
#include "link/opc/OpcLink.h"
#include "support/FakeOpcClient.h"
#include "support/LinkTestWorld.h"

namespace kavro::test {
namespace {

// A complete .IN file with the given run frequency and every other value 1.
std::string InFile(int runFrequency) {
  std::string text = "\"FLC1\"\r\n\"2026/12/05\"\r\n\"12:00:00\"\r\n1\r\n1\r\n" +
                     std::to_string(runFrequency) + "\r\n";
  for (int n = 0; n < LinkReadCount - 3; ++n) text += "1\r\n";
  return text;
}

struct OpcWorld : FakeWorld {
  OpcWorld() {
    ControllerModel& m = controller.model;
    ResetModel(m, "/nonexistent");
    ApplyDefaults(m);
    m.Program_Interface = "VELDTSRV";
    m.FLCBlock.DCSONOFF = "ONOFF";
    m.FLCBlock.DCSRunFreq = "RF";
    server.tags = {{"ONOFF", 1.0}, {"RF", 30.0}};
  }
  FakeOpcClient server;
  OpcLink link{server};
};

TEST(DcsRunFrequency, ZeroOrLessIsRefusedOverEitherLinkKeepingTheLastGoodValueNotedOnce) {
  LinkTestWorld files;
  OpcWorld opc;
  struct Kind {
    const char* name;
    Controller& controller;
    std::function<void(int)> read;  // one read that brings this run frequency
  };
  const Kind kinds[] = {
      {"file link", files.controller,
       [&](int value) {
         files.dir.Write("FLC1.IN", InFile(value));
         files.link.Read(files.controller);
       }},
      {"OPC link", opc.controller,
       [&](int value) {
         opc.server.tags["RF"] = static_cast<double>(value);
         ReadOpcLinkInput(opc.controller, opc.link);
       }},
  };
  ASSERT_TRUE(files.link.SwitchOn(files.controller));
  SwitchOpcLinkOn(opc.controller, opc.link);

  for (const Kind& kind : kinds) {
    SCOPED_TRACE(kind.name);
    int16_t& runFrequency = kind.controller.model.FLCBlock.RunFrequency;
    runFrequency = 30;
    std::vector<int16_t> seen;
    for (const int value : {0, -5, 25, 0}) {
      kind.read(value);
      EXPECT_FALSE(kind.controller.model.LinkReadError) << "the other values were read";
      seen.push_back(runFrequency);
    }
    EXPECT_EQ(seen, (std::vector<int16_t>{30, 30, 25, 25}));
    const std::vector<std::string> expected = {
        "Run frequency read from the DCS is 0 s, which is no period: the controller keeps its "
        "run frequency of 30 s",
        "Run frequency read from the DCS is 0 s, which is no period: the controller keeps its "
        "run frequency of 25 s"};
    EXPECT_EQ(EventTextsOfKind(kind.controller.events, EventKind::LinkFault), expected)
        << "noted when a refusal begins, not every cycle";
  }
}

}  // namespace
}  // namespace kavro::test
