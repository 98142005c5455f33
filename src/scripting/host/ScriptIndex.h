#pragma once
// The index arguments of the data-access procedures: checked as numbers, then rounded.
#include <optional>

#include "scripting/vbs/Variant.h"

namespace kavro {

// The index to use when 1 <= index <= upper, compared as the number passed (so 0.6 fails and
// 1.4 passes), then rounded halves to even (2.5 is 2). Empty, Null, a text that is no number,
// an array or an object fail, as does any index when upper is below 1. Never raises.
std::optional<int> CheckedIndex(const vbs::Variant& index, int upper);

}  // namespace kavro
