#include "history/HistorySchema.h"

#include <vector>

#include "model/Dimensions.h"

namespace kavro {

std::string HistoryPath(const std::string& workDir) { return workDir + "/" + kHistoryFileName; }

std::string PvColumn(bool input, int slot) {
  return (input ? "in" : "out") + std::to_string(slot) + "_pv";
}

std::vector<std::string> CycleColumns() {
  std::vector<std::string> columns = {"error_code", "link_on", "to_file", "error_step",
                                      "error_number"};
  for (int i = 1; i <= NumIn; ++i) {
    for (const char* field : {"_pv", "_hi", "_lo"}) {
      columns.push_back("in" + std::to_string(i) + field);
    }
  }
  for (int o = 1; o <= NumOut; ++o) {
    for (const char* field : {"_pv", "_hi", "_lo", "_value", "_sent", "_clamp", "_adjust"}) {
      columns.push_back("out" + std::to_string(o) + field);
    }
  }
  return columns;
}

std::string CycleColumnList() {
  std::string list;
  for (const std::string& column : CycleColumns()) list += (list.empty() ? "" : ", ") + column;
  return list;
}

std::string PvColumnOfSlot(int slot) {
  return slot <= NumIn ? PvColumn(true, slot) : PvColumn(false, slot - NumIn);
}

std::string UpsertMinuteSql() {
  std::string names = "m", values = "?", update;
  for (int slot = 1; slot <= NumIn + NumOut; ++slot) {
    const std::string k = std::to_string(slot);
    names += ", lo" + k + ", hi" + k;
    values += ", ?" + std::to_string(slot + 1) + ", ?" + std::to_string(slot + 1);
    update += std::string(update.empty() ? "" : ", ") + "lo" + k + " = min(lo" + k +
              ", excluded.lo" + k + "), hi" + k + " = max(hi" + k + ", excluded.hi" + k + ")";
  }
  return "INSERT INTO minutes (" + names + ") VALUES (" + values +
         ") ON CONFLICT (m) DO UPDATE SET " + update;
}

void CreateHistorySchema(SqliteDb& db) {
  const auto version = db.QueryInt("PRAGMA user_version").value_or(0);
  if (version > kHistorySchemaVersion) {
    throw SqliteError(SQLITE_MISMATCH, "the history file was written by a newer Kavro (schema " +
                                           std::to_string(version) + ")");
  }
  if (version == kHistorySchemaVersion) return;
  std::string cycles = "CREATE TABLE IF NOT EXISTS cycles (t INTEGER PRIMARY KEY, rev INTEGER NOT NULL";
  const std::vector<std::string> columns = CycleColumns();
  for (std::size_t k = 0; k < columns.size(); ++k) {
    // Flags and codes are whole numbers; values are NULL where the cycle had no number ("X").
    const bool whole = k < 5 || columns[k].ends_with("_clamp");
    cycles += ", " + columns[k] + (whole ? " INTEGER" : " REAL");
  }
  cycles += ")";
  db.Exec("BEGIN IMMEDIATE");
  db.Exec(cycles);
  db.Exec(
      "CREATE TABLE IF NOT EXISTS revisions (rev INTEGER PRIMARY KEY, t INTEGER NOT NULL, "
      "controller TEXT NOT NULL, run_frequency INTEGER NOT NULL)");
  db.Exec(
      "CREATE TABLE IF NOT EXISTS variables (rev INTEGER NOT NULL, slot INTEGER NOT NULL, "
      "name TEXT NOT NULL, units TEXT NOT NULL, low REAL NOT NULL, high REAL NOT NULL, "
      "PRIMARY KEY (rev, slot))");
  std::string minutes = "CREATE TABLE IF NOT EXISTS minutes (m INTEGER PRIMARY KEY";
  for (int slot = 1; slot <= NumIn + NumOut; ++slot) {
    minutes += ", lo" + std::to_string(slot) + " REAL, hi" + std::to_string(slot) + " REAL";
  }
  db.Exec(minutes + ")");
  db.Exec("PRAGMA user_version = " + std::to_string(kHistorySchemaVersion));
  db.Exec("COMMIT");
}

}  // namespace kavro
