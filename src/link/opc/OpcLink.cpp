#include "link/opc/OpcLink.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <utility>

#include "common/DateText.h"
#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "common/WaitSeconds.h"
#include "config/ConfigLines.h"
#include "engine/RunTimeError.h"
#include "link/LinkFiles.h"
#include "link/LinkTags.h"

namespace kavro {
namespace {

constexpr int kConnectAttempts = 3;
constexpr float kRetryWaitSeconds = 0.5f;
constexpr double kSecondsPerDay = 86400.0;
constexpr double kReconnectIntervalSeconds = 60.0;
constexpr const char* kReconnectTitle = "OPC Link Auto ReStart";

std::string Now(Controller& controller) {
  Clock& clock = controller.ports.clock.get();
  return clock.Runs() ? FormatDateTime(clock.Now(), kScreenDateTime) : std::string();
}

void Log(OpcLink& link, const std::string& line) {
  if (link.panelVisible) link.lstLinkMsg.push_back(line);
}

// A failure of the connect: a message box, or the event log while reconnecting by itself.
void ReportFailure(Controller& controller, OpcLink& link, const std::string& text, bool quiet) {
  std::string shown = text;
  if (const std::string why = link.client->LastFailure(); !why.empty()) shown += kCrLf + why;
  if (quiet) {
    if (controller.ports.clock->Runs()) {
      controller.events.Note(NowText(controller), kReconnectTitle, shown, EventKind::LinkFault);
    }
    return;
  }
  controller.ports.op->MessageBox(shown, controller.model.FLCBlock.Name1, MsgIcon::Critical,
                                  MsgButtons::OK);
}

int32_t AddItem(OpcLink& link, int index, const std::string& tag, int16_t& accepted) {
  int32_t handle = 0;
  const std::string name = TrimRight(tag);
  if (!name.empty()) {
    const int32_t result = link.client->AddOPCItem(link.OPCServerHandle, link.OPCGroupHandle, name);
    link.OPCLastResult = result;
    handle = result == -1 ? -1 : result;
    if (handle != -1) ++accepted;
  }
  link.LinkItemHandles[index] = handle;
  return handle;
}

// The 16-bit integer of a read value; nothing when it is not numeric or does not fit.
std::optional<int16_t> Int16Value(const OpcValue& value) {
  if (!IsNumericValue(value)) return std::nullopt;
  try {
    if (const auto* number = std::get_if<double>(&value)) return ToInt16(*number);
    return ToInt16(ToNumber(std::get<std::string>(value)));
  } catch (const KavroError&) {
    return std::nullopt;
  }
}

std::optional<float> SingleValue(const OpcValue& value) {
  if (!IsNumericValue(value)) return std::nullopt;
  try {
    if (const auto* number = std::get_if<double>(&value)) {
      return ToSingle(ValueText(*number));
    }
    return ToSingle(std::get<std::string>(value));
  } catch (const KavroError&) {
    return std::nullopt;
  }
}

// Output k's write value: its number text, or "X" for no value this cycle. A text that is no
// number is kept as it is and so never written.
std::string OutputWriteText(const ControllerModel& model, int k) {
  try {
    return OutputSentText(model, k);
  } catch (const KavroError&) {
    return model.PVarOut[k].ValueOut;
  }
}

bool ReconnectDue(const OpcLink& link, double now) {
  if (link.LastReconnectAttempt < 0) return true;
  double elapsed = now - link.LastReconnectAttempt;
  if (elapsed < 0) elapsed += kSecondsPerDay;
  return elapsed >= kReconnectIntervalSeconds;
}

}  // namespace

bool IsNumericValue(const OpcValue& value) {
  if (const auto* number = std::get_if<double>(&value)) return std::isfinite(*number);
  if (const auto* text = std::get_if<std::string>(&value)) return IsNumeric(*text);
  return false;
}

std::string ValueText(const OpcValue& value) {
  if (const auto* number = std::get_if<double>(&value)) {
    char buffer[32];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, *number,
                                       std::chars_format::general, 15);
    return std::string(buffer, written.ptr);
  }
  if (const auto* text = std::get_if<std::string>(&value)) return *text;
  return {};
}

void OPCConnect(Controller& controller, OpcLink& link, bool quiet) {
  ControllerModel& model = controller.model;
  FLCBlockRecord& block = model.FLCBlock;
  if (link.OPCServerHandle > 0) OPCDisconnect(controller, link);
  // The items belong to the connection: a connect that fails starts from none as well, so the
  // items requested after it are counted from the first again.
  link.OPCReadItemsDone = link.OPCWriteItemsDone = 0;
  link.OPCReadItemsOK = link.OPCWriteItemsOK = 0;
  link.LinkItemHandles.fill(0);
  link.OPCLastResult = link.client->WTclientCoInit();

  const std::string server = TrimRight(block.LinkAppl);
  const std::string& topic = block.LinkTopicName;
  const auto dot = topic.find('.');
  const std::string group = TrimRight(topic.substr(0, dot));
  const std::string machine = dot == std::string::npos ? std::string() : TrimRight(topic.substr(dot + 1));
  link.OPCServerHandle = -1;

  if (link.panelVisible) {
    link.lstLinkMsg.clear();
    Log(link, Now(controller) + ": Connecting OPC");
    Log(link, "ServerName  = " + block.LinkAppl);
    Log(link, "MachineName = " + machine);
  }

  int32_t result = -1;
  for (int attempt = 1; attempt <= kConnectAttempts; ++attempt) {
    result = link.client->ConnectOPC(machine, server, -1);
    link.OPCLastResult = result;
    Log(link, "Connect Handle = " + FormatNumber(result, "##########0"));
    if (result != -1) break;
    WaitSeconds(controller.ports, kRetryWaitSeconds);
    if (attempt == kConnectAttempts) {
      ReportFailure(controller, link, "Error: " + block.LinkAppl + " Server Not Connecting", quiet);
      link.OPCServerHandle = -1;
      return;
    }
  }
  link.OPCServerHandle = result;

  // Computed in 32 bits: a link frequency of more than 32 seconds fits as well.
  if (block.LinkFrequency > 0) {
    if (block.LinkFrequency > block.RunFrequency) block.LinkFrequency = block.RunFrequency;
    link.OPCUpdateRate = static_cast<int32_t>(block.LinkFrequency) * 1000;
  } else {
    link.OPCUpdateRate = 0;
  }
  Log(link, "GroupName   = " + group);

  for (int attempt = 1; attempt <= kConnectAttempts; ++attempt) {
    int32_t reserved = 0;
    result = link.client->AddOPCGroup(link.OPCServerHandle, group, link.OPCUpdateRate, reserved);
    link.OPCLastResult = result;
    Log(link, "Group Handle = " + FormatNumber(result, "##########0"));
    if (result != -1) break;
    WaitSeconds(controller.ports, kRetryWaitSeconds);
    if (attempt == kConnectAttempts) {
      ReportFailure(controller, link, "Error: " + block.LinkTopicName + " Group Not Connecting",
                    quiet);
      return;
    }
  }
  link.OPCGroupHandle = result;
  link.OPCReadItemsDone = link.OPCWriteItemsDone = 0;
  link.OPCReadItemsOK = link.OPCWriteItemsOK = 0;
}

bool BuildLinkTagList(Controller& controller, OpcLink& link) {
  link.LinkReadCount = kavro::LinkReadCount;
  link.LinkWriteCount = kavro::LinkWriteCount;
  if (link.LinkReadCount + link.LinkWriteCount > LinkTagLimit) {
    controller.ports.op->MessageBox(
        "Number of Link Tags Exceeds: " + FormatNumber(LinkTagLimit, "###0"),
        controller.model.FLCBlock.Name1, MsgIcon::Critical, MsgButtons::OK);
    return false;
  }
  int index = 0;
  for (const std::string& tag : ReadTagList(controller.model)) link.LinkTagNames[++index] = tag;
  for (const std::string& tag : WriteTagList(controller.model)) link.LinkTagNames[++index] = tag;
  index = 0;
  for (const bool counted : CountedReadTags(controller.model)) link.LinkTagCounted[++index] = counted;
  for (const bool counted : CountedWriteTags(controller.model)) link.LinkTagCounted[++index] = counted;
  return true;
}

int32_t OPCAddReadItem(OpcLink& link, const std::string& tag) {
  if (link.OPCReadItemsDone + link.OPCWriteItemsDone >= LinkTagLimit) return 0;
  const int index = ++link.OPCReadItemsDone;
  return AddItem(link, index, tag, link.OPCReadItemsOK);
}

int32_t OPCAddWriteItem(OpcLink& link, const std::string& tag) {
  if (link.OPCReadItemsDone + link.OPCWriteItemsDone >= LinkTagLimit) return 0;
  const int index = link.OPCReadItemsDone + ++link.OPCWriteItemsDone;
  return AddItem(link, index, tag, link.OPCWriteItemsOK);
}

void AddLinkItems(OpcLink& link) {
  // A tag list too long for the tables adds nothing past its last entry.
  const int reads = std::min<int>(link.LinkReadCount, LinkTagLimit);
  const int writes = std::min<int>(link.LinkWriteCount, LinkTagLimit - reads);
  for (int i = 1; i <= reads; ++i) OPCAddReadItem(link, link.LinkTagNames[i]);
  for (int i = reads + 1; i <= reads + writes; ++i) OPCAddWriteItem(link, link.LinkTagNames[i]);
}

bool OPCReadItems(OpcLink& link) {
  std::vector<int32_t> items;
  std::vector<int> indices;
  for (int i = 1; i <= link.OPCReadItemsDone; ++i) {
    link.LinkReadValues[i] = std::monostate{};
    if (link.LinkItemHandles[i] > 0) {
      items.push_back(link.LinkItemHandles[i]);
      indices.push_back(i);
    }
  }
  if (link.OPCServerHandle <= 0) return false;
  if (items.empty()) return true;
  std::vector<OpcReading> readings;
  const int32_t result =
      link.client->ReadOPCItem(link.OPCServerHandle, link.OPCGroupHandle, items, readings);
  link.OPCLastResult = result;
  if (result == -1 || readings.size() != items.size()) return false;
  for (std::size_t n = 0; n < items.size(); ++n) {
    // A value whose quality is not Good counts as no value, as a missing one would.
    if (readings[n].quality == kOpcQualityGood) link.LinkReadValues[indices[n]] = readings[n].value;
  }
  return true;
}

bool OPCWriteItems(OpcLink& link) {
  std::vector<OpcWrite> writes;
  for (int j = 1; j <= link.OPCWriteItemsDone; ++j) {
    const int k = link.OPCReadItemsDone + j;
    if (link.LinkItemHandles[k] > 0 && IsNumericValue(link.LinkWriteValues[j])) {
      writes.push_back(OpcWrite{link.LinkItemHandles[k], link.LinkWriteValues[j]});
    }
  }
  if (link.OPCServerHandle <= 0) return false;
  if (writes.empty()) return true;
  std::vector<int32_t> results;
  const int32_t result =
      link.client->WriteOPCItem(link.OPCServerHandle, link.OPCGroupHandle, writes, results, 0);
  link.OPCLastResult = result;
  return result != -1;
}

void OPCDisconnect(Controller& controller, OpcLink& link) {
  const int done = std::min(link.OPCReadItemsDone + link.OPCWriteItemsDone, LinkTagLimit);
  for (int i = 1; i <= done; ++i) {
    if (link.LinkItemHandles[i] > 0) {
      link.client->RemoveOPCItem(link.OPCServerHandle, link.OPCGroupHandle, link.LinkItemHandles[i]);
    }
  }
  link.client->RemoveOPCGroup(link.OPCServerHandle, link.OPCGroupHandle);
  WaitSeconds(controller.ports, kRetryWaitSeconds);
  link.client->DisconnectOPC(link.OPCServerHandle);
  link.OPCServerHandle = -1;
  WaitSeconds(controller.ports, kRetryWaitSeconds);
}

void SwitchOpcLinkOn(Controller& controller, OpcLink& link, bool quiet) {
  OPCConnect(controller, link, quiet);
  if (BuildLinkTagList(controller, link)) {
    AddLinkItems(link);
  } else {
    // The tables were not filled: no item is added, none read or written.
    link.LinkReadCount = link.LinkWriteCount = 0;
  }
  LinkState& state = controller.model.Link;
  state.SkipNextRead = true;
  state.LinkStatus = state.LinkStatusSent = kOn;
}

void SwitchOpcLinkOff(Controller& controller, OpcLink& link) {
  OPCDisconnect(controller, link);
  LinkState& state = controller.model.Link;
  state.LinkStatus = state.LinkStatusSent = kOff;
}

void ReadOpcLinkInput(Controller& controller, OpcLink& link) {
  ControllerModel& model = controller.model;
  model.LinkReadError = !OPCReadItems(link);
  if (model.LinkReadError) return;
  const int done = link.OPCReadItemsDone;
  const auto value = [&](int index) -> const OpcValue& {
    static const OpcValue kNothing;
    return index <= done ? link.LinkReadValues[index] : kNothing;
  };
  model.DCSOnOffValue = Int16Value(value(1)).value_or(0);
  // Index 2, the watchdog, is read but not used.
  if (const auto runFrequency = Int16Value(value(3))) {
    link.runFrequency.Take(controller, *runFrequency);
  }
  int k = 3;
  ForEachValueTag(model, [&](const std::string&, float& field) {
    if (const auto number = SingleValue(value(++k))) field = *number;
  });
}

void WriteOpcLinkOutput(Controller& controller, OpcLink& link) {
  ControllerModel& model = controller.model;
  if (model.ToFileMode) {
    WriteLinkOutput(controller);  // the file link writes .TST
    return;
  }
  if (model.Link.LinkStatus != kOn || model.DCSOnOffValue != 1) return;
  link.LinkWriteValues[1] = 1.0;
  link.LinkWriteValues[2] = static_cast<double>(model.ErrorCodeValue);
  for (int j = 1; j <= NumOut && 2 + j <= LinkTagLimit; ++j) {
    link.LinkWriteValues[2 + j] = OutputWriteText(model, j);
  }
  model.LinkWriteError = !OPCWriteItems(link);
}

void SuperviseOpcLink(Controller& controller, OpcLink& link) {
  ControllerModel& model = controller.model;
  if (!model.RestartInterface || model.Link.LinkStatus != kOn || !model.LinkReadError) return;
  if (!controller.ports.clock->Runs()) return;  // no reconnect ever falls due
  const double now = controller.ports.clock->SecondsOfDay();
  if (!ReconnectDue(link, now)) return;
  link.LastReconnectAttempt = now;

  const std::string when = NowText(controller);
  controller.events.Note(when, kReconnectTitle,
                         "OPC Link Lost - Reconnecting " + model.FLCBlock.LinkAppl,
                         EventKind::LinkFault);
  SwitchOpcLinkOn(controller, link, /*quiet=*/true);
  if (link.OPCServerHandle > 0 && link.OPCGroupHandle > 0) {
    controller.events.Note(when, kReconnectTitle,
                           "OPC Link Lost - Reconnected " + model.FLCBlock.LinkAppl,
                           EventKind::Link);
  }
}

OpcLinkPanelLines ShowOpcLinkPanel(const OpcLink& link, bool tagsNotFound) {
  OpcLinkPanelLines panel;
  const auto line = [&](int index, const OpcValue& value) {
    return link.LinkTagNames[index] + ", " + FormatNumber(link.LinkItemHandles[index], "######0") +
           ", " + ValueText(value);
  };
  const int reads = std::min<int>(link.LinkReadCount, LinkTagLimit);
  const int writes = std::min<int>(link.LinkWriteCount, LinkTagLimit - reads);
  for (int i = 1; i <= reads; ++i) {
    if (!tagsNotFound || link.LinkItemHandles[i] <= -1) panel.lstRead.push_back(line(i, link.LinkReadValues[i]));
  }
  for (int j = 1; j <= writes; ++j) {
    const int k = reads + j;
    if (!tagsNotFound || link.LinkItemHandles[k] <= -1) panel.lstWrite.push_back(line(k, link.LinkWriteValues[j]));
  }
  // The counted tags of indices first..last, and how many of them the server took.
  const auto count = [&](int first, int last, int done) {
    std::pair<int, int> counts{0, 0};
    for (int i = first; i <= last; ++i) {
      if (!link.LinkTagCounted[i]) continue;
      ++counts.second;
      if (i - first < done && link.LinkItemHandles[i] > 0) ++counts.first;
    }
    return counts;
  };
  const auto [readOk, readCounted] = count(1, reads, link.OPCReadItemsDone);
  const auto [writeOk, writeCounted] = count(reads + 1, reads + writes, link.OPCWriteItemsDone);
  panel.progressReadMax = readCounted > 0 ? readCounted : 100;
  panel.progressReadValue = readOk;
  panel.progressWriteMax = writeCounted > 0 ? writeCounted : 100;
  panel.progressWriteValue = writeOk;
  panel.lblCountRead = FormatNumber(readOk, "####0") + "/" + FormatNumber(readCounted, "####0");
  panel.lblCountWrite = FormatNumber(writeOk, "####0") + "/" + FormatNumber(writeCounted, "####0");
  panel.lstLinkMsg = link.lstLinkMsg;
  return panel;
}

}  // namespace kavro
