// One cycle at a time: the cycle lets window events run at its pump points (the display
// refresh, link and script waits, the OPC bridge waiting for an answer), and every window event
// may be an operator's command. Here every pump point and every dialog runs a command drawn at
// random from the whole list, over thousands of cycles on both link kinds, and after each
// cycle the controller must be whole: nothing left running or queued, the link the window shows
// is the link there is. Under the sanitizers a command that destroyed what a cycle still used
// ends the run.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>

#include "display/StatusFrame.h"
#include "link/LinkTags.h"
#include "link/opc/OpcLink.h"
#include "session/ControllerBuilder.h"
#include "support/DemoFiles.h"
#include "support/FakeOpcClient.h"
#include "support/FakePorts.h"

namespace kavro::test {
namespace {

// Window events: whatever the test hangs on it runs at each pump point.
class ChaosPump : public EventPump {
 public:
  explicit ChaosPump(FakeClock& clock) : clock_(clock) {}
  void ProcessEvents() override {
    ++pumps;
    if (onPump) onPump();
  }
  void Sleep(int milliseconds) override { clock_.Advance(milliseconds / 1000.0); }
  std::function<void()> onPump;
  long pumps = 0;

 private:
  FakeClock& clock_;
};

// The operator's dialogs are event loops too: commands and timer ticks come while one is open.
class ChaosOperator : public FakeOperator {
 public:
  MsgAnswer MessageBox(const std::string& text, const std::string& title, MsgIcon icon,
                       MsgButtons buttons) override {
    if (onDialog) onDialog();
    messages.clear();  // thousands of them: only the answer matters here
    return FakeOperator::MessageBox(text, title, icon, buttons);
  }
  std::function<void()> onDialog;
};

// An OPC server that, like the bridge, lets window events run while it waits for an answer,
// and keeps working on its own members after the wait: a link destroyed meanwhile is a
// use-after-free the sanitizers see.
class WaitingOpcServer : public FakeOpcClient {
 public:
  explicit WaitingOpcServer(EventPump& pump) : pump_(pump) {}
  int32_t ConnectOPC(const std::string& machine, const std::string& server,
                     int32_t reserved) override {
    pump_.ProcessEvents();
    return FakeOpcClient::ConnectOPC(machine, server, reserved);
  }
  int32_t ReadOPCItem(int32_t server, int32_t group, const std::vector<int32_t>& items,
                      std::vector<OpcReading>& readings) override {
    pump_.ProcessEvents();
    return FakeOpcClient::ReadOPCItem(server, group, items, readings);
  }
  int32_t WriteOPCItem(int32_t server, int32_t group, const std::vector<OpcWrite>& writes,
                       std::vector<int32_t>& results, int32_t reserved) override {
    pump_.ProcessEvents();
    return FakeOpcClient::WriteOPCItem(server, group, writes, results, reserved);
  }

 private:
  EventPump& pump_;
};

// The OPC link as the product wires it, on the waiting server instead of the bridge.
class WaitingOpcLink final : public Link {
 public:
  explicit WaitingOpcLink(const ControllerModel& model, EventPump& pump) : server_(pump) {
    for (const std::string& tag : ReadTagList(model)) {
      if (!tag.empty()) server_.tags[tag] = 1.0;
    }
    for (const std::string& tag : WriteTagList(model)) {
      if (!tag.empty()) server_.tags[tag] = 0.0;
    }
  }
  bool SwitchOn(Controller& c) override {
    SwitchOpcLinkOn(c, link_);
    return true;
  }
  void Read(Controller& c) override { ReadOpcLinkInput(c, link_); }
  void Write(Controller& c) override { WriteOpcLinkOutput(c, link_); }
  void SwitchOff(Controller& c) override { SwitchOpcLinkOff(c, link_); }
  void Supervise(Controller& c) override { SuperviseOpcLink(c, link_); }
  LinkPanelLines PanelLines(const Controller&, bool tagsNotFound) const override {
    return ShowOpcLinkPanel(link_, tagsNotFound);
  }

 private:
  WaitingOpcServer server_;
  OpcLink link_{server_};
};

// Files in memory: thousands of saves and link files, none of them waiting for the disk.
class MemoryFileSystem final : public FileSystem {
 public:
  bool Exists(const std::string& path) override { return files.count(path) > 0; }
  bool ReadAll(const std::string& path, std::string& bytes) override {
    const auto found = files.find(path);
    if (found == files.end()) return false;
    bytes = found->second;
    return true;
  }
  bool WriteAtomic(const std::string& path, const std::string& bytes, std::string*) override {
    files[path] = bytes;
    return true;
  }
  bool Copy(const std::string& from, const std::string& to) override {
    return ReadAll(from, files[to]);
  }
  bool Remove(const std::string& path) override { return files.erase(path) > 0; }
  std::optional<FileInfo> Stat(const std::string& path) override {
    const auto found = files.find(path);
    if (found == files.end()) return std::nullopt;
    return FileInfo{found->second.size(), 0};
  }
  bool AppendLine(const std::string& path, const std::string& line, const LogRule&,
                  std::string*) override {
    files[path] += line + "\n";
    return true;
  }
  std::unique_ptr<FileLock> Lock(const std::string&, LockRefusal&) override {
    return std::make_unique<FileLock>();
  }
  std::map<std::string, std::string> files;
};

enum class Kind { File, Opc };

struct ChaosWorld {
  explicit ChaosWorld(Kind kind, unsigned seed) : random(seed) {
    files.files[dir.File("FLC.dat")] = DemoFile("FLC.dat");
    files.files[dir.File("FLC_Post.scp")] = DemoFile("FLC_Post.scp");
    ControllerParts parts = FakeParts(op, clock, pump, timer, processes, clipboard);
    parts.files = &files;
    parts.session.auditSink = &audit;
    parts.session.eventsFile = false;
    if (kind == Kind::Opc) {
      parts.session.linkFactory = [this](const ControllerModel& model) -> std::unique_ptr<Link> {
        return std::make_unique<WaitingOpcLink>(model, pump);
      };
    }
    built = std::make_unique<BuiltController>(controller, std::move(parts));
    session = &built->session();
    commands = {
        // What changes what the cycle uses.
        [this] { session->RunCommand("mnuLinkStatus"); },
        [this] { session->RunCommand("mnuLinkStatus"); },
        [this] { session->RunCommand("mnuLinkRestart"); },
        [this] { session->RunCommand("mnuToDCS"); },
        [this] { session->RunCommand("mnuToFile"); },
        [this] { session->RunCommand("mnuSlope"); },
        [this] { session->RunCommand("mnuSaveMode"); },
        [this] { session->RunCommand("mnuScreenLock"); },
        [this] { session->RunCommand("mnuSave"); },
        [this] { session->RunCommand("mnuExit"); },
        [this] { session->RunCommand("mnuPostProcessExe"); },
        [this] { session->RunCommand("mnuPreProcessExe"); },
        // The script replaced, as a save in its editor does.
        [this] {
          session->Submit(CommandKind::Changes, [this] {
            session->scriptHost().Load(ScriptKind::Post);
          });
        },
        // What only looks.
        [this] { session->RunCommand("mnuDebugLink"); },
        [this] { session->RunCommand("cmdHide"); },
        [this] { session->RunCommand("mnuDebugCalc"); },
        [this] { session->RunCommand("mnuAbout"); },
        [this] { session->RunCommand("mnuCopy"); },
        [this] { session->RunCommand("mnuExportTrend"); },
        // The timer's tick behind a dialog.
        [this] { session->RunCycle(); },
    };
    // A command at every pump point and behind every dialog, up to a number per cycle: a
    // cycle behind a dialog has pump points of its own, and the run would only go deeper.
    const auto chaos = [this] {
      if (depth > 2 || budget <= 0) return;
      --budget;
      ++depth;
      commands[std::uniform_int_distribution<std::size_t>(0, commands.size() - 1)(random)]();
      --depth;
    };
    pump.onPump = chaos;
    op.onDialog = chaos;
  }

  // What must hold between two cycles, whatever ran in them.
  void ExpectWhole(int cycle) {
    const ControllerModel& m = controller.model;
    ASSERT_FALSE(session->gate().CycleRunning()) << cycle;
    ASSERT_FALSE(session->gate().CommandRunning()) << cycle;
    ASSERT_EQ(session->gate().Waiting(), 0u) << "a command left waiting after cycle " << cycle;
    ASSERT_FALSE(m.CycleHold) << cycle;
    const bool on = m.Link.LinkStatus == kOn;
    ASSERT_EQ(on, session->link().Current() != nullptr) << cycle;
    ASSERT_EQ(controller.window.status->lblLink.caption, on ? "Link ON" : "Link OFF") << cycle;
    ASSERT_TRUE(timer.armed) << "no next cycle after cycle " << cycle;
  }

  ScratchDir dir;
  MemoryFileSystem files;
  ChaosOperator op;
  FakeClock clock;
  ChaosPump pump{clock};
  FakeCycleTimer timer;
  FakeProcessStarter processes;
  FakeClipboard clipboard;
  struct : AuditSink {
    bool Append(const std::string&, const std::string&) override { return true; }
    std::string Timestamp() override { return "2026-12-09T12:00:00+00:00"; }
    std::string LoginName() override { return "operator"; }
  } audit;
  Controller controller;
  std::unique_ptr<BuiltController> built;
  ControllerSession* session = nullptr;
  std::vector<std::function<void()>> commands;
  std::mt19937 random;
  int depth = 0;
  int budget = 0;
};

void RunChaos(Kind kind, unsigned seed) {
  ChaosWorld w(kind, seed);
  w.session->Start(w.dir.Path());
  w.controller.window.minimised = false;
  long commandsRun = 0;
  int cyclesWithLinkOn = 0;
  for (int cycle = 1; cycle <= 2000; ++cycle) {
    w.clock.Advance(w.controller.model.FLCBlock.RunFrequency);
    w.budget = 12;
    w.session->RunCycle();
    commandsRun += 12 - w.budget;
    if (w.controller.model.Link.LinkStatus == kOn) ++cyclesWithLinkOn;
    w.controller.model.ExitRequested = false;  // the window would have ended; go on instead
    w.ExpectWhole(cycle);
    if (testing::Test::HasFatalFailure()) return;
  }
  // The run proves something only if commands did land inside cycles.
  EXPECT_GT(commandsRun, 5000);
  EXPECT_GT(cyclesWithLinkOn, 500);
}

TEST(OneCycleAtATime, RandomCommandsAtEveryPumpPointOnTheFileLink) { RunChaos(Kind::File, 20261209); }

TEST(OneCycleAtATime, RandomCommandsAtEveryPumpPointOnTheOpcLink) { RunChaos(Kind::Opc, 4242); }

// The gate's own promises, one by one: what came during a cycle runs after it in the order
// given; a look runs at once; a tick while a command changes the controller runs as the
// command ends; a tick while the command waits for the operator runs at once.
TEST(OneCycleAtATime, GateQueuesChangesBehindTheCycleAndDefersTicksBehindChanges) {
  std::vector<std::string> log;
  std::function<void()> inCycle;
  CommandGate gate(
      [&] {
        log.push_back("cycle");
        if (inCycle) inCycle();
        log.push_back("cycle end");
      },
      [](const CommandGate::Work& work) { work(); });

  inCycle = [&] {
    gate.Submit(CommandKind::Changes, [&] { log.push_back("A"); });
    gate.Submit(CommandKind::Looks, [&] { log.push_back("look"); });
    gate.Submit(CommandKind::Changes, [&] { log.push_back("B"); });
    gate.RequestCycle();  // a tick inside the cycle: the cycle itself arms the next
  };
  gate.RequestCycle();
  EXPECT_EQ(log, (std::vector<std::string>{"cycle", "look", "cycle end", "A", "B"}));

  log.clear();
  inCycle = nullptr;
  gate.Submit(CommandKind::Changes, [&] {
    log.push_back("change begins");
    gate.RequestCycle();  // the bridge pumped events while the link came on
    log.push_back("change ends");
  });
  EXPECT_EQ(log, (std::vector<std::string>{"change begins", "change ends", "cycle", "cycle end"}));

  log.clear();
  gate.Submit(CommandKind::Changes, [&] {
    {
      CommandGate::OperatorWait asking(gate);
      gate.RequestCycle();
      gate.Submit(CommandKind::Changes, [&] { log.push_back("second command"); });
    }
    log.push_back("answered");
  });
  EXPECT_EQ(log, (std::vector<std::string>{"cycle", "cycle end", "answered", "second command"}));
  EXPECT_EQ(gate.Waiting(), 0u);
}

}  // namespace
}  // namespace kavro::test
