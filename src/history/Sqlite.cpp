#include "history/Sqlite.h"

namespace kavro {

SqliteDb::SqliteDb(const std::string& path, bool readOnly, const std::string& vfs) {
  const int flags = readOnly ? SQLITE_OPEN_READONLY
                             : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
  const int code = sqlite3_open_v2(path.c_str(), &db_, flags | SQLITE_OPEN_NOMUTEX,
                                   vfs.empty() ? nullptr : vfs.c_str());
  if (code != SQLITE_OK) {
    const std::string message = db_ ? sqlite3_errmsg(db_) : sqlite3_errstr(code);
    sqlite3_close(db_);
    db_ = nullptr;
    throw SqliteError(code, message);
  }
  sqlite3_extended_result_codes(db_, 1);
}

SqliteDb::~SqliteDb() { sqlite3_close_v2(db_); }

void SqliteDb::Throw(int code) { throw SqliteError(code, sqlite3_errmsg(db_)); }

void SqliteDb::Exec(const std::string& sql) {
  const int code = sqlite3_exec(db_, sql.c_str(), nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) Throw(code);
}

std::optional<std::int64_t> SqliteDb::QueryInt(const std::string& sql) {
  SqliteStatement statement(*this, sql);
  if (!statement.Step() || statement.IsNull(0)) return std::nullopt;
  return statement.Int(0);
}

SqliteStatement::SqliteStatement(SqliteDb& db, const std::string& sql) : db_(db) {
  const int code = sqlite3_prepare_v3(db.Handle(), sql.c_str(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
  if (code != SQLITE_OK) db.Throw(code);
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(statement_); }

void SqliteStatement::Bind(int index, double value) {
  if (const int code = sqlite3_bind_double(statement_, index, value); code != SQLITE_OK) {
    db_.Throw(code);
  }
}

void SqliteStatement::Bind(int index, std::int64_t value) {
  if (const int code = sqlite3_bind_int64(statement_, index, value); code != SQLITE_OK) {
    db_.Throw(code);
  }
}

void SqliteStatement::Bind(int index, const std::string& value) {
  const int code = sqlite3_bind_text(statement_, index, value.data(),
                                     static_cast<int>(value.size()), SQLITE_TRANSIENT);
  if (code != SQLITE_OK) db_.Throw(code);
}

void SqliteStatement::Bind(int index, const std::optional<double>& value) {
  if (value) {
    Bind(index, *value);
  } else {
    BindNull(index);
  }
}

void SqliteStatement::BindNull(int index) {
  if (const int code = sqlite3_bind_null(statement_, index); code != SQLITE_OK) db_.Throw(code);
}

bool SqliteStatement::Step() {
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  sqlite3_reset(statement_);
  db_.Throw(code);
}

void SqliteStatement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

double SqliteStatement::Double(int column) const { return sqlite3_column_double(statement_, column); }

std::int64_t SqliteStatement::Int(int column) const {
  return sqlite3_column_int64(statement_, column);
}

std::optional<double> SqliteStatement::OptionalDouble(int column) const {
  if (IsNull(column)) return std::nullopt;
  return Double(column);
}

std::string SqliteStatement::Text(int column) const {
  const auto* text = sqlite3_column_text(statement_, column);
  if (!text) return {};
  return std::string(reinterpret_cast<const char*>(text),
                     static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

bool SqliteStatement::IsNull(int column) const {
  return sqlite3_column_type(statement_, column) == SQLITE_NULL;
}

}  // namespace kavro
