// Recognising a line that is a date, a time or both: the date line of script files and line 2
// of FLC.dat. Strict on purpose: a label line such as "Note: 1:2" must not pass as a time.
#include <optional>
#include <string_view>

#include "common/DateText.h"

namespace kavro {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// A cursor over the line; each Read* consumes only on success.
class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return pos_ == text_.size(); }

  // An unsigned number of minDigits..maxDigits digits, not followed by a further digit.
  std::optional<int> ReadNumber(size_t minDigits, size_t maxDigits) {
    size_t end = pos_;
    while (end < text_.size() && IsDigit(text_[end])) ++end;
    const size_t count = end - pos_;
    if (count < minDigits || count > maxDigits) return std::nullopt;
    int value = 0;
    for (size_t i = pos_; i < end; ++i) value = value * 10 + (text_[i] - '0');
    pos_ = end;
    return value;
  }

  bool ReadChar(char c) {
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }

  // At least one blank.
  bool ReadBlanks() {
    const size_t start = pos_;
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    return pos_ > start;
  }

  // "AM" or "PM" in either case; returns 'A' or 'P'.
  std::optional<char> ReadMeridiem() {
    if (pos_ + 2 > text_.size()) return std::nullopt;
    const char first = static_cast<char>(text_[pos_] & ~0x20);
    const char second = static_cast<char>(text_[pos_ + 1] & ~0x20);
    if ((first != 'A' && first != 'P') || second != 'M') return std::nullopt;
    pos_ += 2;
    return first;
  }

  size_t Position() const { return pos_; }
  void Rewind(size_t pos) { pos_ = pos; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

// "m/d/yyyy" or "yyyy-mm-dd".
bool ReadDate(Reader& reader, DateTime& value) {
  const size_t start = reader.Position();
  int year = 0, month = 0, day = 0;
  if (const auto first = reader.ReadNumber(1, 2); first && reader.ReadChar('/')) {
    const auto d = reader.ReadNumber(1, 2);
    const auto y = d && reader.ReadChar('/') ? reader.ReadNumber(4, 4) : std::nullopt;
    if (!y) return false;
    month = *first, day = *d, year = *y;
  } else {
    reader.Rewind(start);
    const auto y = reader.ReadNumber(4, 4);
    const auto m = y && reader.ReadChar('-') ? reader.ReadNumber(1, 2) : std::nullopt;
    const auto d = m && reader.ReadChar('-') ? reader.ReadNumber(1, 2) : std::nullopt;
    if (!d) return false;
    year = *y, month = *m, day = *d;
  }
  if (!IsValidDate(year, month, day)) return false;
  value.year = year, value.month = month, value.day = day;
  return true;
}

// "h:mm" or "h:mm:ss", optionally followed by " AM" / " PM" (hours 1..12 then).
bool ReadTime(Reader& reader, DateTime& value) {
  const auto hour = reader.ReadNumber(1, 2);
  const auto minute = hour && reader.ReadChar(':') ? reader.ReadNumber(2, 2) : std::nullopt;
  if (!minute) return false;
  int second = 0;
  if (reader.ReadChar(':')) {
    const auto s = reader.ReadNumber(2, 2);
    if (!s) return false;
    second = *s;
  }
  int hour24 = *hour;
  const size_t beforeMeridiem = reader.Position();
  std::optional<char> meridiem;
  if (reader.ReadBlanks()) meridiem = reader.ReadMeridiem();
  if (meridiem) {
    if (hour24 < 1 || hour24 > 12) return false;
    hour24 = hour24 % 12 + (*meridiem == 'P' ? 12 : 0);
  } else {
    reader.Rewind(beforeMeridiem);
  }
  if (hour24 > 23 || *minute > 59 || second > 59) return false;
  value.hour = hour24, value.minute = *minute, value.second = second;
  return true;
}

}  // namespace

std::optional<DateLine> ParseDateLine(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsBlank(line.back())) line.remove_suffix(1);

  DateLine result;
  Reader reader(line);
  result.hasDate = ReadDate(reader, result.value);
  if (result.hasDate) {
    if (reader.AtEnd()) return result;
    if (!reader.ReadBlanks()) return std::nullopt;
  } else {
    reader.Rewind(0);
  }
  result.hasTime = ReadTime(reader, result.value);
  if (!result.hasTime || !reader.AtEnd()) return std::nullopt;
  return result;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

}  // namespace kavro
