#include "model/EventLog.h"

namespace kavro {

const char* EventKindText(EventKind kind) {
  switch (kind) {
    case EventKind::StartUp:
      return "Start-up";
    case EventKind::Link:
      return "Link";
    case EventKind::LinkFault:
      return "Link fault";
    case EventKind::Control:
      return "Control";
    case EventKind::Configuration:
      return "Configuration";
    case EventKind::Script:
      return "Script";
    case EventKind::CycleError:
      return "Cycle error";
  }
  return "Event";
}

std::string EventLineText(const EventEntry& entry) {
  std::string line = entry.when + "\t" + EventKindText(entry.kind) + "\t" + entry.title + "\t";
  for (std::size_t k = 0; k < entry.text.size(); ++k) {
    const char c = entry.text[k];
    if (c == '\r' || c == '\n') {
      if (c == '\r' && k + 1 < entry.text.size() && entry.text[k + 1] == '\n') ++k;
      line += " / ";
    } else if (c == '\t') {
      line += ' ';
    } else {
      line += c;
    }
  }
  return line;
}

EventEntry& EventLog::Append(const std::string& when, const std::string& title,
                             const std::string& text, EventKind kind) {
  ++revision_;
  EventEntry* entry = nullptr;
  if (!entries_.empty() && entries_.back().title == title && entries_.back().text == text &&
      entries_.back().kind == kind) {
    entry = &entries_.back();
    entry->when = when;
    ++entry->repeats;
    entry->revision = revision_;
  } else {
    entries_.push_back(EventEntry{when, title, text, 1, kind, revision_});
    // A controller runs for years: keep the newest events only.
    if (entries_.size() > kCapacity) entries_.pop_front();
    entry = &entries_.back();
  }
  if (sink_) sink_(*entry);
  return *entry;
}

void EventLog::Add(const std::string& when, const std::string& title, const std::string& text,
                   EventKind kind) {
  notice_ = Append(when, title, text, kind);
  noticeVisible_ = true;
}

void EventLog::Note(const std::string& when, const std::string& title, const std::string& text,
                    EventKind kind) {
  const EventEntry& entry = Append(when, title, text, kind);
  // A note that repeats the raised event still counts on the notice.
  if (entry.title == notice_.title && entry.text == notice_.text && entry.kind == notice_.kind) {
    notice_ = entry;
  }
}

const EventEntry* EventLog::Notice() const {
  return noticeVisible_ ? &notice_ : nullptr;
}

}  // namespace kavro
