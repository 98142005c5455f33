#include "model/EventLog.h"

namespace kavro {

void EventLog::Append(const std::string& when, const std::string& title, const std::string& text) {
  if (!entries_.empty() && entries_.back().title == title && entries_.back().text == text) {
    entries_.back().when = when;
    ++entries_.back().repeats;
    return;
  }
  entries_.push_back(EventEntry{when, title, text, 1});
  // A controller runs for years: keep the newest events only.
  if (entries_.size() > kCapacity) entries_.pop_front();
}

void EventLog::Add(const std::string& when, const std::string& title, const std::string& text) {
  Append(when, title, text);
  noticeVisible_ = true;
}

void EventLog::Note(const std::string& when, const std::string& title, const std::string& text) {
  Append(when, title, text);
}

const EventEntry* EventLog::Notice() const {
  if (!noticeVisible_ || entries_.empty()) return nullptr;
  return &entries_.back();
}

}  // namespace kavro
