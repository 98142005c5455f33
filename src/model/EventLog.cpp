#include "model/EventLog.h"

namespace kavro {

EventEntry& EventLog::Append(const std::string& when, const std::string& title,
                             const std::string& text) {
  ++revision_;
  if (!entries_.empty() && entries_.back().title == title && entries_.back().text == text) {
    entries_.back().when = when;
    ++entries_.back().repeats;
    return entries_.back();
  }
  entries_.push_back(EventEntry{when, title, text, 1});
  // A controller runs for years: keep the newest events only.
  if (entries_.size() > kCapacity) entries_.pop_front();
  return entries_.back();
}

void EventLog::Add(const std::string& when, const std::string& title, const std::string& text) {
  notice_ = Append(when, title, text);
  noticeVisible_ = true;
}

void EventLog::Note(const std::string& when, const std::string& title, const std::string& text) {
  const EventEntry& entry = Append(when, title, text);
  // A note that repeats the raised event still counts on the notice.
  if (entry.title == notice_.title && entry.text == notice_.text) notice_ = entry;
}

const EventEntry* EventLog::Notice() const { return noticeVisible_ ? &notice_ : nullptr; }

}  // namespace kavro
