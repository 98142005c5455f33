#include "ClientFiles.h"

#include <stdexcept>

#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "config/ConfigLines.h"

namespace kavro::plantsim {
namespace {

// The text between the double quotes of a quoted field; the line itself when unquoted.
std::string Unquoted(const std::string& line) {
  const std::string text = Trim(line);
  if (text.size() >= 2 && text.front() == '"' && text.back() == '"') {
    return text.substr(1, text.size() - 2);
  }
  return text;
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

TagLists ParseTagFile(const std::string& text) {
  const std::vector<std::string> lines = SplitConfigLines(text);
  if (lines.size() < 6) throw std::runtime_error("the .Tag file ends before its counts line");
  const std::string& counts = lines[3];
  const auto comma = counts.find(',');
  const auto second = counts.find(',', comma + 1);
  if (comma == std::string::npos || second == std::string::npos ||
      !IsNumeric(counts.substr(0, comma)) ||
      !IsNumeric(counts.substr(comma + 1, second - comma - 1))) {
    throw std::runtime_error("the .Tag file's line 4 is not \"read,write,kind\": " + counts);
  }
  const double readCount = ToNumber(counts.substr(0, comma));
  const double writeCount = ToNumber(counts.substr(comma + 1, second - comma - 1));
  if (readCount < 0 || writeCount < 0 || 6 + readCount + writeCount > lines.size()) {
    throw std::runtime_error("the .Tag file has fewer tags than its line 4 says");
  }
  TagLists tags;
  std::size_t next = 6;
  for (int n = 0; n < static_cast<int>(readCount); ++n)
    tags.read.push_back(Unquoted(lines[next++]));
  for (int n = 0; n < static_cast<int>(writeCount); ++n) {
    tags.write.push_back(Unquoted(lines[next++]));
  }
  return tags;
}

std::optional<OutputRequest> ParseOutputFile(const std::string& text) {
  const std::vector<std::string> lines = SplitConfigLines(text);
  if (lines.size() < 6) return std::nullopt;
  OutputRequest request;
  const std::string status = Unquoted(lines[3]);
  if (status != "RUN" && status != "STOP") return std::nullopt;
  request.stop = status == "STOP";
  if (!IsNumeric(lines[4])) return std::nullopt;
  request.linkFrequency = static_cast<int>(LeadingNumber(lines[4]));
  for (std::size_t n = 5; n < lines.size(); ++n) {
    if (Trim(lines[n]) == "X") {
      request.values.emplace_back();
    } else if (IsNumeric(lines[n])) {
      request.values.emplace_back(ToNumber(lines[n]));
    } else {
      return std::nullopt;
    }
  }
  return request;
}

std::string InputFileText(const std::string& name1, const DateTime& now,
                          const std::vector<double>& values) {
  std::string text = Quoted(name1) + kCrLf + Quoted(FormatDateTime(now, "yyyy/mm/dd")) + kCrLf +
                     Quoted(FormatDateTime(now, "hh:mm:ss")) + kCrLf;
  for (const double value : values) text += GeneralNumber(static_cast<float>(value)) + kCrLf;
  return text;
}

}  // namespace kavro::plantsim
