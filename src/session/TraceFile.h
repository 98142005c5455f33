#pragma once
// A plant trace for offline replay: a CSV file whose header names variables and whose rows are
// cycles. "NAME" sets the process value of the used input or output named NAME, "NAME.High" and
// "NAME.Low" its limits; each cell becomes the main grid text an operator typing the number
// would leave ("####0.000").
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/ControllerModel.h"
#include "model/MainGrid.h"

namespace kavro {

// A trace that cannot be replayed; the message names the row and column at fault.
class TraceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TraceColumn {
  std::string name;  // as the header writes it
  int gridRow = 0;   // 2 high, 3 value, 4 low
  int gridColumn = 0;
};

struct TraceCell {
  std::string text;     // the cell in its grid form
  bool numeric = true;  // the grid text reads as a single (else the cycle will report it)
  float number = 0;     // what it reads as
};

struct Trace {
  std::vector<TraceColumn> columns;
  std::vector<TraceCell> cells;  // row after row
  size_t rows = 0;
};

// Reads the text of a trace against the model's used variables. Rows are the file's lines
// counted from 1 (the header is the first line that is not blank), columns count from 1; blank
// lines are passed over. Throws TraceError for an unknown or
// repeated column, a cell that is not a number, or a row with more or fewer cells than the
// header.
Trace ReadTrace(std::string_view text, const ControllerModel& model);

// Types row (0-based) of the trace into the grid.
void ApplyTraceRow(const Trace& trace, size_t row, ControllerModel& model, MainGrid& grid);

}  // namespace kavro
