#include "session/ReplayRows.h"

#include <charconv>

#include "common/ShortTextCopy.h"

namespace kavro {
namespace {

void Keep(ResultOfCycle::Text& kept, const std::string& text, std::string& longTexts) {
  if (text.size() <= ResultOfCycle::kShortText) {
    CopyShortText(kept.chars.data(), text);
    kept.size = static_cast<std::uint8_t>(text.size());
    kept.isLong = false;
    return;
  }
  kept.isLong = true;
  kept.offset = static_cast<std::uint32_t>(longTexts.size());
  kept.longSize = static_cast<std::uint32_t>(text.size());
  longTexts += text;
}

std::string_view Kept(const ResultOfCycle::Text& kept, const std::string& longTexts) {
  if (kept.isLong) return std::string_view(longTexts).substr(kept.offset, kept.longSize);
  return {kept.chars.data(), kept.size};
}

void AppendField(std::string& out, std::string_view text) {
  out += ',';
  out += text;
}

void AppendInteger(std::string& out, long value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

}  // namespace

ReplayRows::ReplayRows(const ControllerModel& model) {
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i])) usedInputs_.push_back(i);
  }
  for (int o = 1; o <= NumOut; ++o) {
    if (IsUsed(model.PVarOut[o])) usedOutputs_.push_back(o);
  }
}

void ReplayRows::Take(ResultOfCycle& result, long cycle, const ControllerModel& model) const {
  result.cycle = cycle;
  result.errorCode = model.ErrorCodeValue;
  result.longTexts.clear();
  for (size_t k = 0; k < usedOutputs_.size(); ++k) {
    const PVarOutRecord& output = model.PVarOut[usedOutputs_[k]];
    Keep(result.valueOut[k], output.ValueOut, result.longTexts);
    result.flags[k] = {output.SendOutput, output.ClampIncrease, output.ClampDecrease};
  }
  for (int r = 1; r <= NumRules; ++r) {
    Keep(result.strength[r - 1], model.Rules[r].Strength, result.longTexts);
  }
  for (size_t k = 0; k < usedInputs_.size(); ++k) {
    result.index[k] = model.PVarIn[usedInputs_[k]].VarIndex;
  }
}

void ReplayRows::Append(std::string& out, const ResultOfCycle& result) {
  AppendInteger(out, result.cycle);
  for (size_t k = 0; k < usedOutputs_.size(); ++k) {
    AppendField(out, Kept(result.valueOut[k], result.longTexts));
    for (const bool flag : result.flags[k]) AppendField(out, flag ? "True" : "False");
  }
  out += ',';
  AppendInteger(out, result.errorCode);
  for (const ResultOfCycle::Text& strength : result.strength) {
    AppendField(out, Kept(strength, result.longTexts));
  }
  for (size_t k = 0; k < usedInputs_.size(); ++k) {
    out += ',';
    AppendNumber(out, result.index[k], indexPattern_);
  }
  out += '\n';
}

}  // namespace kavro
