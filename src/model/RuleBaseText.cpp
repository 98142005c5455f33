#include "model/RuleBaseText.h"

#include <ostream>

namespace kavro {

std::ostream& operator<<(std::ostream& out, const RuleBaseText& text) {
  return out << text.str();
}

}  // namespace kavro
