#pragma once
// FormatNumber works out most texts in binary and only goes through the 15-digit decimal when
// the binary work cannot decide the last digit. This is the decimal path alone, for every
// value, so tests can prove that both give the same text.
#include <string>
#include <string_view>

namespace kavro {

// FormatNumber's text for value and pattern, always through the 15-digit decimal.
std::string FormatNumberThroughDecimal(double value, std::string_view pattern);

}  // namespace kavro
