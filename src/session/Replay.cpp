#include "session/Replay.h"

#include <ios>
#include <ostream>
#include <string_view>
#include <vector>

#include "common/BatchThreads.h"
#include "common/CsvText.h"
#include "common/NumberText.h"
#include "common/TextUtil.h"
#include "engine/RunTimeError.h"
#include "session/ControllerBuilder.h"
#include "session/ReplayRows.h"
#include "session/SimulatedClock.h"

namespace kavro {
namespace {

// A stretch of trace rows, read together ahead of the cycles.
struct TraceBatch {
  static constexpr size_t kRows = 512;
  std::vector<std::vector<TraceCell>> rows = std::vector<std::vector<TraceCell>>(kRows);
  size_t count = 0;
};

// The result rows of a stretch of cycles, handed to the writing thread together.
struct ResultBatch {
  static constexpr size_t kRows = 512;
  std::vector<ResultOfCycle> rows = std::vector<ResultOfCycle>(kRows);
  size_t count = 0;
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

  // The cycles run here; the rows' texts are made and written on a second thread meanwhile.
  ReplayRows rows(controller.model);
  std::string text = ReplayHeader(controller.model);
  HandOffThread<ResultBatch> writer([&rows, &text, &out](ResultBatch& batch) {
    for (size_t k = 0; k < batch.count; ++k) rows.Append(text, batch.rows[k]);
    batch.count = 0;
    try {
      // A stream that failed stays failed: the rest is passed over, and its state tells.
      if (out) out.write(text.data(), static_cast<std::streamsize>(text.size()));
    } catch (const std::ios_base::failure&) {
      // A stream made to throw has its bad state set before the throw: that is the report.
    }
    text.clear();
  });
  ResultBatch batch;
  while (const TraceCell* cells = nextRow()) {
    ++summary.cycles;
    ApplyTraceRow(columns, cells, controller.grid, session.engineMemo());
    session.RunCycle();
    rows.Take(batch.rows[batch.count++], summary.cycles, controller.model);
    if (batch.count == ResultBatch::kRows) writer.Hand(batch);
    clock.Advance(controller.model.FLCBlock.RunFrequency);
  }
  writer.Hand(batch);
  writer.Finish();
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
  // The trace is read on a thread of its own, a stretch of rows ahead of the cycles.
  ReadAheadThread<TraceBatch> reading([&trace](TraceBatch& batch) {
    batch.count = 0;
    while (batch.count < TraceBatch::kRows) {
      if (!trace.Next(batch.rows[batch.count])) return false;
      ++batch.count;
    }
    return true;
  });
  TraceBatch batch;
  size_t next = 0;
  const auto nextRow = [&]() -> const TraceCell* {
    while (next == batch.count) {
      if (!reading.Next(batch)) return nullptr;
      next = 0;
    }
    return batch.rows[next++].data();
  };
  return RunRows(controller, trace.Columns(), nextRow, start, out, errors, withScripts);
}

}  // namespace kavro
