// The OpcClient over the bridge's line protocol, against a scripted bridge: what is asked, how
// answers map to handles and values, and what a silent or dead bridge gives.
#include <gtest/gtest.h>

#include <functional>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <utility>

#include "link/opc/BridgeOpcClient.h"
#include "support/FakeChildPipe.h"

namespace kavro::test {
namespace {

using Json = nlohmann::json;

// A bridge that knows the tags given and answers every operation.
struct ScriptedBridge {
  ScriptedBridge() {
    pipe.peer = [this](const std::string& line) -> std::vector<std::string> {
      const Json request = Json::parse(line);
      requests.push_back(request);
      if (silent) return {};
      Json reply = {{"id", request["id"]}, {"ok", true}};
      const std::string op = request["op"];
      if (op == "connect" && refuseConnect) {
        reply["ok"] = false;
        reply["error"] = "the certificate of server x is not trusted";
      } else if (op == "add") {
        const std::string tag = request["tag"];
        const auto known = std::find(tags.begin(), tags.end(), tag);
        if (known == tags.end()) {
          reply["ok"] = false;
          reply["error"] = tag + ": no such node";
        } else {
          reply["item"] = known - tags.begin() + 1;
        }
      } else if (op == "read") {
        reply["values"] = Json::array();
        reply["status"] = Json::array();
        for (const auto& item : request["items"]) {
          const int n = item.get<int>();
          reply["values"].push_back(n == 1 ? Json(12.5) : n == 2 ? Json("AUTO") : Json(nullptr));
          reply["status"].push_back(n == 3 ? "BadNodeIdUnknown" : "Good");
        }
      } else if (op == "write") {
        reply["status"] = Json::array();
        for (std::size_t k = 0; k < request["items"].size(); ++k) reply["status"].push_back("Good");
      }
      if (broken) {
        Json malformed = broken(request);
        malformed["id"] = request["id"];
        broken = nullptr;
        return {malformed.dump()};
      }
      // An answer to a call long given up comes first, and must be passed over.
      return {Json{{"id", -5}, {"ok", false}}.dump(), "not json", reply.dump()};
    };
  }
  // The requests of one operation.
  std::vector<Json> Of(const std::string& op) const {
    std::vector<Json> found;
    for (const Json& r : requests) {
      if (r["op"] == op) found.push_back(r);
    }
    return found;
  }

  FakeChildPipe pipe;
  std::vector<std::string> tags = {"FC401.SP", "MODE", "GONE"};
  std::vector<Json> requests;
  bool silent = false;
  bool refuseConnect = false;
  // When set, the next request gets this answer (its id added) instead of the right one.
  std::function<Json(const Json&)> broken;
};

BridgeSettings Settings() {
  BridgeSettings s;
  s.script = "/opt/bridge.js";
  s.pkiFolder = "/plant/pki";
  s.security = "SignAndEncrypt";
  s.namespaceIndex = 2;
  s.callTimeoutMs = 300;
  return s;
}

TEST(OpcUaEndpoint, AnUrlStandsAsItIsElseTheMachineOnTheStandardPort) {
  EXPECT_EQ(OpcUaEndpoint("PLANTPC", "opc.tcp://10.0.0.5:4841/dcs"), "opc.tcp://10.0.0.5:4841/dcs");
  EXPECT_EQ(OpcUaEndpoint("PLANTPC", "Vendor.OPC.1"), "opc.tcp://PLANTPC:4840");
  EXPECT_EQ(OpcUaEndpoint("plantpc:48010", "Vendor.OPC.1"), "opc.tcp://plantpc:48010");
  EXPECT_EQ(OpcUaEndpoint("", "Vendor.OPC.1"), "opc.tcp://localhost:4840");
}

TEST(BridgeSettingsFor, Link2ApplChoosesSecurityAndThePlainTagNamespace) {
  const BridgeSettings plain = BridgeSettingsFor("/plant", "");
  EXPECT_EQ(plain.security, "None");
  EXPECT_EQ(plain.namespaceIndex, 1);
  EXPECT_EQ(plain.pkiFolder, "/plant/pki");
  EXPECT_EQ(plain.userFile, "/plant/opcua-user");
  std::string problem;
  const BridgeSettings secure = BridgeSettingsFor("/plant", " SignAndEncrypt  ns=3 ", &problem);
  EXPECT_EQ(secure.security, "SignAndEncrypt");
  EXPECT_EQ(secure.namespaceIndex, 3);
  EXPECT_TRUE(problem.empty());
  const BridgeSettings odd = BridgeSettingsFor("/plant", "Encrypt ns=x", &problem);
  EXPECT_EQ(odd.security, "None");
  EXPECT_EQ(odd.namespaceIndex, 1);
  EXPECT_EQ(problem, "Link2Appl: ns=x is neither None, Sign, SignAndEncrypt nor ns=N");
}

TEST(BridgeOpcClient, ConnectStartsTheBridgeAndPassesTheSettings) {
  ScriptedBridge bridge;
  BridgeOpcClient client(bridge.pipe, Settings());
  EXPECT_EQ(client.WTclientCoInit(), 0);
  EXPECT_EQ(bridge.pipe.starts, 1);
  EXPECT_EQ(bridge.pipe.started, (std::vector<std::string>{"node", "/opt/bridge.js"}));
  const int32_t server = client.ConnectOPC("PLANTPC", "OPCSRV", -1);
  EXPECT_GT(server, 0);
  EXPECT_EQ(bridge.pipe.starts, 1) << "a running bridge is kept";
  const Json connect = bridge.Of("connect").at(0);
  EXPECT_EQ(connect["endpoint"], "opc.tcp://PLANTPC:4840");
  EXPECT_EQ(connect["security"], "SignAndEncrypt");
  EXPECT_EQ(connect["pki"], "/plant/pki");
  EXPECT_EQ(connect["namespace"], 2);
  EXPECT_FALSE(connect.contains("userFile"));
  // The bridge gets every time limit from here and has none of its own; the wait for its answer
  // covers every step it may take at those limits.
  const BridgeSettings limits = Settings();
  EXPECT_EQ(connect["connectMs"], limits.connectTimeoutMs);
  EXPECT_EQ(connect["certificateMs"], limits.certificateTimeoutMs);
  EXPECT_EQ(connect["callMs"], limits.callTimeoutMs);
  EXPECT_GT(ConnectAnswerWaitMs(limits), limits.certificateTimeoutMs + 2 * limits.connectTimeoutMs);

  int32_t rate = 5000;
  int32_t zero = 0;
  const int32_t group = client.AddOPCGroup(server, "FLC1", rate, zero);
  EXPECT_GT(group, 0);
  EXPECT_NE(group, server);
  EXPECT_EQ(client.AddOPCGroup(server + 100, "FLC1", rate, zero), -1);

  bridge.refuseConnect = true;
  EXPECT_EQ(client.ConnectOPC("PLANTPC", "OPCSRV", -1), -1);
  EXPECT_EQ(client.LastFailure(), "the certificate of server x is not trusted");
}

TEST(BridgeOpcClient, ItemsReadAndWriteInOneRequestEachWithTheirValues) {
  ScriptedBridge bridge;
  BridgeOpcClient client(bridge.pipe, Settings());
  const int32_t server = client.ConnectOPC("", "opc.tcp://h:1", -1);
  int32_t rate = 0, zero = 0;
  const int32_t group = client.AddOPCGroup(server, "G", rate, zero);
  EXPECT_EQ(client.AddOPCItem(server, group, "FC401.SP"), 1);
  EXPECT_EQ(client.AddOPCItem(server, group, "MODE"), 2);
  EXPECT_EQ(client.AddOPCItem(server, group, "GONE"), 3);
  EXPECT_EQ(client.AddOPCItem(server, group, "UNKNOWN"), -1);
  EXPECT_EQ(client.AddOPCItem(server, group + 1, "MODE"), -1) << "not the open group";

  std::vector<OpcReading> readings;
  EXPECT_EQ(client.ReadOPCItem(server, group, {1, 2, 3}, readings), 0);
  ASSERT_EQ(readings.size(), 3u);
  EXPECT_EQ(readings[0].value, OpcValue(12.5));
  EXPECT_EQ(readings[0].quality, kOpcQualityGood);
  EXPECT_EQ(readings[1].value, OpcValue(std::string("AUTO")));
  EXPECT_TRUE(std::holds_alternative<std::monostate>(readings[2].value));
  EXPECT_NE(readings[2].quality, kOpcQualityGood);
  EXPECT_EQ(bridge.Of("read").size(), 1u);

  std::vector<int32_t> results;
  const std::vector<OpcWrite> writes = {{1, std::string("8.250")}, {2, OpcValue{}}, {3, -91.0}};
  EXPECT_EQ(client.WriteOPCItem(server, group, writes, results, 0), 0);
  EXPECT_EQ(results, (std::vector<int32_t>{0, -1, 0})) << "nothing to write is not sent";
  ASSERT_EQ(bridge.Of("write").size(), 1u);
  EXPECT_EQ(bridge.Of("write")[0]["items"], Json::parse(R"([[1,"8.250"],[3,-91.0]])"));
}

TEST(BridgeOpcClient, ASilentOrEndedBridgeFailsTheCallAndIsStartedAgainOnConnect) {
  ScriptedBridge bridge;
  BridgeOpcClient client(bridge.pipe, Settings());
  const int32_t server = client.ConnectOPC("", "opc.tcp://h:1", -1);
  int32_t rate = 0, zero = 0;
  const int32_t group = client.AddOPCGroup(server, "G", rate, zero);
  ASSERT_EQ(client.AddOPCItem(server, group, "FC401.SP"), 1);

  bridge.silent = true;
  std::vector<OpcReading> readings;
  EXPECT_EQ(client.ReadOPCItem(server, group, {1}, readings), -1);
  ASSERT_EQ(readings.size(), 1u);
  EXPECT_TRUE(std::holds_alternative<std::monostate>(readings[0].value));
  EXPECT_EQ(client.LastFailure(), "the OPC UA bridge gave no answer in time");

  bridge.silent = false;
  bridge.pipe.running = false;  // the bridge died
  EXPECT_EQ(client.ReadOPCItem(server, group, {1}, readings), -1);
  std::vector<int32_t> results;
  EXPECT_EQ(client.WriteOPCItem(server, group, {{1, 1.0}}, results, 0), -1);
  const int32_t again = client.ConnectOPC("", "opc.tcp://h:1", -1);
  EXPECT_EQ(bridge.pipe.starts, 2);
  EXPECT_GT(again, server) << "a new connection, never an old handle";
  EXPECT_EQ(client.ReadOPCItem(server, group, {1}, readings), -1) << "old handles are dead";

  // While it waits, window events run; a call made from one of them does not take the answer.
  struct Nested : EventPump {
    std::function<void()> onEvents;
    int calls = 0;
    void ProcessEvents() override {
      ++calls;
      if (onEvents) onEvents();
    }
    void Sleep(int) override {}
  } nested;
  BridgeOpcClient withEvents(bridge.pipe, Settings(), nested);
  const int32_t server2 = withEvents.ConnectOPC("", "opc.tcp://h:1", -1);
  const int32_t group2 = withEvents.AddOPCGroup(server2, "G", rate, zero);
  ASSERT_GT(group2, 0);
  int nestedResult = 1;
  nested.onEvents = [&] { nestedResult = withEvents.RemoveOPCItem(server2, group2, 1); };
  const auto requestsBefore = bridge.requests.size();
  bridge.silent = true;
  EXPECT_EQ(withEvents.ReadOPCItem(server2, group2, {1}, readings), -1);
  EXPECT_GT(nested.calls, 0);
  EXPECT_EQ(nestedResult, -1) << "refused while the read waits";
  EXPECT_EQ(bridge.requests.size(), requestsBefore + 1) << "only the read was sent";
  bridge.silent = false;

  bridge.pipe.failStart = true;
  bridge.pipe.running = false;
  EXPECT_EQ(client.ConnectOPC("", "opc.tcp://h:1", -1), -1);
  EXPECT_EQ(client.LastFailure(), "the OPC UA bridge /opt/bridge.js could not be started");
}

TEST(BridgeOpcClient, AMalformedAnswerFailsItsOwnCallOnlyAndTheNextCallIsServed) {
  ScriptedBridge bridge;
  // Window events run while a call waits; one of them fails once.
  struct FailingOnce : EventPump {
    bool fail = false;
    void ProcessEvents() override {
      if (std::exchange(fail, false)) throw std::runtime_error("a command failed");
    }
    void Sleep(int) override {}
  } events;
  BridgeOpcClient client(bridge.pipe, Settings(), events);
  const int32_t server = client.ConnectOPC("", "opc.tcp://h:1", -1);
  int32_t rate = 0, zero = 0;
  const int32_t group = client.AddOPCGroup(server, "G", rate, zero);
  ASSERT_EQ(client.AddOPCItem(server, group, "FC401.SP"), 1);
  std::vector<OpcReading> readings;
  const auto readWorks = [&] {
    return client.ReadOPCItem(server, group, {1}, readings) == 0 &&
           readings.at(0).value == OpcValue(12.5);
  };

  const std::vector<Json> answers = {
      Json{{"ok", "yes"}},                     // ok that is no flag
      Json{{"ok", true}},                      // no values at all
      Json{{"ok", true}, {"values", "12.5"}},  // values that are no list
      Json{{"ok", false}, {"error", 5}},       // a reason that is no text
  };
  for (const Json& answer : answers) {
    SCOPED_TRACE(answer.dump());
    bridge.broken = [&](const Json&) { return answer; };
    EXPECT_EQ(client.ReadOPCItem(server, group, {1}, readings), -1);
    EXPECT_FALSE(client.LastFailure().empty());
    EXPECT_TRUE(readWorks()) << "the next call is served";
  }
  bridge.broken = [](const Json&) { return Json{{"ok", true}, {"item", "7"}}; };
  EXPECT_EQ(client.AddOPCItem(server, group, "MODE"), -1);
  // A tag name that is no UTF-8 goes out as a name the server refuses, not as a failure here.
  EXPECT_EQ(client.AddOPCItem(server, group, "TEMP\xB0"), -1);
  EXPECT_EQ(client.LastFailure(), "TEMP\xEF\xBF\xBD: no such node");

  // A failure thrown while the call waits reaches the caller, and the client is ready after it.
  bridge.silent = true;
  events.fail = true;
  EXPECT_THROW(client.ReadOPCItem(server, group, {1}, readings), std::runtime_error);
  bridge.silent = false;
  EXPECT_TRUE(readWorks());
}

}  // namespace
}  // namespace kavro::test
