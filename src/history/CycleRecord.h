#pragma once
// What the plant history keeps of one control cycle, and of the configuration the cycles ran
// under. Plain data: the session fills a record from the controller after each cycle, the
// recorder stores it, the readers give it back.
#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "model/Dimensions.h"

namespace kavro {

struct InputSample {
  double pv = 0;
  double high = 0;
  double low = 0;
};

struct OutputSample {
  double pv = 0;
  double high = 0;
  double low = 0;
  std::optional<double> value;  // the new value; nothing when it was no number ("Not Used")
  std::optional<double> sent;   // what the link wrote; nothing for "X"
  bool clampIncrease = false;
  bool clampDecrease = false;
  double scriptAdjust = 0;
};

struct CycleRecord {
  std::int64_t timeMs = 0;  // see HistoryTime.h
  std::array<InputSample, NumIn + 1> in{};     // slots 1..NumIn
  std::array<OutputSample, NumOut + 1> out{};  // slots 1..NumOut
  int errorCode = 0;
  bool linkOn = false;
  bool toFile = false;
  // The cycle's first run-time error: its step and number; 0 when the cycle ran clean.
  int errorStep = 0;
  int errorNumber = 0;
  int revision = 0;  // filled in by the recorder and the readers
};

// A variable as the cycles of one configuration knew it.
struct VariableInfo {
  std::string name;
  std::string units;
  double low = 0;   // the span its zones cover
  double high = 0;
  bool operator==(const VariableInfo&) const = default;
};

struct ConfigRevision {
  std::string controllerName;
  int runFrequency = 0;  // seconds
  std::array<VariableInfo, NumIn + 1> in{};
  std::array<VariableInfo, NumOut + 1> out{};
  bool operator==(const ConfigRevision&) const = default;
};

}  // namespace kavro
