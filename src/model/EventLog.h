#pragma once
// Run-time events the operator should know of without being stopped: cycle errors, move-limit
// overrides, link restarts. The newest one is also the current notice, which the window shows in
// a small panel the operator can dismiss; an identical repeat is counted instead of stacked.
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
  bool NoticeVisible() const { return noticeVisible_; }
  const EventEntry* Notice() const;  // nothing when hidden or the log is empty
  void DismissNotice() { noticeVisible_ = false; }

 private:
  void Append(const std::string& when, const std::string& title, const std::string& text);
  std::deque<EventEntry> entries_;
  bool noticeVisible_ = false;
};

}  // namespace kavro
