#pragma once
// An OPC client: the nine operations through which the OPC link reaches an OPC server. Handles
// are 32-bit signed numbers and -1 is the failure value of every call whose result is tested.
// A read and a write each take every item of the cycle at once, so that a control cycle costs
// one round trip to the server each way however many tags the controller has.
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace kavro {

// A value as it comes from or goes to the server: nothing, a number or a text.
using OpcValue = std::variant<std::monostate, double, std::string>;

// Quality of a value read: what the server said of it. Only Good values carry a number or text.
inline constexpr int32_t kOpcQualityGood = 0;
inline constexpr int32_t kOpcQualityBad = 1;

struct OpcReading {
  OpcValue value;  // nothing unless the server delivered a Good value
  double timeStamp = 0;
  int32_t quality = kOpcQualityBad;
};

struct OpcWrite {
  int32_t item = 0;
  OpcValue value;
};

class OpcClient {
 public:
  virtual ~OpcClient() = default;
  // Prepares the client; the result is kept, not tested.
  virtual int32_t WTclientCoInit() = 0;
  // Connects the server: a server handle, or -1 when it is not reachable.
  virtual int32_t ConnectOPC(const std::string& machineName, const std::string& serverName,
                             int32_t reserved) = 0;
  // Creates a group: a group handle, or -1. The client may change the update rate.
  virtual int32_t AddOPCGroup(int32_t server, const std::string& groupName, int32_t& updateRate,
                              int32_t& reserved) = 0;
  // Adds an item: an item handle, or -1 when the server refuses the name.
  virtual int32_t AddOPCItem(int32_t server, int32_t group, const std::string& itemName) = 0;
  // Reads the items: one reading per item, in order. -1 when the read failed as a whole (no
  // server, no answer in time); the readings are then all without a value.
  virtual int32_t ReadOPCItem(int32_t server, int32_t group, const std::vector<int32_t>& items,
                              std::vector<OpcReading>& readings) = 0;
  // Writes the values: one result per write, 0 = written, -1 = refused. The call's result is -1
  // when the write failed as a whole.
  virtual int32_t WriteOPCItem(int32_t server, int32_t group, const std::vector<OpcWrite>& writes,
                               std::vector<int32_t>& results, int32_t reserved) = 0;
  virtual int32_t RemoveOPCItem(int32_t server, int32_t group, int32_t item) = 0;
  virtual int32_t RemoveOPCGroup(int32_t server, int32_t group) = 0;
  virtual int32_t DisconnectOPC(int32_t server) = 0;

  // Why the last call that failed did so, in words for the operator ("the certificate of server
  // ... is not trusted ..."); empty when there is nothing to add to the failure itself.
  virtual std::string LastFailure() const { return {}; }
};

}  // namespace kavro
