#pragma once
// One cycle as a row of the cycles table: the recorder binds it, the readers read it back.
#include <string>

#include "history/CycleRecord.h"
#include "history/Sqlite.h"

namespace kavro {

// "INSERT INTO cycles (t, rev, ...) VALUES (?, ?, ...)".
std::string InsertCycleSql();
// "SELECT t, rev, ... FROM cycles": what ReadCycleRow reads.
std::string SelectCycleSql();

void BindCycleRow(SqliteStatement& statement, const CycleRecord& record);
CycleRecord ReadCycleRow(const SqliteStatement& statement);

}  // namespace kavro
