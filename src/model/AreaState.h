#pragma once
// The state of a window area whose type belongs to the display module that decides what the
// area shows: the window state holds it as one member without knowing its fields (the store sits
// below display/). It is made on first use, where the display module knows the type, and goes
// with the window state.
#include <memory>

namespace kavro {

template <class T>
class AreaState {
 public:
  AreaState() = default;
  AreaState(const AreaState&) = delete;
  AreaState& operator=(const AreaState&) = delete;

  // Only instantiated where T is complete: display/ and above.
  T& Get() const {
    if (!state_) state_ = std::shared_ptr<T>(new T());
    return *state_;
  }
  T& operator*() const { return Get(); }
  T* operator->() const { return &Get(); }

 private:
  // Shared only for its deleter, fixed where T is complete, so the store may be destroyed
  // where it is not; the state is never shared.
  mutable std::shared_ptr<T> state_;
};

}  // namespace kavro
