#include "scripting/vbs/DateMath.h"

#include <array>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kavro::vbs {
namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
  y -= m <= 2;
  const int64_t era = (y >= 0 ? y : y - 399) / 400;
  const int64_t yoe = y - era * 400;
  const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const int64_t doe = z - era * 146097;
  const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

constexpr int64_t kEpochOffset = 25569;  // 1970-01-01 is day 25569 after 1899-12-30

const std::array<const char*, 12> kMonthNames{"january",   "february", "march",    "april",
                                              "may",       "june",     "july",     "august",
                                              "september", "october",  "november", "december"};

bool IsValidDate(int y, int m, int d) {
  if (y < 100 || y > 9999 || m < 1 || m > 12 || d < 1) return false;
  static constexpr std::array<int, 12> kDays{31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (d > kDays[static_cast<size_t>(m - 1)]) return false;
  if (m == 2 && d == 29) {
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (!leap) return false;
  }
  return true;
}

// Tokens of a date text: numbers, words and the separators between them.
struct Piece {
  enum Kind { Number, Word, Sep } kind;
  std::string text;
  int value = 0;
};

std::vector<Piece> Split(std::string_view text) {
  std::vector<Piece> pieces;
  size_t i = 0;
  while (i < text.size()) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (std::isdigit(c)) {
      int value = 0;
      size_t start = i;
      while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        if (i - start < 6) value = value * 10 + (text[i] - '0');
        ++i;
      }
      if (i - start > 5) return {};
      pieces.push_back({Piece::Number, std::string(text.substr(start, i - start)), value});
    } else if (std::isalpha(c)) {
      size_t start = i;
      while (i < text.size() && std::isalpha(static_cast<unsigned char>(text[i]))) ++i;
      std::string word(text.substr(start, i - start));
      for (auto& ch : word) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
      pieces.push_back({Piece::Word, word, 0});
    } else if (c == ' ' || c == '\t') {
      ++i;
      pieces.push_back({Piece::Sep, " ", 0});
    } else if (c == '/' || c == '-' || c == ':' || c == ',' || c == '.') {
      pieces.push_back({Piece::Sep, std::string(1, static_cast<char>(c)), 0});
      ++i;
    } else {
      return {};
    }
  }
  return pieces;
}

int MonthFromWord(const std::string& word) {
  if (word.size() < 3) return 0;
  for (size_t m = 0; m < kMonthNames.size(); ++m) {
    const std::string name = kMonthNames[m];
    if (name.compare(0, word.size(), word) == 0) return static_cast<int>(m) + 1;
  }
  return 0;
}

}  // namespace

int ExpandYear(int year) {
  if (year >= 0 && year < 30) return 2000 + year;
  if (year >= 30 && year < 100) return 1900 + year;
  return year;
}

double SerialFromDate(int year, int month, int day) {
  // Months run over into years first, then days are counted from the first of that month.
  int64_t m0 = static_cast<int64_t>(month) - 1;
  int64_t y = year + (m0 >= 0 ? m0 / 12 : (m0 - 11) / 12);
  int64_t m = ((m0 % 12) + 12) % 12 + 1;
  return static_cast<double>(DaysFromCivil(y, m, 1) + kEpochOffset + (day - 1));
}

double SerialFromTime(int hour, int minute, int second) {
  return (static_cast<double>(hour) * 3600.0 + minute * 60.0 + second) / 86400.0;
}

double CombineDateTime(double days, double timeOfDay) {
  if (days >= 0) return days + timeOfDay;
  return days - timeOfDay;
}

double DayPart(double serial) {
  return std::trunc(serial);
}

double TimePart(double serial) {
  return std::fabs(serial - std::trunc(serial));
}

DateParts PartsFromSerial(double serial) {
  DateParts parts;
  double days = std::trunc(serial);
  double seconds = std::round(TimePart(serial) * 86400.0);
  if (seconds >= 86400.0) {
    seconds -= 86400.0;
    days += serial >= 0 ? 1 : -1;
  }
  CivilFromDays(static_cast<int64_t>(days) - kEpochOffset, parts.year, parts.month, parts.day);
  const int secs = static_cast<int>(seconds);
  parts.hour = secs / 3600;
  parts.minute = secs / 60 % 60;
  parts.second = secs % 60;
  // 30 Dec 1899 was a Saturday.
  const int64_t d = static_cast<int64_t>(days);
  parts.weekday = static_cast<int>(((d + 6) % 7 + 7) % 7) + 1;
  return parts;
}

std::string FormatDate(double serial) {
  const DateParts p = PartsFromSerial(serial);
  std::string out;
  // Day 0 (30 Dec 1899) shows as a time alone, so 0 reads "12:00:00 AM"; a whole day shows
  // as a date alone.
  const bool hasDate = DayPart(serial) != 0.0;
  const bool hasTime = TimePart(serial) != 0.0 || !hasDate;
  if (hasDate) {
    out = std::to_string(p.month) + "/" + std::to_string(p.day) + "/" + std::to_string(p.year);
  }
  if (hasTime) {
    if (!out.empty()) out += ' ';
    const int h12 = p.hour % 12 == 0 ? 12 : p.hour % 12;
    const char* ampm = p.hour < 12 ? "AM" : "PM";
    auto twoDigits = [&out](int v) {
      out += static_cast<char>('0' + v / 10);
      out += static_cast<char>('0' + v % 10);
    };
    out += std::to_string(h12);
    out += ':';
    twoDigits(p.minute);
    out += ':';
    twoDigits(p.second);
    out += ' ';
    out += ampm;
  }
  return out;
}

std::optional<double> ParseDate(std::string_view text, int currentYear) {
  std::vector<Piece> all = Split(text);
  // Drop blanks next to other separators and leading/trailing blanks; keep the rest in order.
  std::vector<Piece> pieces;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i].kind == Piece::Sep && all[i].text == " ") {
      if (pieces.empty() || i + 1 == all.size()) continue;
      if (pieces.back().kind == Piece::Sep) continue;
      if (all[i + 1].kind == Piece::Sep) continue;
    }
    pieces.push_back(all[i]);
  }
  if (pieces.empty()) return std::nullopt;

  // Time: the part from the first number followed by ':' (or followed by AM/PM).
  size_t timeStart = pieces.size();
  for (size_t i = 0; i + 1 < pieces.size(); ++i) {
    if (pieces[i].kind == Piece::Number &&
        ((pieces[i + 1].kind == Piece::Sep && pieces[i + 1].text == ":") ||
         (pieces[i + 1].kind == Piece::Word &&
          (pieces[i + 1].text == "am" || pieces[i + 1].text == "pm")) ||
         (pieces[i + 1].kind == Piece::Sep && pieces[i + 1].text == " " && i + 2 < pieces.size() &&
          pieces[i + 2].kind == Piece::Word &&
          (pieces[i + 2].text == "am" || pieces[i + 2].text == "pm")))) {
      timeStart = i;
      break;
    }
  }
  bool hasTime = false;
  double timeValue = 0;
  if (timeStart < pieces.size()) {
    std::vector<int> numbers;
    std::string ampm;
    for (size_t i = timeStart; i < pieces.size(); ++i) {
      const Piece& p = pieces[i];
      if (p.kind == Piece::Number) {
        if (!ampm.empty() || numbers.size() == 3) return std::nullopt;
        numbers.push_back(p.value);
      } else if (p.kind == Piece::Word) {
        if ((p.text != "am" && p.text != "pm") || !ampm.empty()) return std::nullopt;
        ampm = p.text;
      } else if (p.text == ":") {
        if (i + 1 >= pieces.size() || pieces[i + 1].kind != Piece::Number) return std::nullopt;
      } else if (p.text != " ") {
        return std::nullopt;
      }
    }
    if (numbers.empty() || (numbers.size() == 1 && ampm.empty())) return std::nullopt;
    int h = numbers[0];
    const int mi = numbers.size() > 1 ? numbers[1] : 0;
    const int s = numbers.size() > 2 ? numbers[2] : 0;
    if (!ampm.empty()) {
      if (h < 1 || h > 12) return std::nullopt;
      if (ampm == "am" && h == 12) h = 0;
      if (ampm == "pm" && h != 12) h += 12;
    }
    if (h > 23 || mi > 59 || s > 59) return std::nullopt;
    hasTime = true;
    timeValue = SerialFromTime(h, mi, s);
    pieces.resize(timeStart);
    while (!pieces.empty() && pieces.back().kind == Piece::Sep) pieces.pop_back();
  }
  if (pieces.empty()) {
    if (!hasTime) return std::nullopt;
    return timeValue;
  }

  // Date: up to three parts, numbers or one month word, with separators in between.
  std::vector<Piece> parts;
  for (const Piece& p : pieces) {
    if (p.kind != Piece::Sep) parts.push_back(p);
  }
  for (size_t i = 0; i < pieces.size(); ++i) {
    if (pieces[i].kind != Piece::Sep) continue;
    if (i == 0) return std::nullopt;  // a date starts with a number or a month name
    if (pieces[i - 1].kind == Piece::Sep && pieces[i].text != " " && pieces[i - 1].text != ",") {
      return std::nullopt;
    }
  }
  if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
  int y = 0, m = 0, d = 0;
  size_t wordAt = parts.size();
  for (size_t i = 0; i < parts.size(); ++i) {
    if (parts[i].kind == Piece::Word) {
      if (wordAt != parts.size()) return std::nullopt;
      wordAt = i;
    }
  }
  if (wordAt != parts.size()) {
    m = MonthFromWord(parts[wordAt].text);
    if (m == 0) return std::nullopt;
    std::vector<const Piece*> nums;
    for (size_t i = 0; i < parts.size(); ++i) {
      if (i != wordAt) nums.push_back(&parts[i]);
    }
    if (nums.size() == 1) {
      d = nums[0]->value;
      y = currentYear;
    } else if (wordAt == 0 || wordAt == 1) {
      // "mmm d yyyy" or "d mmm yyyy"
      if (nums[0]->text.size() > 2) {
        y = nums[0]->value;
        d = nums[1]->value;
      } else {
        d = nums[0]->value;
        y = nums[1]->text.size() <= 2 ? ExpandYear(nums[1]->value) : nums[1]->value;
      }
    } else {
      // "yyyy d mmm" is not a form anyone writes; "d yyyy mmm" neither.
      return std::nullopt;
    }
  } else if (parts.size() == 3) {
    if (parts[0].text.size() > 2) {  // yyyy-mm-dd
      y = parts[0].value;
      m = parts[1].value;
      d = parts[2].value;
    } else {  // m/d/yyyy
      m = parts[0].value;
      d = parts[1].value;
      y = parts[2].text.size() <= 2 ? ExpandYear(parts[2].value) : parts[2].value;
    }
  } else {  // m/d of this year
    m = parts[0].value;
    d = parts[1].value;
    y = currentYear;
  }
  if (!IsValidDate(y, m, d)) return std::nullopt;
  return CombineDateTime(SerialFromDate(y, m, d), hasTime ? timeValue : 0.0);
}

std::string MonthText(int month, bool abbreviate) {
  std::string name = kMonthNames[static_cast<size_t>(month - 1)];
  name[0] = static_cast<char>(name[0] - 'a' + 'A');
  return abbreviate ? name.substr(0, 3) : name;
}

std::string WeekdayText(int weekday, bool abbreviate) {
  static constexpr std::array<const char*, 7> kDays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                    "Thursday", "Friday", "Saturday"};
  const std::string name = kDays[static_cast<size_t>(weekday - 1)];
  return abbreviate ? name.substr(0, 3) : name;
}

}  // namespace kavro::vbs
