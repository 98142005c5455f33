#pragma once
// Letting pending window events run, and sleeping, while the core waits.
namespace kavro {

class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessEvents() = 0;
  virtual void Sleep(int milliseconds) = 0;
};

}  // namespace kavro
