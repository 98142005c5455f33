#pragma once
// What happened to the controller, for an operator coming to the screen after a night shift:
// start-up, the link switched and its faults, control mode changes, saves, cycle errors. Add
// also raises the event as the current notice, which the window shows in a small panel the
// operator can dismiss; Note only records it. An identical repeat is counted instead of stacked.
// Every occurrence also goes to the sink, when one is set (the events file of WorkDir).
#include <cstdint>
#include <deque>
#include <functional>
#include <string>
#include <utility>

namespace kavro {

enum class EventKind { StartUp, Link, LinkFault, Control, Configuration, Script, CycleError };

// "Start-up", "Link", "Link fault", "Control", "Configuration", "Script", "Cycle error".
const char* EventKindText(EventKind kind);

struct EventEntry;
// One line of the events file: time, kind, title and text separated by tabs, the text's own line
// breaks shown as " / " so that every event is one whole line.
std::string EventLineText(const EventEntry& entry);

struct EventEntry {
  std::string when;  // "mmm-dd-yyyy hh:mm:ss"
  std::string title;
  std::string text;
  int repeats = 1;  // how many times this same event came in a row
  EventKind kind = EventKind::Control;
  // The log's Revision when this entry came in or was last repeated: what a follower has not
  // seen yet is every entry stamped after the revision it saw last.
  std::uint64_t revision = 0;
};

class EventLog {
 public:
  static constexpr std::size_t kCapacity = 500;

  // Adds an event (or counts a repeat of the newest one) and makes it the current notice.
  void Add(const std::string& when, const std::string& title, const std::string& text,
           EventKind kind = EventKind::CycleError);
  // Adds an event to the log only, without raising the notice.
  void Note(const std::string& when, const std::string& title, const std::string& text,
            EventKind kind = EventKind::Control);
  // Receives every occurrence, repeats included, as it comes in.
  void SetSink(std::function<void(const EventEntry&)> sink) { sink_ = std::move(sink); }
  const std::deque<EventEntry>& Entries() const { return entries_; }
  // Counts every change of the log, repeats included: a view compares it with the revision it
  // last showed, since neither the entry count (a full log) nor the newest time (two events in
  // one second) tells that something new came in.
  std::uint64_t Revision() const { return revision_; }
  bool NoticeVisible() const { return noticeVisible_; }
  // The event raised by the last Add, as it stands (its repeats counted); a later Note does not
  // replace it. Nothing when hidden or nothing was raised.
  const EventEntry* Notice() const;
  void DismissNotice() { noticeVisible_ = false; }

 private:
  EventEntry& Append(const std::string& when, const std::string& title, const std::string& text,
                     EventKind kind);
  std::deque<EventEntry> entries_;
  EventEntry notice_;
  bool noticeVisible_ = false;
  std::uint64_t revision_ = 0;
  std::function<void(const EventEntry&)> sink_;
};

}  // namespace kavro
