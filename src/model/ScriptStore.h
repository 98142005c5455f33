#pragma once
// The script store: flags, counters and buffers that the pre- and post-process scripts keep
// between cycles and hand to each other. It belongs to the controller, not to the scripts, so it
// survives every script reload and ON/OFF switch; only start-up clears it.
#include <array>
#include <cstdint>

#include "model/Dimensions.h"

namespace kavro {

// Two slots per variable: 16 with six inputs and two outputs.
inline constexpr int ScriptSlotCount = 2 * (NumIn + NumOut);

struct ScriptStore {
  std::array<bool, ScriptSlotCount + 1> ScriptFlag{};        // slots 1..16
  std::array<int16_t, ScriptSlotCount + 1> ScriptKounter{};  // slots 1..16
  std::array<float, ScriptSlotCount + 1> ScriptBuffer{};     // slots 1..16
};

}  // namespace kavro
