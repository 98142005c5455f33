#include "support/FakeOpcClient.h"

namespace kavro::test {

int32_t FakeOpcClient::WTclientCoInit() {
  calls.push_back("CoInit");
  return 0;
}

int32_t FakeOpcClient::ConnectOPC(const std::string& machineName, const std::string& serverName,
                                  int32_t) {
  calls.push_back("Connect " + machineName + "|" + serverName);
  if (failConnects > 0) {
    --failConnects;
    return -1;
  }
  server_ = ++handles_;
  return server_;
}

int32_t FakeOpcClient::AddOPCGroup(int32_t server, const std::string& groupName,
                                   int32_t& updateRate, int32_t&) {
  calls.push_back("Group " + groupName);
  updateRateSeen = updateRate;
  if (server != server_ || failGroups > 0) {
    if (failGroups > 0) --failGroups;
    return -1;
  }
  group_ = ++handles_;
  return group_;
}

int32_t FakeOpcClient::AddOPCItem(int32_t server, int32_t group, const std::string& itemName) {
  calls.push_back("Add " + itemName);
  added.push_back(itemName);
  if (server != server_ || group != group_ || server <= 0 || !tags.contains(itemName)) return -1;
  const int32_t item = ++handles_;
  items_[item] = itemName;
  return item;
}

std::string FakeOpcClient::TagOf(int32_t item) const {
  const auto found = items_.find(item);
  return found == items_.end() ? std::string() : found->second;
}

int32_t FakeOpcClient::ReadOPCItem(int32_t server, int32_t group,
                                   const std::vector<int32_t>& items,
                                   std::vector<OpcReading>& readings) {
  ++reads;
  readings.assign(items.size(), OpcReading{});
  if (failReads || server != server_ || group != group_) return -1;
  for (std::size_t n = 0; n < items.size(); ++n) {
    const std::string tag = TagOf(items[n]);
    if (tag.empty() || badQuality.contains(tag)) continue;
    readings[n].value = tags[tag];
    readings[n].quality = kOpcQualityGood;
  }
  return 0;
}

int32_t FakeOpcClient::WriteOPCItem(int32_t server, int32_t group,
                                    const std::vector<OpcWrite>& writesAsked,
                                    std::vector<int32_t>& results, int32_t) {
  ++writes;
  lastWrites = writesAsked;
  results.assign(writesAsked.size(), -1);
  if (failWrites || server != server_ || group != group_) return -1;
  for (std::size_t n = 0; n < writesAsked.size(); ++n) {
    const std::string tag = TagOf(writesAsked[n].item);
    if (tag.empty()) continue;
    tags[tag] = writesAsked[n].value;
    written[tag] = writesAsked[n].value;
    results[n] = 0;
  }
  return 0;
}

int32_t FakeOpcClient::RemoveOPCItem(int32_t, int32_t, int32_t item) {
  calls.push_back("Remove " + TagOf(item));
  items_.erase(item);
  return 0;
}

int32_t FakeOpcClient::RemoveOPCGroup(int32_t, int32_t) {
  calls.push_back("RemoveGroup");
  group_ = -1;
  return 0;
}

int32_t FakeOpcClient::DisconnectOPC(int32_t server) {
  calls.push_back("Disconnect");
  if (server != server_) return -1;
  server_ = -1;
  return 0;
}

}  // namespace kavro::test
