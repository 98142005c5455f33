#pragma once
// An OPC server simulated in process behind the OpcClient port: tags with values, a log of every
// call, and switches that make connects, groups, reads or writes fail.
#include <map>
#include <string>
#include <vector>

#include "common/ports/OpcClient.h"

namespace kavro::test {

class FakeOpcClient : public OpcClient {
 public:
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
  std::string LastFailure() const override { return failure; }

  // The server's tags: a tag not listed here is refused when added.
  std::map<std::string, OpcValue> tags;
  std::map<std::string, int32_t> badQuality;  // tags whose value is not Good

  int failConnects = 0;  // how many of the next connects fail
  int failGroups = 0;
  bool failReads = false;  // every read fails as a whole
  bool failWrites = false;
  std::string failure;     // LastFailure's answer

  // What was asked.
  std::vector<std::string> calls;  // "Connect machine|server", "Group name rate", "Add tag", ...
  std::vector<std::string> added;  // names of the items added, in order
  int reads = 0;
  int writes = 0;
  std::vector<OpcWrite> lastWrites;
  std::map<std::string, OpcValue> written;  // tag -> last value written
  int32_t updateRateSeen = 0;

 private:
  std::string TagOf(int32_t item) const;
  int32_t handles_ = 0;
  int32_t server_ = -1;
  int32_t group_ = -1;
  std::map<int32_t, std::string> items_;
};

}  // namespace kavro::test
