#pragma once
// The replay's result rows, made in two halves: what a cycle leaves is taken as the cycle ends
// (a few copies), and the row's text is made from that later, on the thread that writes the
// results, while the next cycles run.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "common/NumberText.h"
#include "model/ControllerModel.h"

namespace kavro {

// What one result row shows. Texts up to kShortText characters are kept in place; a longer one
// (a script may leave any text in a value) is kept in the row's own longer store.
struct ResultOfCycle {
  static constexpr std::size_t kShortText = 22;
  struct Text {
    std::array<char, kShortText> chars;
    std::uint8_t size = 0;
    bool isLong = false;  // then the text is longTexts[offset, offset + longSize)
    std::uint32_t offset = 0;
    std::uint32_t longSize = 0;
  };
  long cycle = 0;
  std::int16_t errorCode = 0;
  std::array<Text, NumOut> valueOut;
  std::array<std::array<bool, 3>, NumOut> flags;  // SendOutput, ClampIncrease, ClampDecrease
  std::array<Text, NumRules> strength;
  std::array<float, NumIn> index;
  std::string longTexts;
};

// The rows of one configuration: its used outputs and inputs, as the header names them.
class ReplayRows {
 public:
  explicit ReplayRows(const ControllerModel& model);
  // Takes what row cycle shows from the model, as the cycle left it.
  void Take(ResultOfCycle& result, long cycle, const ControllerModel& model) const;
  // Appends the row's line.
  void Append(std::string& out, const ResultOfCycle& result);

 private:
  std::vector<int> usedInputs_;
  std::vector<int> usedOutputs_;
  const NumberPattern indexPattern_{"##0.00"};
};

}  // namespace kavro
