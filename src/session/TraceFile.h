#pragma once
// A plant trace for offline replay: a CSV file whose header names variables and whose rows are
// cycles. "NAME" sets the process value of the used input or output named NAME, "NAME.High" and
// "NAME.Low" its limits; each cell becomes the main grid text an operator typing the number
// would leave ("####0.000").
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/EngineMemo.h"
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

// A whole trace in memory (tests and benchmarks); the replay itself streams with TraceReader.
struct Trace {
  std::vector<TraceColumn> columns;
  std::vector<TraceCell> cells;  // row after row
  size_t rows = 0;
};

// Checks a trace line by line against the model's used variables. Rows are the file's lines
// counted from 1 (the header is the first line that is not blank; a UTF-8 byte-order mark in
// front of it, as spreadsheets write "CSV UTF-8", is passed over), columns count from 1; blank
// lines are passed over. Throws TraceError for an unknown or repeated column, a cell that is
// not a number, or a row with more or fewer cells than the header; a refused cell is quoted in
// the message, cut to its first 40 characters.
class TraceLines {
 public:
  explicit TraceLines(const ControllerModel& model) : model_(model) {}
  // Takes the next line (without its line end). Returns true when it was a row, whose cells
  // are then in cells (in their grid form).
  bool Take(std::string_view line, std::vector<TraceCell>& cells);
  // Take without making the cells: the row is only checked.
  bool Check(std::string_view line);
  // Call at the end of the text: throws when there was no header.
  void Finish() const;
  const std::vector<TraceColumn>& Columns() const { return columns_; }

 private:
  bool Read(std::string_view line, std::vector<TraceCell>* cells);
  // The usual row in one pass: every cell in its grid form with nothing around it. False for
  // any other row (the cells then half made), which the general way reads.
  bool TakeGridFormRow(std::string_view line, std::vector<TraceCell>* cells);
  const ControllerModel& model_;
  std::vector<TraceColumn> columns_;
  std::vector<std::string_view> fields_;  // the last line's, kept for its room
  bool haveHeader_ = false;
  size_t lineNumber_ = 0;
};

// A trace read from a stream a block at a time, one line after the other: memory does not grow
// with its length.
class TraceReader {
 public:
  // Reads up to and including the header line (throws TraceError as TraceLines does).
  TraceReader(std::istream& in, const ControllerModel& model);
  const std::vector<TraceColumn>& Columns() const { return lines_.Columns(); }
  // The next row's cells; false at the end of the trace.
  bool Next(std::vector<TraceCell>& cells);
  // Checks the next row without making its cells; false at the end of the trace.
  bool CheckNext();

 private:
  // The next line of the stream, without its line end, valid until the next call.
  bool NextLine(std::string_view& line);
  std::istream& in_;
  TraceLines lines_;
  std::string buffer_;  // read from the stream, from the line at next_ on
  size_t next_ = 0;
  bool atEnd_ = false;
  std::vector<TraceCell> pending_;
  bool havePending_ = false;
};

// Reads a whole trace text (see TraceLines).
Trace ReadTrace(std::string_view text, const ControllerModel& model);

// Types one row's cells (one per column) into the grid; the engine's memo takes their numbers
// as read, so the cycle does not read the texts again.
void ApplyTraceRow(const std::vector<TraceColumn>& columns, const TraceCell* cells, MainGrid& grid,
                   EngineMemo& memo);

// Types row (0-based) of the trace into the grid.
void ApplyTraceRow(const Trace& trace, size_t row, MainGrid& grid, EngineMemo& memo);

}  // namespace kavro
