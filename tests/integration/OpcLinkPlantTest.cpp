// The controller against a real OPC UA server: kavro-plantsim --opcua serving the demo kiln,
// reached through the bridge, with the session's own wiring (MakeLink gives the OPC link). The loop closes over OPC UA; a server that dies and comes back, and
// a bridge that dies, are reconnected by the restart option; an untrusted server is refused.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "display/LinkPanel.h"
#include "link/opc/OpcUaLink.h"
#include "session/ControllerBuilder.h"
#include "session/LinkCommands.h"
#include "support/Eventually.h"
#include "support/FakePorts.h"
#include "support/FreePort.h"
#include "support/KilnLoopClosed.h"
#include "support/PlantTimeCycle.h"
#include "support/TestPaths.h"

namespace kavro::test {
namespace {

using namespace std::chrono_literals;

constexpr int kSpeed = 200;  // plant seconds per real second

// The demo-opc working folder on a free port, its plant served by the simulator, and a
// controller started in it as the program starts; its RESTART I/F YES switches the link on.
class OpcPlant : public FakeWorld {
 public:
  explicit OpcPlant(const std::string& link2Appl = "") : port_(FreeLoopbackPort()) {
    std::string flc = ReadSource("demo-opc/FLC.dat");
    flc.replace(flc.find("48400"), 5, std::to_string(port_));
    flc.replace(flc.find("Link2Appl: "), 11, "Link2Appl: " + link2Appl);
    dir.Write("FLC.dat", flc);
    dir.Write("plant.txt", ReadSource("demo-opc/plant.txt"));
    StartServer();
    session.Start(dir.Path());
  }

  void SwitchOn() { SwitchLinkOn(controller, session.link()); }

  // The OPC link that is on; fails the test when there is none.
  OpcUaLink& Link() {
    auto* opc = dynamic_cast<OpcUaLink*>(session.link().Current());
    if (!opc) throw std::runtime_error("the OPC link is not on");
    return *opc;
  }
  // Switches the link off and on again, as the operator does after changing a tag.
  void SwitchAgain() {
    session.link().SwitchOff(controller);
    SwitchOn();
  }

  static std::string ReadSource(const std::string& name) {
    std::string bytes;
    SystemFileSystem().ReadAll(std::string(KAVRO_SOURCE_DIR) + "/" + name, bytes);
    return bytes;
  }

  void StartServer() {
    ASSERT_TRUE(server.Start(std::string(KAVRO_BINARY_DIR) + "/tools/kavro-plantsim/kavro-plantsim",
                             {"--dir", dir.Path(), "--speed", std::to_string(kSpeed), "--opcua",
                              std::to_string(port_), "KILN1"}));
    std::optional<std::string> line;
    while ((line = server.ReadLine(90000))) {
      if (line->find("OPC UA server at") != std::string::npos) return;
    }
    FAIL() << "the simulator's OPC UA server did not come up";
  }

  // True while something accepts connections on the server's port.
  bool Listening() const {
    const int probe = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(static_cast<uint16_t>(port_));
    const bool accepted = connect(probe, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(probe);
    return accepted;
  }

  void Cycle() { CycleInPlantTime(session, controller, clock, kSpeed); }

  ScratchDir dir;
  PosixChildPipe server;  // the simulator
  BuiltController built{controller};
  ControllerSession& session = built.session();

 private:
  int port_;
};

TEST(OpcLinkWithPlantSimulator, LoopClosesAndALostServerOrBridgeIsReconnected) {
  OpcPlant plant;
  ControllerModel& m = plant.controller.model;
  ASSERT_TRUE(m.RestartInterface);
  // RESTART I/F YES: start-up switches the OPC link on, as a restarted workstation needs.
  ASSERT_EQ(m.Link.LinkStatus, kOn);
  ASSERT_TRUE(plant.op.messages.empty()) << plant.op.messages.front().text;
  m.PVarIn[6].DCSTagPV = "NO.SUCH.TAG";
  plant.SwitchAgain();
  ASSERT_NE(dynamic_cast<OpcUaLink*>(plant.session.link().Current()), nullptr);
  ASSERT_TRUE(plant.op.messages.empty()) << plant.op.messages.front().text;
  ASSERT_FALSE(m.ToFileMode);
  // Every tag of the kiln is a variable of the server; the one it does not know is listed on
  // the link debug panel under Tags Not Found.
  EXPECT_EQ(plant.Link().Tables().LinkItemHandles[3 + 3 * 5 + 3], -1);
  ASSERT_TRUE(plant.session.RunCommand("mnuDebugLink"));
  plant.controller.window.Frame1->chkTagsNotFound = true;
  plant.Cycle();
  EXPECT_EQ(plant.controller.window.Frame1->lines.lstRead,
            std::vector<std::string>{"NO.SUCH.TAG, -1, "});
  EXPECT_EQ(plant.controller.window.Frame1->lines.lblCountWrite, "4/4");
  // The count is of the tags set on the kiln's variables in use, all read: the unknown tag is
  // of input 6, which is not in use, and a blank tag has no item.
  EXPECT_EQ(plant.controller.window.Frame1->lines.lblCountRead, "24/24");
  ASSERT_TRUE(plant.session.RunCommand("cmdHide"));

  // Closed loop: the burning zone starts cold (1375) below its OK zone (1410..1430).
  std::vector<float> temperature;
  for (int cycle = 1; cycle <= 100; ++cycle) {
    plant.Cycle();
    if (cycle == 1) continue;  // the cycle after the switch-on only writes
    ASSERT_FALSE(m.LinkReadError) << "cycle " << cycle;
    ASSERT_FALSE(m.LinkWriteError) << "cycle " << cycle;
    temperature.push_back(m.PVarIn[1].PVIN);
  }
  EXPECT_EQ(m.DCSOnOffValue, 1);
  ExpectKilnLoopClosed(temperature, m);

  // The server dies: the read fails as a whole and code 1 is composed for the DCS.
  kill(plant.server.ProcessId(), SIGKILL);
  plant.server.Stop();
  ASSERT_TRUE(Eventually(30s, [&] { return !plant.Listening(); })) << "its node server ends too";
  plant.Cycle();
  EXPECT_TRUE(m.LinkReadError);
  EXPECT_EQ(m.ErrorCodeValue, 1);
  EXPECT_TRUE(plant.op.messages.empty()) << "reconnection attempts show no box";

  // It comes back: within a minute or so the link reconnects without the operator.
  plant.StartServer();
  for (int cycle = 1; cycle <= 10 && m.LinkReadError; ++cycle) plant.Cycle();
  EXPECT_FALSE(m.LinkReadError);
  EXPECT_NE(m.ErrorCodeValue, 1);
  // The faults' ends are noted after the reconnection that ended them: the watchdog and error
  // code the controller went on sending failed with the server too, and the cycle after the
  // reconnection writes before it reads.
  const auto& entries = plant.controller.events.Entries();
  ASSERT_GE(entries.size(), 3u);
  EXPECT_EQ(entries[entries.size() - 3].text, "OPC Link Lost - Reconnected " + m.FLCBlock.LinkAppl);
  EXPECT_EQ(entries[entries.size() - 2].text.rfind("Link write error ended after ", 0), 0u)
      << entries[entries.size() - 2].text;
  EXPECT_EQ(entries.back().text.rfind("Link read error ended after ", 0), 0u) << entries.back().text;

  // The bridge dies: it is started again and the link reconnected.
  PosixChildPipe& bridge = plant.Link().Bridge();
  const pid_t firstBridge = bridge.ProcessId();
  kill(firstBridge, SIGKILL);
  ASSERT_TRUE(Eventually(5s, [&] { return !bridge.Running(); }));
  plant.Cycle();
  EXPECT_TRUE(m.LinkReadError);
  for (int cycle = 1; cycle <= 10 && m.LinkReadError; ++cycle) plant.Cycle();
  EXPECT_FALSE(m.LinkReadError);
  EXPECT_NE(bridge.ProcessId(), firstBridge);
  EXPECT_TRUE(bridge.Running());

  const pid_t secondBridge = bridge.ProcessId();
  plant.session.link().SwitchOff(plant.controller);
  EXPECT_EQ(m.Link.LinkStatus, kOff);
  EXPECT_TRUE(Eventually(5s, [&] { return kill(secondBridge, 0) != 0; }))
      << "no bridge outlives the link";
}

TEST(OpcLinkWithPlantSimulator, SignAndEncryptWorksOnlyWithATrustedServerCertificate) {
  OpcPlant plant("SignAndEncrypt");  // start-up switches the link on
  ControllerModel& m = plant.controller.model;
  ASSERT_EQ(m.Link.LinkStatus, kOn) << "on, though the connect was refused";
  ASSERT_EQ(plant.op.messages.size(), 1u);
  const std::string& refused = plant.op.messages[0].text;
  EXPECT_EQ(refused.substr(0, refused.find('\r')),
            "Error: " + m.FLCBlock.LinkAppl + " Server Not Connecting");
  EXPECT_NE(refused.find("server " + m.FLCBlock.LinkAppl + " is not trusted"), std::string::npos)
      << refused;
  const std::string trusted = plant.dir.Path() + "/pki/trusted/certs";
  EXPECT_NE(refused.find(trusted), std::string::npos) << refused;
  EXPECT_TRUE(std::filesystem::exists(plant.dir.Path() + "/pki/own/certs/client_certificate.pem"));

  // The operator trusts it, as the message says.
  int moved = 0;
  for (const auto& entry : std::filesystem::directory_iterator(plant.dir.Path() + "/pki/rejected")) {
    std::filesystem::rename(entry.path(), trusted + "/" + entry.path().filename().string());
    ++moved;
  }
  ASSERT_EQ(moved, 1);
  plant.SwitchAgain();
  EXPECT_EQ(plant.op.messages.size(), 1u) << plant.op.messages.back().text;
  plant.Cycle();  // the first cycle after a switch-on does not read
  plant.Cycle();
  EXPECT_FALSE(m.LinkReadError);
  EXPECT_GT(m.PVarIn[1].PVIN, 1300.0f);
}

}  // namespace
}  // namespace kavro::test
