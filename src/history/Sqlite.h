#pragma once
// A thin owner of one SQLite connection and its prepared statements: every failure becomes a
// SqliteError with SQLite's own code and message, so the recorder decides in one place what a
// full disk, a locked or a corrupt file means.
#include <sqlite3.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

namespace kavro {

class SqliteError : public std::runtime_error {
 public:
  SqliteError(int code, const std::string& message) : std::runtime_error(message), code_(code) {}
  // The primary result code (SQLITE_FULL, SQLITE_CORRUPT, ...).
  int Code() const { return code_ & 0xff; }
  // A file that is no database or a damaged one: put aside, never written into.
  bool Corrupt() const { return Code() == SQLITE_CORRUPT || Code() == SQLITE_NOTADB; }

 private:
  int code_;
};

class SqliteDb {
 public:
  // Read-only never creates the file. vfs: empty for the system's own.
  SqliteDb(const std::string& path, bool readOnly, const std::string& vfs = {});
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  void Exec(const std::string& sql);
  // The first column of the first row, or nothing when there is no row or it is NULL.
  std::optional<std::int64_t> QueryInt(const std::string& sql);
  sqlite3* Handle() { return db_; }
  [[noreturn]] void Throw(int code);

 private:
  sqlite3* db_ = nullptr;
};

class SqliteStatement {
 public:
  SqliteStatement(SqliteDb& db, const std::string& sql);
  ~SqliteStatement();
  SqliteStatement(const SqliteStatement&) = delete;
  SqliteStatement& operator=(const SqliteStatement&) = delete;

  // Parameters count from 1.
  void Bind(int index, double value);
  void Bind(int index, std::int64_t value);
  void Bind(int index, int value) { Bind(index, static_cast<std::int64_t>(value)); }
  void Bind(int index, const std::string& value);
  void Bind(int index, const std::optional<double>& value);
  void BindNull(int index);
  // True while a row is there to read; false when done. Columns count from 0.
  bool Step();
  void Reset();
  double Double(int column) const;
  std::int64_t Int(int column) const;
  std::optional<double> OptionalDouble(int column) const;
  std::string Text(int column) const;
  bool IsNull(int column) const;

 private:
  SqliteDb& db_;
  sqlite3_stmt* statement_ = nullptr;
};

}  // namespace kavro
