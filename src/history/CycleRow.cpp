#include "history/CycleRow.h"

#include "history/HistorySchema.h"

namespace kavro {
namespace {

constexpr int kClampIncrease = 1;
constexpr int kClampDecrease = 2;

}  // namespace

std::string InsertCycleSql() {
  std::string sql = "INSERT INTO cycles (t, rev, " + CycleColumnList() + ") VALUES (?, ?";
  for (std::size_t k = 0; k < CycleColumns().size(); ++k) sql += ", ?";
  return sql + ")";
}

std::string SelectCycleSql() { return "SELECT t, rev, " + CycleColumnList() + " FROM cycles"; }

void BindCycleRow(SqliteStatement& statement, const CycleRecord& record) {
  int k = 1;
  statement.Bind(k++, record.timeMs);
  statement.Bind(k++, record.revision);
  statement.Bind(k++, record.errorCode);
  statement.Bind(k++, record.linkOn ? 1 : 0);
  statement.Bind(k++, record.toFile ? 1 : 0);
  statement.Bind(k++, record.errorStep);
  statement.Bind(k++, record.errorNumber);
  for (int i = 1; i <= NumIn; ++i) {
    statement.Bind(k++, record.in[i].pv);
    statement.Bind(k++, record.in[i].high);
    statement.Bind(k++, record.in[i].low);
  }
  for (int o = 1; o <= NumOut; ++o) {
    const OutputSample& out = record.out[o];
    statement.Bind(k++, out.pv);
    statement.Bind(k++, out.high);
    statement.Bind(k++, out.low);
    statement.Bind(k++, out.value);
    statement.Bind(k++, out.sent);
    statement.Bind(k++, (out.clampIncrease ? kClampIncrease : 0) |
                            (out.clampDecrease ? kClampDecrease : 0));
    statement.Bind(k++, out.scriptAdjust);
  }
}

CycleRecord ReadCycleRow(const SqliteStatement& statement) {
  CycleRecord record;
  int k = 0;
  record.timeMs = statement.Int(k++);
  record.revision = static_cast<int>(statement.Int(k++));
  record.errorCode = static_cast<int>(statement.Int(k++));
  record.linkOn = statement.Int(k++) != 0;
  record.toFile = statement.Int(k++) != 0;
  record.errorStep = static_cast<int>(statement.Int(k++));
  record.errorNumber = static_cast<int>(statement.Int(k++));
  for (int i = 1; i <= NumIn; ++i) {
    record.in[i].pv = statement.Double(k++);
    record.in[i].high = statement.Double(k++);
    record.in[i].low = statement.Double(k++);
  }
  for (int o = 1; o <= NumOut; ++o) {
    OutputSample& out = record.out[o];
    out.pv = statement.Double(k++);
    out.high = statement.Double(k++);
    out.low = statement.Double(k++);
    out.value = statement.OptionalDouble(k++);
    out.sent = statement.OptionalDouble(k++);
    const auto clamp = statement.Int(k++);
    out.clampIncrease = (clamp & kClampIncrease) != 0;
    out.clampDecrease = (clamp & kClampDecrease) != 0;
    out.scriptAdjust = statement.Double(k++);
  }
  return record;
}

}  // namespace kavro
