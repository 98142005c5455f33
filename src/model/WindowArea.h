#pragma once
// The state of one area of the main window, held by the controller without knowing its fields.
// Each area's state type belongs to the display/ module that shows it, a layer above the engine
// and the link: they name the area here but cannot reach inside it, so nothing below display/
// writes what a control shows. Reading or writing the area needs its whole type, which only
// display/ and ui/ include. An area may hold what cannot be copied (the trend's history reader),
// so the window state is not copied either.
#include <memory>

namespace kavro {

template <typename Area>
class WindowArea {
 public:
  WindowArea() = default;
  WindowArea(const WindowArea&) = delete;
  WindowArea& operator=(const WindowArea&) = delete;

  // The area's state; made with its start values on first use.
  Area& operator*() {
    if (!state_) state_ = std::shared_ptr<Area>(new Area());
    return *state_;
  }
  // Before first use the area reads as its start values.
  const Area& operator*() const {
    if (state_) return *state_;
    static const Area kStart{};
    return kStart;
  }
  Area* operator->() { return &**this; }
  const Area* operator->() const { return &**this; }

 private:
  // Shared only for its deleter, fixed where Area is complete, so the window state may be
  // destroyed where it is not; the state itself is never shared.
  std::shared_ptr<Area> state_;
};

}  // namespace kavro
