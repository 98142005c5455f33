#pragma once
// The state of one area of the main window, held by the controller without knowing its fields.
// Each area's state type belongs to the display/ module that shows it, a layer above the engine
// and the link: they name the area here but cannot reach inside it, so nothing below display/
// writes what a control shows. Reading or writing the area needs its whole type, which only
// display/ and ui/ include.
#include <any>

namespace kavro {

template <typename Area>
class WindowArea {
 public:
  // The area's state; made with its start values on first use.
  Area& operator*() {
    if (Area* area = std::any_cast<Area>(&state_)) return *area;
    return state_.emplace<Area>();
  }
  // Before first use the area reads as its start values.
  const Area& operator*() const {
    if (const Area* area = std::any_cast<Area>(&state_)) return *area;
    static const Area kStart{};
    return kStart;
  }
  Area* operator->() { return &**this; }
  const Area* operator->() const { return &**this; }

 private:
  std::any state_;
};

}  // namespace kavro
