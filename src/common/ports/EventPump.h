#pragma once
// Letting pending window events run, and sleeping, while the core waits.
namespace kavro {

class EventPump {
 public:
  virtual ~EventPump() = default;
  virtual void ProcessEvents() = 0;
  virtual void Sleep(int milliseconds) = 0;
  // False where no window runs beside the core (the replay, whose clock only moves from one
  // trace row to the next): a wait could only stall the core there, so it ends at once.
  virtual bool Waits() { return true; }
};

// Stands in where there is no window: no events to run, no sleeping, no waits.
EventPump& NoEventPump();

}  // namespace kavro
