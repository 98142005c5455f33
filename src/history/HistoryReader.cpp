#include "history/HistoryReader.h"

#include <algorithm>
#include <filesystem>

#include "history/CycleRow.h"
#include "history/HistorySchema.h"
#include "history/RevisionRows.h"
#include "history/Sqlite.h"

namespace kavro {

struct HistoryReader::Connection {
  explicit Connection(const std::string& path) : db(path, true) {}
  SqliteDb db;
};

HistoryReader::HistoryReader(const std::string& workDir) {
  const std::string path = HistoryPath(workDir);
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) {
    throw HistoryReadError("no plant history in " + workDir + " (" + kHistoryFileName + ")", true);
  }
  try {
    connection_ = std::make_unique<Connection>(path);
    // Waits a moment for the recorder's commit rather than failing at once.
    sqlite3_busy_timeout(connection_->db.Handle(), 2000);
    if (connection_->db.QueryInt("PRAGMA user_version").value_or(0) != kHistorySchemaVersion) {
      throw HistoryReadError(path + " is not a Kavro plant history this version reads");
    }
  } catch (const SqliteError& failure) {
    throw HistoryReadError(path + " cannot be read: " + failure.what());
  }
}

HistoryReader::~HistoryReader() = default;

std::map<int, ConfigRevision> HistoryReader::Revisions() {
  try {
    return ReadRevisions(connection_->db);
  } catch (const SqliteError& failure) {
    throw HistoryReadError(std::string("the plant history cannot be read: ") + failure.what());
  }
}

std::optional<std::pair<std::int64_t, std::int64_t>> HistoryReader::Span() {
  const auto first = connection_->db.QueryInt("SELECT min(t) FROM cycles");
  const auto last = connection_->db.QueryInt("SELECT max(t) FROM cycles");
  if (!first || !last) return std::nullopt;
  return std::make_pair(*first, *last);
}

void HistoryReader::ForEachCycle(std::int64_t from, std::int64_t to,
                                 const std::function<void(const CycleRecord&)>& visit) {
  try {
    SqliteStatement select(connection_->db,
                           SelectCycleSql() + " WHERE t >= ? AND t <= ? ORDER BY t");
    select.Bind(1, from);
    select.Bind(2, to);
    while (select.Step()) visit(ReadCycleRow(select));
  } catch (const SqliteError& failure) {
    throw HistoryReadError(std::string("the plant history cannot be read: ") + failure.what());
  }
}

int HistoryReader::NewestRevision(std::int64_t from, std::int64_t to) {
  // The span's last cycle ran under its newest configuration: found on the time key at once.
  SqliteStatement select(connection_->db,
                         "SELECT rev FROM cycles WHERE t >= ? AND t <= ? ORDER BY t DESC LIMIT 1");
  select.Bind(1, from);
  select.Bind(2, to);
  return select.Step() && !select.IsNull(0) ? static_cast<int>(select.Int(0)) : 0;
}

std::optional<CycleRecord> HistoryReader::CycleAt(std::int64_t time) {
  SqliteStatement select(connection_->db,
                         SelectCycleSql() + " WHERE t <= ? ORDER BY t DESC LIMIT 1");
  select.Bind(1, time);
  if (!select.Step()) return std::nullopt;
  return ReadCycleRow(select);
}

std::vector<std::vector<ColumnExtremes>> HistoryReader::Extremes(std::int64_t from, std::int64_t to,
                                                                 int columns) {
  constexpr int kSlots = NumIn + NumOut;
  std::vector<std::vector<ColumnExtremes>> result(
      kSlots + 1, std::vector<ColumnExtremes>(static_cast<std::size_t>(std::max(columns, 0))));
  if (columns <= 0 || to <= from) return result;
  const double width = static_cast<double>(to - from) / columns;
  // Columns of two minutes or more read the minutes' extremes: a month is 43,200 rows instead
  // of 259,200 cycles, each minute drawn at most a minute from where its cycles fall.
  const bool byMinute = width >= 2.0 * kRollupMs;
  std::string sql = byMinute ? "SELECT m * " + std::to_string(kRollupMs) : std::string("SELECT t");
  for (int slot = 1; slot <= kSlots; ++slot) {
    const std::string k = std::to_string(slot);
    sql += byMinute ? ", lo" + k + ", hi" + k
                    : ", " + PvColumnOfSlot(slot) + ", " + PvColumnOfSlot(slot);
  }
  sql += byMinute ? " FROM minutes WHERE m >= ? AND m < ? ORDER BY m"
                  : " FROM cycles WHERE t >= ? AND t < ? ORDER BY t";
  try {
    SqliteStatement select(connection_->db, sql);
    select.Bind(1, byMinute ? from / kRollupMs : from);
    select.Bind(2, byMinute ? (to + kRollupMs - 1) / kRollupMs : to);
    while (select.Step()) {
      const std::int64_t time = std::max(select.Int(0), from);
      const auto column =
          std::min<std::size_t>(static_cast<std::size_t>(static_cast<double>(time - from) / width),
                                static_cast<std::size_t>(columns - 1));
      for (int slot = 1; slot <= kSlots; ++slot) {
        const int low = 2 * slot - 1, high = 2 * slot;
        if (select.IsNull(low) || select.IsNull(high)) continue;
        ColumnExtremes& cell = result[static_cast<std::size_t>(slot)][column];
        const double min = select.Double(low), max = select.Double(high);
        if (!cell.any) {
          cell = {true, min, max};
        } else {
          cell.min = std::min(cell.min, min);
          cell.max = std::max(cell.max, max);
        }
      }
    }
  } catch (const SqliteError& failure) {
    throw HistoryReadError(std::string("the plant history cannot be read: ") + failure.what());
  }
  return result;
}

}  // namespace kavro
