#pragma once
// The two tag lists the link exchanges, in the one order that the .Tag file, the .IN file and
// the OPC items all follow. The read list is DCSONOFF, DCSWatchDog, DCSRunFreq, then per input
// its high, low and PV tags, then per output its high, low, PV, max change, change time and wait
// change tags; the write list is DCSWatchDog, DCSErrorCode and each output's DCSTagOut. Every
// slot takes part, in use or not.
#include <cstdint>
#include <string>
#include <vector>

#include "model/ControllerModel.h"

namespace kavro {

inline constexpr int16_t LinkReadCount = 3 + 3 * NumIn + 6 * NumOut;  // 33
inline constexpr int16_t LinkWriteCount = 2 + NumOut;                 // 4

// Calls visit(tag, field, inUse) for read-list entries 4 .. LinkReadCount in their order: each
// process value tag with the single-precision field its value goes into and whether its
// variable is in use.
template <typename Model, typename Visit>
void ForEachVariableTag(Model& model, Visit&& visit) {
  for (int i = 1; i <= NumIn; ++i) {
    auto& in = model.PVarIn[i];
    const bool used = IsUsed(in);
    visit(in.DCSTagHigh, in.PVHigh, used);
    visit(in.DCSTagLow, in.PVLow, used);
    visit(in.DCSTagPV, in.PVIN, used);
  }
  for (int k = 1; k <= NumOut; ++k) {
    auto& out = model.PVarOut[k];
    const bool used = IsUsed(out);
    visit(out.DCSTagHigh, out.PVHigh, used);
    visit(out.DCSTagLow, out.PVLow, used);
    visit(out.DCSTagPV, out.PVIN, used);
    visit(out.DCSMaxChange, out.Max_Change, used);
    visit(out.DCSChangeTime, out.Change_Time, used);
    visit(out.DCSWaitChange, out.Wait_Change, used);
  }
}

// Calls visit(tag, field) for the same entries, in use or not.
template <typename Model, typename Visit>
void ForEachValueTag(Model& model, Visit&& visit) {
  ForEachVariableTag(model, [&](auto& tag, auto& field, bool) { visit(tag, field); });
}

std::vector<std::string> ReadTagList(const ControllerModel& model);   // LinkReadCount tags
std::vector<std::string> WriteTagList(const ControllerModel& model);  // LinkWriteCount tags

// Which entries of each list the link debug panel counts, in list order: a tag that is set, of
// the controller or of a variable in use. A blank tag is never read, and a slot not in use says
// nothing of the link's health, so a healthy link counts all it counts.
std::vector<bool> CountedReadTags(const ControllerModel& model);
std::vector<bool> CountedWriteTags(const ControllerModel& model);

// What goes to an output's write tag this cycle: ValueOut as it is, or "X" (no value) when
// ValueOut is "Not Used", SendOutput is off, or its value is exactly 0. A ValueOut that is
// neither "Not Used" nor a number (with SendOutput on) throws KavroError 13 "Type mismatch".
std::string OutputValueText(const PVarOutRecord& output);

// What both links send to output k's write tag this cycle: OutputValueText when this cycle read
// the plant, else "X". Moves computed from values that are not the plant's (the cycle after a
// switch-on skips its read; a failed read keeps old values) never go out, while the watchdog and
// the error code still tell the DCS that the controller is alive and why it holds.
std::string OutputSentText(const ControllerModel& model, int k);

}  // namespace kavro
