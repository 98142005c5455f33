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
      throw TraceError(Where(1, c + 1) + ": unknown column \"" + std::string(fields[c]) +
                       "\"; columns are NAME, NAME.High or NAME.Low of a used input or output");
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

Trace ReadTrace(std::string_view text, const ControllerModel& model) {
  Trace trace;
  bool haveHeader = false;
  size_t lineNumber = 0;
  while (!text.empty()) {
    const auto end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++lineNumber;
    if (TrimField(line).empty()) continue;
    if (!haveHeader) {
      trace.columns = ReadHeader(line, model);
      haveHeader = true;
      continue;
    }
    const auto fields = SplitFields(line);
    const size_t width = trace.columns.size();
    if (fields.size() != width) {
      const size_t column = std::min(fields.size(), width) + 1;
      throw TraceError(Where(lineNumber, column) + ": the row has " +
                       std::to_string(fields.size()) + " cells, the header " +
                       std::to_string(width));
    }
    for (size_t c = 0; c < width; ++c) {
      if (!IsNumeric(fields[c])) {
        throw TraceError(Where(lineNumber, c + 1) + " (" + trace.columns[c].name + "): \"" +
                         std::string(fields[c]) + "\" is not a number");
      }
      try {
        trace.cells.push_back(GridCell(FormatNumber(ToNumber(fields[c]), "####0.000")));
      } catch (const KavroError&) {
        throw TraceError(Where(lineNumber, c + 1) + " (" + trace.columns[c].name + "): \"" +
                         std::string(fields[c]) + "\" is too large a number");
      }
    }
    ++trace.rows;
  }
  if (!haveHeader) throw TraceError("row 1: the trace has no header line");
  return trace;
}

void ApplyTraceRow(const Trace& trace, size_t row, ControllerModel& model, MainGrid& grid) {
  const size_t width = trace.columns.size();
  for (size_t c = 0; c < width; ++c) {
    const TraceColumn& column = trace.columns[c];
    const TraceCell& cell = trace.cells[row * width + c];
    if (cell.numeric) {
      TypeValueCell(model, grid, column.gridRow, column.gridColumn, cell.text, cell.number);
    } else {
      grid.At(column.gridRow, column.gridColumn).text = cell.text;
    }
  }
}

}  // namespace kavro
