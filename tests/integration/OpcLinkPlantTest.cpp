// The controller core against a real OPC UA server: kavro-plantsim --opcua serving the demo kiln,
// reached through the bridge. The loop closes over OPC UA; a server that dies and comes back, and
// a bridge that dies, are reconnected by the restart option; an untrusted server is refused.
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <numeric>
#include <thread>

#include "engine/ControlCycle.h"
#include "engine/Startup.h"
#include "link/LinkHooks.h"
#include "link/opc/BridgeOpcClient.h"
#include "link/opc/OpcLink.h"
#include "link/opc/PosixChildPipe.h"
#include "support/Eventually.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

using namespace std::chrono_literals;

constexpr int kSpeed = 100;  // plant seconds per real second

// A loopback port nobody listens on now.
int FreePort() {
  const int probe = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof address;
  bind(probe, reinterpret_cast<sockaddr*>(&address), size);
  getsockname(probe, reinterpret_cast<sockaddr*>(&address), &size);
  close(probe);
  return ntohs(address.sin_port);
}

// The demo-opc working folder on a free port, its plant served by the simulator, and a
// controller started in it with the OPC link's cycle steps.
class OpcPlant {
 public:
  explicit OpcPlant(const std::string& link2Appl = "") : port_(FreePort()) {
    std::string flc = ReadSource("demo-opc/FLC.dat");
    flc.replace(flc.find("48400"), 5, std::to_string(port_));
    flc.replace(flc.find("Link2Appl: "), 11, "Link2Appl: " + link2Appl);
    dir.Write("FLC.dat", flc);
    dir.Write("plant.txt", ReadSource("demo-opc/plant.txt"));
    StartServer();

    Ports& ports = controller.ports;
    ports.op = &op;
    ports.clock = &clock;
    ports.events = &events;
    ports.timer = &timer;
    ports.processes = &processes;
    ports.clipboard = &clipboard;
    SetProgramDefaults(controller, dir.Path());
    StartupSteps startup;
    FillLinkStartupSteps(startup);
    FLControlLoad(controller, startup);
    client.Configure(BridgeSettingsFor(dir.Path(), controller.model.FLCBlock.Link2Appl));
    steps.readLink = [this](Controller& c) { ReadOpcLinkInput(c, link); };
    steps.writeLink = [this](Controller& c) {
      WriteOpcLinkOutput(c, link);
      SuperviseOpcLink(c, link);
    };
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

  void Cycle() {
    Timer1Tick(controller, steps);
    const int period = controller.model.FLCBlock.RunFrequency;
    std::this_thread::sleep_for(std::chrono::duration<double>(static_cast<double>(period) / kSpeed));
    clock.Advance(period);
  }

  ScratchDir dir;
  PosixChildPipe server;  // the simulator
  PosixChildPipe bridge;
  BridgeOpcClient client{bridge, BridgeSettings{}};
  OpcLink link{client};
  FakeOperator op;
  FakeClock clock;
  FakeEventPump events{&clock};
  FakeCycleTimer timer;
  FakeProcessStarter processes;
  FakeClipboard clipboard;
  Controller controller;
  CycleSteps steps;

 private:
  int port_;
};

TEST(OpcLinkWithPlantSimulator, LoopClosesAndALostServerOrBridgeIsReconnected) {
  OpcPlant plant;
  ControllerModel& m = plant.controller.model;
  ASSERT_TRUE(m.RestartInterface);
  m.PVarIn[6].DCSTagPV = "NO.SUCH.TAG";
  SwitchOpcLinkOn(plant.controller, plant.link);
  ASSERT_TRUE(plant.op.messages.empty()) << plant.op.messages.front().text;
  ASSERT_FALSE(m.ToFileMode);
  // Every tag of the kiln is a variable of the server; the one it does not know is listed.
  EXPECT_EQ(plant.link.LinkItemHandles[3 + 3 * 5 + 3], -1);
  EXPECT_EQ(ShowOpcLinkPanel(plant.link, true).lstRead,
            std::vector<std::string>{"NO.SUCH.TAG, -1, "});
  EXPECT_EQ(plant.link.OPCWriteItemsOK, 4);

  // Closed loop: the burning zone starts cold (1375) below its OK zone (1410..1430).
  std::vector<float> temperature;
  for (int cycle = 1; cycle <= 100; ++cycle) {
    plant.Cycle();
    ASSERT_FALSE(m.LinkReadError) << "cycle " << cycle;
    ASSERT_FALSE(m.LinkWriteError) << "cycle " << cycle;
    temperature.push_back(m.PVarIn[1].PVIN);
  }
  EXPECT_EQ(m.DCSOnOffValue, 1);
  const float start = temperature[1];
  const float recent = std::accumulate(temperature.end() - 20, temperature.end(), 0.0f) / 20;
  EXPECT_LT(start, 1390.0f);
  EXPECT_GT(recent, 1395.0f) << "the fuel brought the temperature up";
  EXPECT_LT(recent, 1450.0f) << "and did not overshoot far";
  EXPECT_GT(m.PVarOut[1].PVIN, 8.2f) << "fuel, as read back from the plant";

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
  const auto& entries = plant.controller.events.Entries();
  ASSERT_FALSE(entries.empty());
  EXPECT_EQ(entries.back().text, "OPC Link Lost - Reconnected " + m.FLCBlock.LinkAppl);

  // The bridge dies: it is started again and the link reconnected.
  const pid_t firstBridge = plant.bridge.ProcessId();
  kill(firstBridge, SIGKILL);
  ASSERT_TRUE(Eventually(5s, [&] { return !plant.bridge.Running(); }));
  plant.Cycle();
  EXPECT_TRUE(m.LinkReadError);
  for (int cycle = 1; cycle <= 10 && m.LinkReadError; ++cycle) plant.Cycle();
  EXPECT_FALSE(m.LinkReadError);
  EXPECT_NE(plant.bridge.ProcessId(), firstBridge);
  EXPECT_TRUE(plant.bridge.Running());

  SwitchOpcLinkOff(plant.controller, plant.link);
  EXPECT_EQ(m.Link.LinkStatus, kOff);
}

TEST(OpcLinkWithPlantSimulator, SignAndEncryptWorksOnlyWithATrustedServerCertificate) {
  OpcPlant plant("SignAndEncrypt");
  ControllerModel& m = plant.controller.model;
  SwitchOpcLinkOn(plant.controller, plant.link);
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
  SwitchOpcLinkOn(plant.controller, plant.link);
  EXPECT_EQ(plant.op.messages.size(), 1u) << plant.op.messages.back().text;
  plant.Cycle();  // the first cycle after a switch-on does not read
  plant.Cycle();
  EXPECT_FALSE(m.LinkReadError);
  EXPECT_GT(m.PVarIn[1].PVIN, 1300.0f);
}

}  // namespace
}  // namespace kavro::test
