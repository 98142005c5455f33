#include "scripting/host/ScriptIndex.h"

#include "common/NumberText.h"
#include "scripting/vbs/Conversions.h"

namespace kavro {

std::optional<int> CheckedIndex(const vbs::Variant& index, int upper) {
  std::optional<double> value;
  if (index.IsString()) {
    value = vbs::ParseNumber(index.StringValue());
  } else if (index.IsNumber()) {  // Booleans and dates count as their numbers
    value = vbs::ToDouble(index);
  }
  // NaN fails both comparisons.
  if (!value || !(*value >= 1.0) || !(*value <= upper)) return std::nullopt;
  return static_cast<int>(RoundHalfEven(*value));
}

}  // namespace kavro
