#include "session/TraceFile.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <optional>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "edit/ValueTyping.h"

namespace kavro {
namespace {

std::string_view TrimField(std::string_view field) {
  while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t' || field.back() == '\r')) {
    field.remove_suffix(1);
  }
  return field;
}

// The fields of a line, into a list kept from line to line.
void SplitFields(std::string_view line, std::vector<std::string_view>& fields) {
  fields.clear();
  for (;;) {
    const auto comma = line.find(',');
    fields.push_back(TrimField(line.substr(0, comma)));
    if (comma == std::string_view::npos) return;
    line.remove_prefix(comma + 1);
  }
}

// A refused cell as the message quotes it: a runaway cell is not echoed whole.
std::string Quoted(std::string_view cell) {
  constexpr size_t kLongestQuote = 40;
  std::string quoted = "\"";
  quoted += cell.substr(0, kLongestQuote);
  quoted += cell.size() > kLongestQuote ? "\"..." : "\"";
  return quoted;
}

std::string_view WithoutByteOrderMark(std::string_view line) {
  constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
  if (line.starts_with(kUtf8Bom)) line.remove_prefix(kUtf8Bom.size());
  return line;
}

std::string Where(size_t row, size_t column) {
  return "row " + std::to_string(row) + ", column " + std::to_string(column);
}

// The grid column of the used variable with this name (inputs first), if any.
std::optional<int> VariableColumn(const ControllerModel& model, std::string_view name) {
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i]) && TrimRight(model.PVarIn[i].PVarName) == name) {
      return grid::InputColumn(i);
    }
  }
  for (int o = 1; o <= NumOut; ++o) {
    if (IsUsed(model.PVarOut[o]) && TrimRight(model.PVarOut[o].PVarName) == name) {
      return grid::OutputColumn(o);
    }
  }
  return std::nullopt;
}

// "NAME" is the value, "NAME.High" and "NAME.Low" the limits; a variable whose own name ends in
// ".High" is found by its whole name first.
std::optional<TraceColumn> ColumnNamed(const ControllerModel& model, std::string_view name) {
  if (const auto column = VariableColumn(model, name)) {
    return TraceColumn{std::string(name), grid::kRowValue, *column};
  }
  for (const auto& [suffix, row] : {std::pair<std::string_view, int>{".High", grid::kRowHigh},
                                    std::pair<std::string_view, int>{".Low", grid::kRowLow}}) {
    if (name.size() > suffix.size() && name.ends_with(suffix)) {
      if (const auto column = VariableColumn(model, name.substr(0, name.size() - suffix.size()))) {
        return TraceColumn{std::string(name), row, *column};
      }
    }
  }
  return std::nullopt;
}

// A number as the grid cell an operator typing it would leave ("####0.000"), and that cell read
// as the cycle will read it, once, while the trace is read. The cell keeps its text's buffer
// from row to row.
void SetGridCell(TraceCell& cell, double number) {
  static const NumberPattern kGridPattern("####0.000");
  cell.text.clear();
  const double read = AppendNumber(cell.text, number, kGridPattern);
  // Too large for a single (or for a double, written out): the cycle reports it when it comes.
  cell.numeric = false;
  if (std::isnan(read)) return;
  try {
    cell.number = SingleOfNumber(read);
    cell.numeric = true;
  } catch (const KavroError&) {
  }
}

// A trace cell written already in its grid form, [-]I.FFF (I without a leading zero unless it
// is "0", at most 15 digits in all, not a negative zero), scanned from first up to end or the
// first comma: as recorders and spreadsheets write three places, most cells are. Such a text is
// its own grid text: a decimal of at most 15 digits is the 15-digit decimal of its nearest
// double, and three places need no rounding. The number is the digits over 1000, both exact
// doubles, as ToNumber reads it. Returns where the cell ends (at the comma or end), or nothing
// for any other text, which the general path reads and formats.
const char* ScanGridFormCell(const char* first, const char* end, double& number) {
  constexpr long kPlaces = 3;
  constexpr long kMostIntegerDigits = 15 - kPlaces;
  const auto digit = [](char c) { return static_cast<unsigned>(c - '0'); };
  const char* at = first;
  const bool negative = at != end && *at == '-';
  if (negative) ++at;
  const char* const integer = at;
  uint64_t whole = 0;
  for (; at != end && digit(*at) <= 9; ++at) {
    if (at - integer == kMostIntegerDigits) return nullptr;
    whole = whole * 10 + digit(*at);
  }
  const long integerDigits = at - integer;
  if (integerDigits == 0 || (integerDigits > 1 && *integer == '0')) return nullptr;
  if (at == end || *at != '.') return nullptr;
  ++at;
  for (long k = 0; k < kPlaces; ++k, ++at) {
    if (at == end || digit(*at) > 9) return nullptr;
    whole = whole * 10 + digit(*at);
  }
  if (at != end && *at != ',') return nullptr;
  if (negative && whole == 0) return nullptr;  // "-0.000" is shown as "0.000"
  number = static_cast<double>(whole) / 1000.0;
  if (negative) number = -number;
  return at;
}

std::optional<double> GridFormNumber(std::string_view field) {
  const char* const end = field.data() + field.size();
  double number = 0;
  if (ScanGridFormCell(field.data(), end, number) != end) return std::nullopt;
  return number;
}

// Whether a number text may lie beyond the double range: only one with an exponent or with as
// many digits as the largest double has (309) can.
bool MayOverflow(std::string_view number) {
  constexpr size_t kShortestBeyondRange = 309;
  return number.size() >= kShortestBeyondRange ||
         number.find_first_of("eE") != std::string_view::npos;
}

std::vector<TraceColumn> ReadHeader(std::string_view line, const ControllerModel& model) {
  std::vector<TraceColumn> columns;
  std::vector<std::string_view> fields;
  SplitFields(line, fields);
  for (size_t c = 0; c < fields.size(); ++c) {
    const auto column = ColumnNamed(model, fields[c]);
    if (!column) {
      throw TraceError(Where(1, c + 1) + ": unknown column " + Quoted(fields[c]) +
                       "; columns are NAME, NAME.High or NAME.Low of a used input or output");
    }
    for (size_t earlier = 0; earlier < columns.size(); ++earlier) {
      if (columns[earlier].gridRow == column->gridRow &&
          columns[earlier].gridColumn == column->gridColumn) {
        throw TraceError(Where(1, c + 1) + ": column \"" + column->name + "\" sets what column " +
                         std::to_string(earlier + 1) + " sets");
      }
    }
    columns.push_back(*column);
  }
  return columns;
}

}  // namespace

bool TraceLines::Take(std::string_view line, std::vector<TraceCell>& cells) {
  return Read(line, &cells);
}

bool TraceLines::Check(std::string_view line) {
  return Read(line, nullptr);
}

bool TraceLines::Read(std::string_view line, std::vector<TraceCell>* cells) {
  ++lineNumber_;
  if (lineNumber_ == 1) line = WithoutByteOrderMark(line);
  if (TrimField(line).empty()) return false;
  if (!haveHeader_) {
    columns_ = ReadHeader(line, model_);
    haveHeader_ = true;
    return false;
  }
  if (TakeGridFormRow(line, cells)) return true;
  SplitFields(line, fields_);
  const size_t width = columns_.size();
  if (fields_.size() != width) {
    const size_t column = std::min(fields_.size(), width) + 1;
    throw TraceError(Where(lineNumber_, column) + ": the row has " +
                     std::to_string(fields_.size()) + " cells, the header " +
                     std::to_string(width));
  }
  if (cells) cells->resize(width);
  for (size_t c = 0; c < width; ++c) {
    const std::string_view field = fields_[c];
    if (const auto number = GridFormNumber(field)) {
      if (cells) {
        TraceCell& cell = (*cells)[c];
        cell.text.assign(field);
        cell.number = SingleOfNumber(*number);
        cell.numeric = true;
      }
      continue;
    }
    if (!cells && IsNumeric(field) && !MayOverflow(field)) continue;  // checked: it reads
    try {
      const double number = ToNumber(field);  // checks that it is a number, as it reads it
      if (cells) SetGridCell((*cells)[c], number);
    } catch (const KavroError& failure) {
      throw TraceError(Where(lineNumber_, c + 1) + " (" + columns_[c].name + "): " + Quoted(field) +
                       (failure.Number() == errors::kTypeMismatch ? " is not a number"
                                                                  : " is too large a number"));
    }
  }
  return true;
}

bool TraceLines::TakeGridFormRow(std::string_view line, std::vector<TraceCell>* cells) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  const size_t width = columns_.size();
  if (cells) cells->resize(width);
  const char* at = line.data();
  const char* const end = at + line.size();
  for (size_t column = 0; column < width; ++column) {
    // No blank, tab or line end fits the grid form: such a cell goes the general way.
    double number = 0;
    const char* const cellEnd = ScanGridFormCell(at, end, number);
    if (!cellEnd) return false;
    if (cells) {
      TraceCell& cell = (*cells)[column];
      cell.text.assign(at, cellEnd);
      cell.number = SingleOfNumber(number);
      cell.numeric = true;
    }
    if (cellEnd == end) return column + 1 == width;
    at = cellEnd + 1;  // past the comma
  }
  return false;  // more cells than the header: the general way says so
}

void TraceLines::Finish() const {
  if (!haveHeader_) throw TraceError("row 1: the trace has no header line");
}

TraceReader::TraceReader(std::istream& in, const ControllerModel& model)
    : in_(in), lines_(model) {
  // Up to the header; a row found on the way is kept for the first Next.
  std::string_view line;
  while (lines_.Columns().empty() && !havePending_) {
    if (!NextLine(line)) break;
    havePending_ = lines_.Take(line, pending_);
  }
  lines_.Finish();
}

bool TraceReader::NextLine(std::string_view& line) {
  constexpr size_t kBlock = 1 << 16;
  for (;;) {
    const size_t end = buffer_.find('\n', next_);
    if (end != std::string::npos) {
      line = std::string_view(buffer_).substr(next_, end - next_);
      next_ = end + 1;
      return true;
    }
    if (atEnd_) {
      if (next_ >= buffer_.size()) return false;
      line = std::string_view(buffer_).substr(next_);  // the last line, without a line end
      next_ = buffer_.size();
      return true;
    }
    // The unfinished line moves to the front and the next block is read behind it.
    buffer_.erase(0, next_);
    next_ = 0;
    const size_t kept = buffer_.size();
    buffer_.resize(kept + kBlock);
    in_.read(buffer_.data() + kept, static_cast<std::streamsize>(kBlock));
    const auto got = static_cast<size_t>(in_.gcount());
    buffer_.resize(kept + got);
    if (got == 0) atEnd_ = true;
  }
}

bool TraceReader::Next(std::vector<TraceCell>& cells) {
  if (havePending_) {
    havePending_ = false;
    cells.swap(pending_);
    return true;
  }
  std::string_view line;
  while (NextLine(line)) {
    if (lines_.Take(line, cells)) return true;
  }
  return false;
}

bool TraceReader::CheckNext() {
  if (havePending_) {
    havePending_ = false;
    return true;
  }
  std::string_view line;
  while (NextLine(line)) {
    if (lines_.Check(line)) return true;
  }
  return false;
}

Trace ReadTrace(std::string_view text, const ControllerModel& model) {
  Trace trace;
  TraceLines lines(model);
  std::vector<TraceCell> cells;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (!lines.Take(line, cells)) continue;
    for (TraceCell& cell : cells) trace.cells.push_back(std::move(cell));
    ++trace.rows;
  }
  lines.Finish();
  trace.columns = lines.Columns();
  return trace;
}

void ApplyTraceRow(const std::vector<TraceColumn>& columns, const TraceCell* cells, MainGrid& grid,
                   EngineMemo& memo) {
  ValueTyping typing(grid, memo);
  const size_t width = columns.size();
  for (size_t c = 0; c < width; ++c) {
    const TraceColumn& column = columns[c];
    const TraceCell& cell = cells[c];
    if (cell.numeric) {
      typing.Number(column.gridRow, column.gridColumn, cell.text, cell.number);
    } else {
      typing.Text(column.gridRow, column.gridColumn, cell.text);
    }
  }
  typing.Finish();
}

void ApplyTraceRow(const Trace& trace, size_t row, MainGrid& grid, EngineMemo& memo) {
  ApplyTraceRow(trace.columns, trace.cells.data() + row * trace.columns.size(), grid, memo);
}

}  // namespace kavro
