#pragma once
// The plant history's file: WorkDir/kavro-history.sqlite. One row per cycle in `cycles`, keyed
// by its time; the configuration the cycles ran under in `revisions` and `variables`, so an old
// row is read with the names and ranges it had then.
#include <cstdint>
#include <string>
#include <vector>

#include "history/Sqlite.h"

namespace kavro {

inline constexpr const char* kHistoryFileName = "kavro-history.sqlite";
inline constexpr int kHistorySchemaVersion = 1;

std::string HistoryPath(const std::string& workDir);

// Creates the tables when they are not there yet; refuses a file of a newer schema.
void CreateHistorySchema(SqliteDb& db);

// Each minute's lowest and highest process value of every variable, kept beside the cycles so
// that a trend of days or a month reads one row a minute: `minutes` (m = time / 60000, then lo1,
// hi1 .. lo8, hi8 for slots 1..NumIn inputs and NumIn + 1.. outputs).
inline constexpr std::int64_t kRollupMs = 60'000;
// "INSERT INTO minutes ... ON CONFLICT DO UPDATE": parameter 1 the minute, then each slot's
// process value.
std::string UpsertMinuteSql();

// The cycle columns in their order, after t and rev: error_code, link_on, to_file, error_step,
// error_number, then per input i in{i}_pv, in{i}_hi, in{i}_lo, then per output o out{o}_pv,
// out{o}_hi, out{o}_lo, out{o}_value, out{o}_sent, out{o}_clamp (1 increases, 2 decreases
// blocked), out{o}_adjust.
std::vector<std::string> CycleColumns();
std::string CycleColumnList();
// The column of a variable's process value: "in3_pv", "out1_pv".
std::string PvColumn(bool input, int slot);
// The same by slot: 1..NumIn inputs, NumIn + 1.. outputs.
std::string PvColumnOfSlot(int slot);

}  // namespace kavro
