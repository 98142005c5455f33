#pragma once
// The error code sent to the DCS: -90 in To File mode, minus 1 / 2 (output 1) and 10 / 20
// (output 2) for blocked increases / decreases, replaced by 1 or 2 for a failed link read or
// write (2 wins). A code is a sum of those parts; its meaning is told part by part.
#include <string>

#include "model/ControllerModel.h"

namespace kavro {

inline constexpr int16_t kToFileCode = -90;
inline constexpr int16_t kReadErrorCode = 1;
inline constexpr int16_t kWriteErrorCode = 2;

// Composes ErrorCodeValue from ToFileMode, the output blocks and the link error flags.
void ComposeErrorCode(ControllerModel& model);

// What a code means, its parts joined by " + " in the order they are composed: -91 gives
// "Output To FILE + Output 1 increases blocked", 0 "No Error", 2 "File Write Error". A code no
// composition gives is "Unknown".
std::string ErrorCodeMeaning(int16_t code);

}  // namespace kavro
