#pragma once
// A port the core can always call: it starts at the port's stand-in (a controller without a
// window still has an operator who never answers, a clock that stands still, ...) and can be
// pointed at another port, never at nothing. So no caller has to ask whether a port is there.
#include <cstddef>
#include <stdexcept>

namespace kavro {

template <class Port>
class PortRef {
 public:
  explicit PortRef(Port& standIn) : port_(&standIn) {}

  // Wiring names the port by its address (ports.op = &op). Nothing is refused: at compile time
  // when written as nullptr, at run time when a pointer turns out empty.
  PortRef& operator=(Port* port) {
    if (port == nullptr) throw std::invalid_argument("a port cannot be set to nothing");
    port_ = port;
    return *this;
  }
  PortRef& operator=(std::nullptr_t) = delete;

  Port* operator->() const { return port_; }
  Port& operator*() const { return *port_; }
  Port& get() const { return *port_; }

  friend bool operator==(const PortRef& ref, const Port* port) { return ref.port_ == port; }

 private:
  Port* port_;
};

}  // namespace kavro
