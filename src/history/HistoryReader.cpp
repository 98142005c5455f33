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
    throw HistoryReadError("no plant history in " + workDir + " (" + kHistoryFileName + ")");
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
    SqliteStatement select(connection_->db, SelectCycleSql() + " WHERE t >= ? AND t <= ? ORDER BY t");
    select.Bind(1, from);
    select.Bind(2, to);
    while (select.Step()) visit(ReadCycleRow(select));
  } catch (const SqliteError& failure) {
    throw HistoryReadError(std::string("the plant history cannot be read: ") + failure.what());
  }
}

int HistoryReader::NewestRevision(std::int64_t from, std::int64_t to) {
  SqliteStatement select(connection_->db, "SELECT max(rev) FROM cycles WHERE t >= ? AND t <= ?");
  select.Bind(1, from);
  select.Bind(2, to);
  return select.Step() && !select.IsNull(0) ? static_cast<int>(select.Int(0)) : 0;
}

std::optional<CycleRecord> HistoryReader::CycleAt(std::int64_t time) {
  SqliteStatement select(connection_->db, SelectCycleSql() + " WHERE t <= ? ORDER BY t DESC LIMIT 1");
  select.Bind(1, time);
  if (!select.Step()) return std::nullopt;
  return ReadCycleRow(select);
}

std::vector<std::vector<ColumnExtremes>> HistoryReader::Extremes(std::int64_t from,
                                                                 std::int64_t to, int columns) {
  constexpr int kSlots = NumIn + NumOut;
  std::vector<std::vector<ColumnExtremes>> result(
      kSlots + 1, std::vector<ColumnExtremes>(static_cast<std::size_t>(std::max(columns, 0))));
  if (columns <= 0 || to <= from) return result;
  std::string sql = "SELECT t";
  for (int slot = 1; slot <= kSlots; ++slot) {
    sql += ", " + (slot <= NumIn ? PvColumn(true, slot) : PvColumn(false, slot - NumIn));
  }
  sql += " FROM cycles WHERE t >= ? AND t < ? ORDER BY t";
  try {
    SqliteStatement select(connection_->db, sql);
    select.Bind(1, from);
    select.Bind(2, to);
    const double width = static_cast<double>(to - from) / columns;
    while (select.Step()) {
      const auto column = std::min<std::size_t>(
          static_cast<std::size_t>(static_cast<double>(select.Int(0) - from) / width),
          static_cast<std::size_t>(columns - 1));
      for (int slot = 1; slot <= kSlots; ++slot) {
        if (select.IsNull(slot)) continue;
        const double value = select.Double(slot);
        ColumnExtremes& cell = result[static_cast<std::size_t>(slot)][column];
        if (!cell.any) {
          cell = {true, value, value};
        } else {
          cell.min = std::min(cell.min, value);
          cell.max = std::max(cell.max, value);
        }
      }
    }
  } catch (const SqliteError& failure) {
    throw HistoryReadError(std::string("the plant history cannot be read: ") + failure.what());
  }
  return result;
}

}  // namespace kavro
