#pragma once
// The fixed dimensions of the controller. Every table is addressed from slot 1; slot 0 exists
// and is never used, so indices read exactly as the operator and the configuration file count.
#include <cstdint>
#include <string_view>

namespace kavro {

inline constexpr int16_t NumIn = 6;
inline constexpr int16_t NumOut = 2;
inline constexpr int16_t NumDeFuzz = 1;
inline constexpr int NumZones = 7;
inline constexpr int NumPoints = 4;
inline constexpr int NumRules = 20;
inline constexpr int NumTerms = NumIn + NumOut;  // 8
inline constexpr int HistoryLength = 200;
inline constexpr int NumSlopes = 3;
inline constexpr int NumOperators = 6;

// Sentinel texts shared by every layer.
inline constexpr const char* kNotUsed = "Not Used";
// The one test for the "Not Used" sentinel; like every comparison of names it is exact.
inline bool IsNotUsed(std::string_view text) { return text == std::string_view(kNotUsed); }
inline constexpr const char* kAuto = "AUTO";
inline constexpr const char* kIncr = "Incr";
inline constexpr const char* kAbs = "Abs";
inline constexpr const char* kModeDCS = "DCS";
inline constexpr const char* kModeFile = "File";
inline constexpr const char* kOn = "ON";
inline constexpr const char* kOff = "OFF";

// The start value of every history sample: an impossible process value.
inline constexpr float kEmptyHistory = -9999.99f;

}  // namespace kavro
