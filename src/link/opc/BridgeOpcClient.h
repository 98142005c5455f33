#pragma once
// The OpcClient of the controller: OPC UA through the bridge program (tools/opcua-bridge), a node
// child process spoken to in JSON lines. The bridge is started on first use and again whenever a
// connect finds it ended. A call that gets no answer in time fails (-1) rather than wait on, and so
// does one whose answer is not what the operation gives. Every time limit of the bridge is set
// here and sent with the connect, so the bridge never gives up later than the controller waits.
#include <cstdint>
#include <nlohmann/json_fwd.hpp>
#include <string>

#include "common/ports/ChildPipe.h"
#include "common/ports/EventPump.h"
#include "common/ports/OpcClient.h"
#include "common/ports/PortRef.h"

namespace kavro {

// The OPC UA port a machine name stands for when LinkAppl is not an opc.tcp:// URL.
inline constexpr int kDefaultOpcUaPort = 4840;

struct BridgeSettings {
  std::string node = "node";  // the node program, found on PATH unless a path is given
  std::string script;         // bridge.js
  std::string pkiFolder;      // WorkDir/pki: own certificate, trusted and rejected servers
  std::string userFile;       // WorkDir/opcua-user: user name and password, owner-only
  std::string security = "None";  // None, Sign or SignAndEncrypt
  int namespaceIndex = 1;         // where plain tags are looked up
  int connectTimeoutMs = 5000;    // each step of a connect: the server, then the session
  int certificateTimeoutMs = 30000;  // creating the controller's own certificate on first use
  int callTimeoutMs = 2000;          // every other call
};

// How long the controller waits for the bridge's answer to a connect: every step the bridge may
// take, each at its own limit, and the time for the answer to come back.
int ConnectAnswerWaitMs(const BridgeSettings& settings);

// The folder of the bridge's node programs (bridge.js, plant-server.js): $KAVRO_OPCUA_BRIDGE when
// set, else the build tree's bundles (tools/opcua-bridge) while they are there, else the
// installed copy.
std::string OpcUaBridgeFolder();
// bridge.js in that folder.
std::string DefaultBridgeScript();

// The endpoint for a server name and machine name: the server name when it is an opc.tcp:// URL;
// otherwise the machine (this computer when empty) on the standard OPC UA port, or on the port
// the machine name gives after a ":".
std::string OpcUaEndpoint(const std::string& machineName, const std::string& serverName);

// The settings of the controller's configuration: WorkDir/pki and WorkDir/opcua-user, and from
// Link2Appl (which the OPC link has no other use for) blank-separated words: the security mode
// None, Sign or SignAndEncrypt (None when absent), and "ns=N" for the namespace of plain tags
// (1, the server's own, when absent). A word it does not know is named in *problem.
BridgeSettings BridgeSettingsFor(const std::string& workDir, const std::string& link2Appl,
                                 std::string* problem = nullptr);

class BridgeOpcClient final : public OpcClient {
 public:
  // events runs pending window events while an answer is awaited.
  BridgeOpcClient(ChildPipe& pipe, BridgeSettings settings, EventPump& events = NoEventPump());

  void Configure(BridgeSettings settings) { settings_ = std::move(settings); }
  void UseEventPump(EventPump& events) { events_ = &events; }
  const BridgeSettings& Settings() const { return settings_; }

  int32_t WTclientCoInit() override;
  int32_t ConnectOPC(const std::string& machineName, const std::string& serverName,
                     int32_t reserved) override;
  int32_t AddOPCGroup(int32_t server, const std::string& groupName, int32_t& updateRate,
                      int32_t& reserved) override;
  int32_t AddOPCItem(int32_t server, int32_t group, const std::string& itemName) override;
  int32_t ReadOPCItem(int32_t server, int32_t group, const std::vector<int32_t>& items,
                      std::vector<OpcReading>& readings) override;
  int32_t WriteOPCItem(int32_t server, int32_t group, const std::vector<OpcWrite>& writes,
                       std::vector<int32_t>& results, int32_t reserved) override;
  int32_t RemoveOPCItem(int32_t server, int32_t group, int32_t item) override;
  int32_t RemoveOPCGroup(int32_t server, int32_t group) override;
  int32_t DisconnectOPC(int32_t server) override;
  std::string LastFailure() const override { return lastFailure_; }

 private:
  struct Answer;
  bool EnsureBridge();
  // Sends request (its id added) and waits at most waitMs for its answer.
  Answer Call(nlohmann::json request, int waitMs);
  bool IsCurrent(int32_t server, int32_t group) const;

  ChildPipe& pipe_;
  BridgeSettings settings_;
  PortRef<EventPump> events_;
  long long nextId_ = 1;
  int32_t server_ = -1;  // the handle of the open connection; -1 when none
  int32_t group_ = -1;
  int32_t handles_ = 0;  // last handle given out: server and group handles never repeat
  bool busy_ = false;    // a call is waiting for its answer
  std::string lastFailure_;
};

}  // namespace kavro
