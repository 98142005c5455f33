#include "session/Replay.h"

#include <charconv>
#include <ostream>
#include <string_view>
#include <vector>

#include "common/CsvText.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "engine/RunTimeError.h"
#include "session/ControllerBuilder.h"
#include "session/SimulatedClock.h"

namespace kavro {
namespace {

const char* TrueFalse(bool flag) { return flag ? "True" : "False"; }

void AppendInteger(std::string& out, long value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, result.ptr);
}

class ResultRows {
 public:
  explicit ResultRows(const ControllerModel& model) {
    for (int i = 1; i <= NumIn; ++i) {
      if (IsUsed(model.PVarIn[i])) usedInputs_.push_back(i);
    }
    for (int o = 1; o <= NumOut; ++o) {
      if (IsUsed(model.PVarOut[o])) usedOutputs_.push_back(o);
    }
  }

  void Append(std::string& out, long cycle, const ControllerModel& model) {
    const auto field = [&out](std::string_view text) {
      out += ',';
      out += text;
    };
    AppendInteger(out, cycle);
    for (const int o : usedOutputs_) {
      const PVarOutRecord& output = model.PVarOut[o];
      field(output.ValueOut);
      field(TrueFalse(output.SendOutput));
      field(TrueFalse(output.ClampIncrease));
      field(TrueFalse(output.ClampDecrease));
    }
    out += ',';
    AppendInteger(out, model.ErrorCodeValue);
    for (int r = 1; r <= NumRules; ++r) field(model.Rules[r].Strength);
    for (const int i : usedInputs_) {
      out += ',';
      AppendNumber(out, model.PVarIn[i].VarIndex, indexPattern_);
    }
    out += '\n';
  }

 private:
  std::vector<int> usedInputs_;
  std::vector<int> usedOutputs_;
  const NumberPattern indexPattern_{"##0.00"};
};

std::string LinesForTerminal(const std::string& text) {
  std::string lines;
  for (const char c : text) {
    if (c != '\r') lines += c;
  }
  return lines;
}

}  // namespace

bool LoadForReplay(Controller& controller, const std::string& workDir) {
  // Start-up arms no timer of the caller's; its clock and questions are the caller's.
  ControllerParts parts;
  parts.timer = &NoCycleTimer();
  parts.session = SessionOptions::ForReplay();
  parts.session.withScripts = false;
  BuiltController loading(controller, std::move(parts));
  return loading.session().Start(workDir);
}

std::string ReplayHeader(const ControllerModel& model) {
  std::string header = "cycle";
  for (int o = 1; o <= NumOut; ++o) {
    if (!IsUsed(model.PVarOut[o])) continue;
    const std::string name = TrimRight(model.PVarOut[o].PVarName);
    for (const char* field : {".ValueOut", ".SendOutput", ".ClampIncrease", ".ClampDecrease"}) {
      AppendCsvField(header, name + field);
    }
  }
  header += ",ErrorCodeValue";
  for (int r = 1; r <= NumRules; ++r) header += ",R" + std::to_string(r);
  for (int i = 1; i <= NumIn; ++i) {
    if (IsUsed(model.PVarIn[i])) {
      AppendCsvField(header, TrimRight(model.PVarIn[i].PVarName) + ".VarIndex");
    }
  }
  return header + '\n';
}

namespace {

// One cycle per row that nextRow gives (false: no more rows), results streamed to out.
template <typename NextRow>
ReplaySummary RunRows(Controller& controller, const std::vector<TraceColumn>& columns,
                      NextRow&& nextRow, const DateTime& start, std::ostream& out,
                      std::ostream& errors, bool withScripts) {
  SimulatedClock clock(start);
  ControllerParts parts = ControllerParts::OnSimulatedTime(clock);
  parts.session.withScripts = withScripts;
  BuiltController replaying(controller, std::move(parts));
  ControllerSession& session = replaying.session();
  ReplaySummary summary;
  if (withScripts) session.LoadScripts();
  session.cycleSteps().runTimeErrorReported = [&](Controller& c, const std::string& text) {
    if (summary.lastFailedCycle != summary.cycles) ++summary.failedCycles;
    summary.lastFailedCycle = summary.cycles;
    errors << "Cycle " << summary.cycles << " (" << NowText(c) << "):\n"
           << LinesForTerminal(text) << '\n';
  };

  ResultRows rows(controller.model);
  std::string buffer = ReplayHeader(controller.model);
  constexpr size_t kFlushSize = 1 << 16;
  while (const TraceCell* cells = nextRow()) {
    ++summary.cycles;
    ApplyTraceRow(columns, cells, controller.grid, session.engineMemo());
    session.RunCycle();
    rows.Append(buffer, summary.cycles, controller.model);
    if (buffer.size() >= kFlushSize) {
      out << buffer;
      buffer.clear();
    }
    clock.Advance(controller.model.FLCBlock.RunFrequency);
  }
  out << buffer;
  return summary;
}

}  // namespace

ReplaySummary RunReplay(Controller& controller, const Trace& trace, const DateTime& start,
                        std::ostream& out, std::ostream& errors, bool withScripts) {
  size_t row = 0;
  const auto nextRow = [&]() -> const TraceCell* {
    if (row == trace.rows) return nullptr;
    return trace.cells.data() + row++ * trace.columns.size();
  };
  return RunRows(controller, trace.columns, nextRow, start, out, errors, withScripts);
}

ReplaySummary RunReplay(Controller& controller, TraceReader& trace, const DateTime& start,
                        std::ostream& out, std::ostream& errors, bool withScripts) {
  std::vector<TraceCell> cells;
  const auto nextRow = [&]() -> const TraceCell* {
    return trace.Next(cells) ? cells.data() : nullptr;
  };
  return RunRows(controller, trace.Columns(), nextRow, start, out, errors, withScripts);
}

}  // namespace kavro
