#pragma once
// The OPC link: the controller reaches the DCS through an OPC server itself, one item per DCS
// tag, all in one group. Switch-on connects, creates the group and adds the items; each cycle
// reads every read item at once and writes the watchdog, the error code and the outputs at once;
// switch-off removes the items and the group and disconnects. A read or write that fails as a
// whole sets LinkReadError / LinkWriteError, so a lost server shows on the screen and to the DCS
// as error code 1 or 2; single items the server refused are skipped and listed on the link panel.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/ports/OpcClient.h"
#include "link/DcsRunFrequency.h"
#include "model/Controller.h"
#include "model/LinkPanelLines.h"

namespace kavro {

// Entries of the link tables; index 0 is never used.
inline constexpr int LinkTagLimit = 200;

struct OpcLink {
  explicit OpcLink(OpcClient& opcClient) : client(&opcClient) {}

  OpcClient* client;

  // Link tables: 1..LinkReadCount the read tags, the next LinkWriteCount the write tags.
  std::array<std::string, LinkTagLimit + 1> LinkTagNames{};
  // Item handle per index: > 0 accepted, -1 refused by the server, 0 blank tag (no item).
  std::array<int32_t, LinkTagLimit + 1> LinkItemHandles{};
  // Per index: whether the debug panel counts the tag (set, of a variable in use or of the
  // controller), so a healthy link reads all it counts.
  std::array<bool, LinkTagLimit + 1> LinkTagCounted{};
  std::array<OpcValue, LinkTagLimit + 1> LinkReadValues{};   // per read index
  std::array<OpcValue, LinkTagLimit + 1> LinkWriteValues{};  // per write index 1..LinkWriteCount
  int16_t LinkReadCount = 0;
  int16_t LinkWriteCount = 0;

  int32_t OPCServerHandle = 0;  // -1 after a failed connect and after a disconnect
  int32_t OPCGroupHandle = 0;
  int16_t OPCReadItemsDone = 0;
  int16_t OPCWriteItemsDone = 0;
  int16_t OPCReadItemsOK = 0;
  int16_t OPCWriteItemsOK = 0;
  int32_t OPCLastResult = 0;
  int32_t OPCUpdateRate = 0;  // milliseconds

  // The connection log lstLinkMsg, written while the link debug panel is visible.
  bool panelVisible = false;
  std::vector<std::string> lstLinkMsg;

  // Automatic reconnection: time of day of the last attempt (negative: none yet).
  double LastReconnectAttempt = -1;

  DcsRunFrequency runFrequency;  // judges the run frequency each read brings
};

// Connects the server of LinkAppl on the machine of LinkTopicName (after its first ".") and
// creates the group named before that ".", three attempts each, half a second apart. A failure
// is shown to the operator (title Name1) unless quiet, when it goes to the event log instead.
void OPCConnect(Controller& controller, OpcLink& link, bool quiet = false);

// Fills LinkTagNames, LinkReadCount and LinkWriteCount from the configuration. When the lists
// would not fit the tables it shows "Number of Link Tags Exceeds: 200" and returns false, the
// tables unfilled.
bool BuildLinkTagList(Controller& controller, OpcLink& link);

// Adds the next read (write) item; its handle, also stored at its index: 0 for a blank tag, -1
// when refused. Nothing is added past LinkTagLimit.
int32_t OPCAddReadItem(OpcLink& link, const std::string& tag);
int32_t OPCAddWriteItem(OpcLink& link, const std::string& tag);

// Adds the items of the whole tag list, read tags first; never past LinkTagLimit.
void AddLinkItems(OpcLink& link);

// Reads every read item with a positive handle into LinkReadValues (empty for the others).
// False when the read failed as a whole, or there is no connection to read from.
bool OPCReadItems(OpcLink& link);

// Writes every write item with a positive handle whose value is numeric. False when the write
// failed as a whole, or there is no connection to write to.
bool OPCWriteItems(OpcLink& link);

// Removes the items and the group and disconnects, with half-second waits.
void OPCDisconnect(Controller& controller, OpcLink& link);

// The link switch: connect, tag list, items, then the link is ON (also after a failed connect)
// and the first cycle does not read. Off: disconnect, the link is OFF.
void SwitchOpcLinkOn(Controller& controller, OpcLink& link, bool quiet = false);
void SwitchOpcLinkOff(Controller& controller, OpcLink& link);

// The cycle's read: the values into DCSOnOffValue, RunFrequency (see DcsRunFrequency) and the
// process values and limits, each only when numeric (DCSOnOffValue 0 otherwise). Sets
// LinkReadError when the read failed as a whole, and then takes nothing: the on/off switch and
// every value keep what the last good read gave, as a failed read of the file link leaves them.
// Clears LinkReadError on a good read.
void ReadOpcLinkInput(Controller& controller, OpcLink& link);

// The cycle's write, when the link is ON and the DCS has the controller on (DCSOnOffValue 1):
// watchdog 1, the error code, and each output as OutputSentText gives it ("X": not written). In
// To File mode the file link writes .TST instead. Sets LinkWriteError when the write failed as
// a whole, clears it on a good write.
void WriteOpcLinkOutput(Controller& controller, OpcLink& link);

// The auto-restart option for the OPC link, once per cycle: while the link is ON and the last
// read failed as a whole (server gone, bridge ended), reconnects and adds the items again, at
// most once a minute, noting each attempt in the event log.
void SuperviseOpcLink(Controller& controller, OpcLink& link);

// What the link debug panel lists: one line per tag ("tag, handle, value"), all of them or only
// those the server refused, the connection log, and the counts of accepted items.
using OpcLinkPanelLines = LinkPanelLines;
OpcLinkPanelLines ShowOpcLinkPanel(const OpcLink& link, bool tagsNotFound);

// A value as the panel and the read step see it: a number, a number text, or neither.
bool IsNumericValue(const OpcValue& value);
std::string ValueText(const OpcValue& value);

}  // namespace kavro
