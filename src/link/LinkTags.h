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

// Calls visit(tag, field) for read-list entries 4 .. LinkReadCount in their order: each process
// value tag with the single-precision field its value goes into.
template <typename Model, typename Visit>
void ForEachValueTag(Model& model, Visit&& visit) {
  for (int i = 1; i <= NumIn; ++i) {
    auto& in = model.PVarIn[i];
    visit(in.DCSTagHigh, in.PVHigh);
    visit(in.DCSTagLow, in.PVLow);
    visit(in.DCSTagPV, in.PVIN);
  }
  for (int k = 1; k <= NumOut; ++k) {
    auto& out = model.PVarOut[k];
    visit(out.DCSTagHigh, out.PVHigh);
    visit(out.DCSTagLow, out.PVLow);
    visit(out.DCSTagPV, out.PVIN);
    visit(out.DCSMaxChange, out.Max_Change);
    visit(out.DCSChangeTime, out.Change_Time);
    visit(out.DCSWaitChange, out.Wait_Change);
  }
}

std::vector<std::string> ReadTagList(const ControllerModel& model);   // LinkReadCount tags
std::vector<std::string> WriteTagList(const ControllerModel& model);  // LinkWriteCount tags

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
