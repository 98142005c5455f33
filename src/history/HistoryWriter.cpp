#include "history/HistoryWriter.h"

#include <cstdio>
#include <filesystem>
#include <optional>

#include "history/CycleRow.h"
#include "history/HistorySchema.h"
#include "history/RevisionRows.h"
#include "history/Sqlite.h"

namespace kavro {
namespace {

// A lock held by a reader that is checkpointing is waited for this long, no longer: the cycle
// must not wait on the history.
constexpr int kBusyTimeoutMs = 20;
constexpr std::int64_t kDayMs = 86'400'000;
// Two cycles in the same millisecond (a clock set back) are kept one millisecond apart.
constexpr int kSameTimeRetries = 1000;

}  // namespace

struct HistoryWriter::Connection {
  explicit Connection(const std::string& path, const std::string& vfs) : db(path, false, vfs) {}
  SqliteDb db;
  std::optional<SqliteStatement> insert;
  std::optional<SqliteStatement> prune;
  std::optional<SqliteStatement> minute;
  std::optional<SqliteStatement> pruneMinutes;
  std::optional<ConfigRevision> lastConfig;
  int lastRevision = 0;
};

HistoryWriter::HistoryWriter(std::string workDir, Tell tell, HistoryRecorderOptions options)
    : path_(HistoryPath(workDir)), tell_(std::move(tell)), options_(std::move(options)) {}

HistoryWriter::~HistoryWriter() = default;

void HistoryWriter::Open() {
  auto connection = std::make_unique<Connection>(path_, options_.vfs);
  SqliteDb& db = connection->db;
  sqlite3_busy_timeout(db.Handle(), kBusyTimeoutMs);
  // Synced at every commit: a committed cycle survives a power loss.
  db.Exec("PRAGMA journal_mode = WAL");
  db.Exec("PRAGMA synchronous = FULL");
  CreateHistorySchema(db);
  connection->insert.emplace(db, InsertCycleSql());
  connection->minute.emplace(db, UpsertMinuteSql());
  connection->pruneMinutes.emplace(
      db, "DELETE FROM minutes WHERE m IN (SELECT m FROM minutes WHERE m < ? ORDER BY m LIMIT ?)");
  connection->prune.emplace(
      db, "DELETE FROM cycles WHERE t IN (SELECT t FROM cycles WHERE t < ? ORDER BY t LIMIT ?)");
  auto revisions = ReadRevisions(db);
  if (!revisions.empty()) {
    connection->lastRevision = revisions.rbegin()->first;
    connection->lastConfig = revisions.rbegin()->second;
  }
  connection_ = std::move(connection);
}

namespace {

// The row's minute takes in its process values.
void AddToMinute(SqliteStatement& minute, const CycleRecord& row) {
  minute.Reset();
  const std::int64_t m = row.timeMs >= 0 ? row.timeMs / kRollupMs : (row.timeMs + 1) / kRollupMs - 1;
  minute.Bind(1, m);
  for (int slot = 1; slot <= NumIn + NumOut; ++slot) {
    minute.Bind(slot + 1, slot <= NumIn ? row.in[slot].pv : row.out[slot - NumIn].pv);
  }
  minute.Step();
}

}  // namespace

void HistoryWriter::Transaction(std::int64_t timeMs, const ConfigRevision& config,
                                const std::function<void(int revision)>& work) {
  Connection& c = *connection_;
  c.db.Exec("BEGIN IMMEDIATE");
  try {
    int revision = c.lastRevision;
    const bool changed = !c.lastConfig || !(*c.lastConfig == config);
    if (changed) StoreRevision(c.db, ++revision, timeMs, config);
    work(revision);
    c.db.Exec("COMMIT");
    if (changed) {
      c.lastRevision = revision;
      c.lastConfig = config;
    }
  } catch (...) {
    sqlite3_exec(c.db.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    throw;
  }
}

void HistoryWriter::Store(const CycleRecord& record, const ConfigRevision& config) {
  Transaction(record.timeMs, config, [&](int revision) {
    Connection& c = *connection_;
    CycleRecord row = record;
    row.revision = revision;
    for (int attempt = 0;; ++attempt) {
      c.insert->Reset();
      BindCycleRow(*c.insert, row);
      try {
        c.insert->Step();
        break;
      } catch (const SqliteError& failure) {
        if (failure.Code() != SQLITE_CONSTRAINT || attempt >= kSameTimeRetries) throw;
        ++row.timeMs;
      }
    }
    AddToMinute(*c.minute, row);
    if (options_.retentionDays > 0) {
      c.prune->Reset();
      const std::int64_t cutoff = record.timeMs - options_.retentionDays * kDayMs;
      c.prune->Bind(1, cutoff);
      c.prune->Bind(2, options_.deleteBatch);
      c.prune->Step();
      c.pruneMinutes->Reset();
      c.pruneMinutes->Bind(1, cutoff / kRollupMs);
      c.pruneMinutes->Bind(2, options_.deleteBatch);
      c.pruneMinutes->Step();
    }
  });
}

void HistoryWriter::RecordMany(long count, const std::function<CycleRecord(long)>& row,
                               const ConfigRevision& config) {
  if (!connection_) Open();
  Transaction(count > 0 ? row(0).timeMs : 0, config, [&](int revision) {
    for (long k = 0; k < count; ++k) {
      CycleRecord record = row(k);
      record.revision = revision;
      connection_->insert->Reset();
      BindCycleRow(*connection_->insert, record);
      connection_->insert->Step();
      AddToMinute(*connection_->minute, record);
    }
  });
}

void HistoryWriter::PutAside(const DateTime& now) {
  connection_.reset();
  const std::string aside = path_ + ".corrupt-" + FormatDateTime(now, "yyyy-mm-dd") + "-" +
                            FormatDateTime(now, "hh:mm:ss").erase(5, 1).erase(2, 1);
  std::error_code ignored;
  std::filesystem::rename(path_, aside);
  // The log and index of a damaged file belong to it, never to the new one.
  for (const char* suffix : {"-wal", "-shm"}) {
    if (std::filesystem::exists(path_ + suffix, ignored)) {
      std::filesystem::rename(path_ + suffix, aside + suffix, ignored);
    }
  }
  tell_("The plant history file was damaged: it was renamed " +
            std::filesystem::path(aside).filename().string() + " and a new one started",
        true);
}

void HistoryWriter::Fail(const std::string& reason) {
  connection_.reset();
  if (failing_) return;
  failing_ = true;
  tell_("The plant history cannot be recorded (" + reason +
            "); control goes on and recording resumes when the fault clears",
        true);
}

void HistoryWriter::Record(const CycleRecord& record, const ConfigRevision& config,
                             const DateTime& now) {
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      if (!connection_) Open();
      Store(record, config);
      if (failing_) {
        failing_ = false;
        tell_("Plant history recording resumed", false);
      }
      return;
    } catch (const SqliteError& failure) {
      if (failure.Corrupt() && attempt == 0) {
        try {
          PutAside(now);
          continue;  // the same cycle goes into the new file
        } catch (const std::exception& renaming) {
          Fail(failure.what() + std::string("; it could not be renamed aside: ") + renaming.what());
          return;
        }
      }
      Fail(failure.what());
      return;
    } catch (const std::exception& failure) {
      Fail(failure.what());
      return;
    }
  }
}

}  // namespace kavro
