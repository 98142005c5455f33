#pragma once
#include <string>

namespace kavro {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  virtual void SetText(const std::string& text) = 0;
};

// Stands in where there is no desktop: what is copied goes nowhere.
Clipboard& NoClipboard();

}  // namespace kavro
