#include "session/TraceFile.h"

#include <algorithm>
#include <optional>

#include "common/KavroError.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "engine/GridExchange.h"

namespace kavro {
namespace {

std::string_view TrimField(std::string_view field) {
  while (!field.empty() && (field.front() == ' ' || field.front() == '\t')) field.remove_prefix(1);
  while (!field.empty() && (field.back() == ' ' || field.back() == '\t' || field.back() == '\r')) {
    field.remove_suffix(1);
  }
  return field;
}

std::vector<std::string_view> SplitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const auto comma = line.find(',');
    fields.push_back(TrimField(line.substr(0, comma)));
    if (comma == std::string_view::npos) return fields;
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

// A cell in its grid form, read as the cycle will read it, once, while the trace is read.
TraceCell GridCell(std::string text) {
  TraceCell cell;
  try {
    cell.number = ToSingle(text);
  } catch (const KavroError&) {
    cell.numeric = false;  // too large for a single: the cycle reports it when it comes
  }
  cell.text = std::move(text);
  return cell;
}

std::vector<TraceColumn> ReadHeader(std::string_view line, const ControllerModel& model) {
  std::vector<TraceColumn> columns;
  const auto fields = SplitFields(line);
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
  ++lineNumber_;
  if (lineNumber_ == 1) line = WithoutByteOrderMark(line);
  if (TrimField(line).empty()) return false;
  if (!haveHeader_) {
    columns_ = ReadHeader(line, model_);
    haveHeader_ = true;
    return false;
  }
  const auto fields = SplitFields(line);
  const size_t width = columns_.size();
  if (fields.size() != width) {
    const size_t column = std::min(fields.size(), width) + 1;
    throw TraceError(Where(lineNumber_, column) + ": the row has " +
                     std::to_string(fields.size()) + " cells, the header " +
                     std::to_string(width));
  }
  cells.clear();
  for (size_t c = 0; c < width; ++c) {
    if (!IsNumeric(fields[c])) {
      throw TraceError(Where(lineNumber_, c + 1) + " (" + columns_[c].name + "): " +
                       Quoted(fields[c]) + " is not a number");
    }
    try {
      cells.push_back(GridCell(FormatNumber(ToNumber(fields[c]), "####0.000")));
    } catch (const KavroError&) {
      throw TraceError(Where(lineNumber_, c + 1) + " (" + columns_[c].name + "): " +
                       Quoted(fields[c]) + " is too large a number");
    }
  }
  return true;
}

void TraceLines::Finish() const {
  if (!haveHeader_) throw TraceError("row 1: the trace has no header line");
}

TraceReader::TraceReader(std::istream& in, const ControllerModel& model)
    : in_(in), lines_(model) {
  // Up to the header; a row found on the way is kept for the first Next.
  while (lines_.Columns().empty() && !havePending_) {
    if (!std::getline(in_, line_)) break;
    havePending_ = lines_.Take(line_, pending_);
  }
  lines_.Finish();
}

bool TraceReader::Next(std::vector<TraceCell>& cells) {
  if (havePending_) {
    havePending_ = false;
    cells.swap(pending_);
    return true;
  }
  while (std::getline(in_, line_)) {
    if (lines_.Take(line_, cells)) return true;
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
  const size_t width = columns.size();
  for (size_t c = 0; c < width; ++c) {
    const TraceColumn& column = columns[c];
    const TraceCell& cell = cells[c];
    if (cell.numeric) {
      TypeValueCell(grid, memo, column.gridRow, column.gridColumn, cell.text, cell.number);
    } else {
      grid.At(column.gridRow, column.gridColumn).text = cell.text;
    }
  }
}

void ApplyTraceRow(const Trace& trace, size_t row, MainGrid& grid, EngineMemo& memo) {
  ApplyTraceRow(trace.columns, trace.cells.data() + row * trace.columns.size(), grid, memo);
}

}  // namespace kavro
