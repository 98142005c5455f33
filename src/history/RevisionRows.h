#pragma once
// The configurations the cycles ran under: one revision per change, its variables in slots
// 1..NumIn (inputs) and NumIn + 1.. (outputs).
#include <cstdint>
#include <map>

#include "history/CycleRecord.h"
#include "history/Sqlite.h"

namespace kavro {

void StoreRevision(SqliteDb& db, int revision, std::int64_t timeMs, const ConfigRevision& config);
std::map<int, ConfigRevision> ReadRevisions(SqliteDb& db);

}  // namespace kavro
