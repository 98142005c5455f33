#pragma once
// Run-time events the operator should know of without being stopped: cycle errors, move-limit
// overrides, link restarts. The newest one is also the current notice, which the window shows in
// a small panel the operator can dismiss; an identical repeat is counted instead of stacked.
#include <cstdint>
#include <deque>
#include <string>

namespace kavro {

struct EventEntry {
  std::string when;  // "mmm-dd-yyyy hh:mm:ss"
  std::string title;
  std::string text;
  int repeats = 1;  // how many times this same event came in a row
};

class EventLog {
 public:
  static constexpr std::size_t kCapacity = 500;

  // Adds an event (or counts a repeat of the newest one) and makes it the current notice.
  void Add(const std::string& when, const std::string& title, const std::string& text);
  // Adds an event to the log only, without raising the notice.
  void Note(const std::string& when, const std::string& title, const std::string& text);
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
  EventEntry& Append(const std::string& when, const std::string& title, const std::string& text);
  std::deque<EventEntry> entries_;
  EventEntry notice_;
  bool noticeVisible_ = false;
  std::uint64_t revision_ = 0;
};

}  // namespace kavro
