#pragma once
// The fixed dimensions of the controller. Every table is addressed from slot 1; slot 0 exists
// and is never used, so indices read exactly as the operator and the configuration file count.
#include <cstdint>
#include <cstring>
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
// The one test for the "Not Used" sentinel; like every comparison of names it is exact. The
// cycle asks it of every rule term and strength, so the eight characters are compared as one word.
inline bool IsNotUsed(std::string_view text) {
  constexpr std::string_view kSentinel = kNotUsed;
  static_assert(kSentinel.size() == sizeof(uint64_t));
  if (text.size() != kSentinel.size()) return false;
  uint64_t word;
  uint64_t sentinel;
  std::memcpy(&word, text.data(), sizeof word);
  std::memcpy(&sentinel, kSentinel.data(), sizeof sentinel);
  return word == sentinel;
}
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
