#include "link/opc/BridgeOpcClient.h"

#include "common/ScopedFlag.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>

namespace kavro {
namespace {

using Json = nlohmann::json;
using SteadyClock = std::chrono::steady_clock;

// How long one wait for the bridge lasts before window events get their turn.
constexpr int kEventSliceMs = 50;
// Time for the bridge to load its OPC UA stack before it answers at all.
constexpr int kBridgeStartMs = 15000;
// Time for an answer to come back once the bridge has given up at its own limit, so that its
// reason reaches the operator instead of a bare "no answer in time".
constexpr int kAnswerMarginMs = 500;

int AnswerWaitMs(int bridgeLimitMs) {
  return bridgeLimitMs + kAnswerMarginMs;
}

// A request as one line. A text that is not UTF-8 (a tag name typed on another system) goes out
// with replacement characters: the server then refuses that name, the request itself stands.
std::string RequestLine(const Json& request) {
  return request.dump(-1, ' ', false, Json::error_handler_t::replace);
}

// A field of an answer; nothing when the answer lacks it.
const Json* Field(const Json& body, const char* name) {
  const auto found = body.find(name);
  return found == body.end() ? nullptr : &*found;
}

}  // namespace

int ConnectAnswerWaitMs(const BridgeSettings& settings) {
  return AnswerWaitMs(settings.certificateTimeoutMs + 2 * settings.connectTimeoutMs);
}

struct BridgeOpcClient::Answer {
  bool ok = false;
  Json body;
};

std::string OpcUaBridgeFolder() {
  if (const char* path = std::getenv("KAVRO_OPCUA_BRIDGE"); path && *path) return path;
  std::error_code error;
  if (std::filesystem::exists(KAVRO_OPCUA_BRIDGE_DIR "/bridge.js", error)) {
    return KAVRO_OPCUA_BRIDGE_DIR;
  }
  return KAVRO_OPCUA_BRIDGE_INSTALLED;
}

std::string DefaultBridgeScript() {
  return OpcUaBridgeFolder() + "/bridge.js";
}

std::string OpcUaEndpoint(const std::string& machineName, const std::string& serverName) {
  if (serverName.starts_with("opc.tcp://")) return serverName;
  const std::string host = machineName.empty() ? "localhost" : machineName;
  if (host.find(':') != std::string::npos) return "opc.tcp://" + host;
  return "opc.tcp://" + host + ":" + std::to_string(kDefaultOpcUaPort);
}

BridgeSettings BridgeSettingsFor(const std::string& workDir, const std::string& link2Appl,
                                 std::string* problem) {
  BridgeSettings settings;
  settings.script = DefaultBridgeScript();
  settings.pkiFolder = workDir + "/pki";
  settings.userFile = workDir + "/opcua-user";
  std::istringstream words(link2Appl);
  std::string word;
  while (words >> word) {
    if (word == "None" || word == "Sign" || word == "SignAndEncrypt") {
      settings.security = word;
    } else if (word.starts_with("ns=") && word.size() > 3 && word.size() <= 8 &&
               word.find_first_not_of("0123456789", 3) == std::string::npos) {
      settings.namespaceIndex = std::stoi(word.substr(3));
    } else if (problem) {
      *problem = "Link2Appl: " + word + " is neither None, Sign, SignAndEncrypt nor ns=N";
    }
  }
  return settings;
}

BridgeOpcClient::BridgeOpcClient(ChildPipe& pipe, BridgeSettings settings, EventPump& events)
    : pipe_(pipe), settings_(std::move(settings)), events_(events) {}

bool BridgeOpcClient::EnsureBridge() {
  if (pipe_.Running()) return true;
  server_ = group_ = -1;  // whatever the old bridge had open is gone with it
  if (!pipe_.Start(settings_.node, {settings_.script})) {
    lastFailure_ = "the OPC UA bridge " + settings_.script + " could not be started";
    return false;
  }
  // The first answer also tells that the bridge has loaded.
  if (!Call(Json{{"op", "ping"}}, kBridgeStartMs).ok) {
    lastFailure_ = "the OPC UA bridge " + settings_.script + " does not answer";
    pipe_.Stop();
    return false;
  }
  return true;
}

BridgeOpcClient::Answer BridgeOpcClient::Call(Json request, int waitMs) {
  // A call made while window events run inside another call's wait must not take its answer.
  if (busy_) return {};
  const ScopedFlag busy(busy_);
  const long long id = nextId_++;
  request["id"] = id;
  if (!pipe_.WriteLine(RequestLine(request))) {
    lastFailure_ = "the OPC UA bridge has ended";
    return {};
  }
  const auto deadline = SteadyClock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now())
            .count();
    if (left <= 0) {
      lastFailure_ = "the OPC UA bridge gave no answer in time";
      return {};
    }
    // Without a window there is nothing to wake up for before the answer.
    const int slice = events_->Waits() ? std::min<int>(static_cast<int>(left), kEventSliceMs)
                                       : static_cast<int>(left);
    const auto line = pipe_.ReadLine(slice);
    if (!line) {
      // The pipe ends a bridge that closed its output or floods it without line ends.
      if (!pipe_.Running()) {
        lastFailure_ = "the OPC UA bridge has ended";
        return {};
      }
      events_->ProcessEvents();
      continue;
    }
    Json reply = Json::parse(*line, nullptr, false);
    // Answers to calls given up earlier are passed over, and so are lines that name no call.
    if (!reply.is_object()) continue;
    const Json* replyId = Field(reply, "id");
    if (replyId == nullptr || *replyId != id) continue;
    const Json* ok = Field(reply, "ok");
    if (ok == nullptr || !ok->is_boolean()) {
      lastFailure_ = "the OPC UA bridge gave a malformed answer";
      return {};
    }
    Answer answer;
    answer.ok = ok->get<bool>();
    if (!answer.ok) {
      const Json* error = Field(reply, "error");
      lastFailure_ = error != nullptr && error->is_string() ? error->get<std::string>() : "failed";
    }
    answer.body = std::move(reply);
    return answer;
  }
}

bool BridgeOpcClient::IsCurrent(int32_t server, int32_t group) const {
  return server > 0 && server == server_ && group > 0 && group == group_;
}

int32_t BridgeOpcClient::WTclientCoInit() {
  lastFailure_.clear();
  return EnsureBridge() ? 0 : -1;
}

int32_t BridgeOpcClient::ConnectOPC(const std::string& machineName, const std::string& serverName,
                                    int32_t) {
  lastFailure_.clear();
  if (!EnsureBridge()) return -1;
  server_ = group_ = -1;
  Json request = {{"op", "connect"},
                  {"endpoint", OpcUaEndpoint(machineName, serverName)},
                  {"security", settings_.security},
                  {"namespace", settings_.namespaceIndex},
                  {"connectMs", settings_.connectTimeoutMs},
                  {"certificateMs", settings_.certificateTimeoutMs},
                  {"callMs", settings_.callTimeoutMs}};
  if (!settings_.pkiFolder.empty()) request["pki"] = settings_.pkiFolder;
  if (!settings_.userFile.empty()) request["userFile"] = settings_.userFile;
  if (!Call(std::move(request), ConnectAnswerWaitMs(settings_)).ok) return -1;
  server_ = ++handles_;
  return server_;
}

int32_t BridgeOpcClient::AddOPCGroup(int32_t server, const std::string&, int32_t&, int32_t&) {
  // OPC UA reads and writes without groups: the group is the set of items of this connection.
  if (server <= 0 || server != server_) return -1;
  group_ = ++handles_;
  return group_;
}

int32_t BridgeOpcClient::AddOPCItem(int32_t server, int32_t group, const std::string& itemName) {
  if (!IsCurrent(server, group)) return -1;
  const Answer answer =
      Call(Json{{"op", "add"}, {"tag", itemName}}, AnswerWaitMs(settings_.callTimeoutMs));
  if (!answer.ok) return -1;
  const Json* item = Field(answer.body, "item");
  const int64_t handle = item != nullptr && item->is_number_integer() ? item->get<int64_t>() : -1;
  if (handle <= 0 || handle > INT32_MAX) {
    lastFailure_ = "the OPC UA bridge answered an add without a usable item number";
    return -1;
  }
  return static_cast<int32_t>(handle);
}

int32_t BridgeOpcClient::ReadOPCItem(int32_t server, int32_t group,
                                     const std::vector<int32_t>& items,
                                     std::vector<OpcReading>& readings) {
  readings.assign(items.size(), OpcReading{});
  if (!IsCurrent(server, group)) return -1;
  const Answer answer =
      Call(Json{{"op", "read"}, {"items", items}}, AnswerWaitMs(settings_.callTimeoutMs));
  if (!answer.ok) return -1;
  const Json* values = Field(answer.body, "values");
  const Json* status = Field(answer.body, "status");
  if (values == nullptr || !values->is_array() || values->size() != items.size()) {
    lastFailure_ = "the OPC UA bridge answered a read with the wrong number of values";
    return -1;
  }
  const double now = std::chrono::duration<double>(
                         std::chrono::system_clock::now().time_since_epoch()).count();
  for (std::size_t i = 0; i < items.size(); ++i) {
    OpcReading& reading = readings[i];
    reading.timeStamp = now;
    const bool good =
        status != nullptr && status->is_array() && i < status->size() && (*status)[i] == "Good";
    if (!good) continue;
    const Json& value = (*values)[i];
    if (value.is_number()) {
      const double number = value.get<double>();
      if (std::isfinite(number)) reading.value = number;
    } else if (value.is_string()) {
      reading.value = value.get<std::string>();
    }
    if (!std::holds_alternative<std::monostate>(reading.value)) reading.quality = kOpcQualityGood;
  }
  return 0;
}

int32_t BridgeOpcClient::WriteOPCItem(int32_t server, int32_t group,
                                      const std::vector<OpcWrite>& writes,
                                      std::vector<int32_t>& results, int32_t) {
  results.assign(writes.size(), -1);
  if (!IsCurrent(server, group)) return -1;
  Json pairs = Json::array();
  std::vector<std::size_t> sent;  // which writes went into pairs
  for (std::size_t k = 0; k < writes.size(); ++k) {
    const OpcValue& value = writes[k].value;
    if (const auto* number = std::get_if<double>(&value)) {
      pairs.push_back(Json::array({writes[k].item, *number}));
    } else if (const auto* text = std::get_if<std::string>(&value)) {
      pairs.push_back(Json::array({writes[k].item, *text}));
    } else {
      continue;
    }
    sent.push_back(k);
  }
  if (sent.empty()) return 0;
  const Answer answer =
      Call(Json{{"op", "write"}, {"items", pairs}}, AnswerWaitMs(settings_.callTimeoutMs));
  if (!answer.ok) return -1;
  const Json* status = Field(answer.body, "status");
  if (status == nullptr || !status->is_array() || status->size() != sent.size()) {
    lastFailure_ = "the OPC UA bridge answered a write with the wrong number of results";
    return -1;
  }
  for (std::size_t n = 0; n < sent.size(); ++n) results[sent[n]] = (*status)[n] == "Good" ? 0 : -1;
  return 0;
}

int32_t BridgeOpcClient::RemoveOPCItem(int32_t server, int32_t group, int32_t item) {
  if (!IsCurrent(server, group)) return -1;
  const Json request = {{"op", "remove"}, {"item", item}};
  return Call(request, AnswerWaitMs(settings_.callTimeoutMs)).ok ? 0 : -1;
}

int32_t BridgeOpcClient::RemoveOPCGroup(int32_t server, int32_t group) {
  if (!IsCurrent(server, group)) return -1;
  group_ = -1;
  return 0;
}

int32_t BridgeOpcClient::DisconnectOPC(int32_t server) {
  if (server <= 0 || server != server_) return -1;
  server_ = group_ = -1;
  if (!pipe_.Running()) return 0;
  return Call(Json{{"op", "disconnect"}}, AnswerWaitMs(settings_.callTimeoutMs)).ok ? 0 : -1;
}

}  // namespace kavro
