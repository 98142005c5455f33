#include "engine/ErrorCode.h"

#include "common/NumberText.h"

namespace kavro {
namespace {

constexpr int16_t kIncreaseBlocked = 1;  // times the output's digit
constexpr int16_t kDecreaseBlocked = 2;

// Output o's place in the code: output 1 owns the units, output 2 the tens.
constexpr int16_t OutputDigit(int o) { return o == 1 ? 1 : 10; }
static_assert(NumOut == 2, "one decimal digit of the error code per output");

}  // namespace

void ComposeErrorCode(ControllerModel& model) {
  int16_t code = model.ToFileMode ? kToFileCode : 0;
  for (int o = 1; o <= NumOut; ++o) {
    const PVarOutRecord& output = model.PVarOut[o];
    if (output.ClampIncrease) code = ToInt16(code - kIncreaseBlocked * OutputDigit(o));
    if (output.ClampDecrease) code = ToInt16(code - kDecreaseBlocked * OutputDigit(o));
  }
  if (model.LinkReadError) code = kReadErrorCode;
  if (model.LinkWriteError) code = kWriteErrorCode;
  model.ErrorCodeValue = code;
}

std::string ErrorCodeMeaning(int16_t code) {
  if (code == 0) return "No Error";
  if (code == kReadErrorCode) return "File Read Error";
  if (code == kWriteErrorCode) return "File Write Error";
  if (code > 0 || code < kToFileCode - 33) return "Unknown";
  std::string meaning;
  const auto add = [&meaning](const std::string& part) {
    meaning += (meaning.empty() ? "" : " + ") + part;
  };
  int rest = -code;
  if (rest >= -kToFileCode) {
    add("Output To FILE");
    rest += kToFileCode;
  }
  for (int o = 1; o <= NumOut; ++o) {
    const int digit = rest / OutputDigit(o) % 10;
    const std::string output = "Output " + std::to_string(o);
    if (digit & kIncreaseBlocked) add(output + " increases blocked");
    if (digit & kDecreaseBlocked) add(output + " decreases blocked");
  }
  if (rest >= 100 || rest % 10 > 3 || rest / 10 > 3) return "Unknown";
  return meaning;
}

}  // namespace kavro
