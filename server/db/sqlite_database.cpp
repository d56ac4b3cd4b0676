#include "server/db/sqlite_database.h"

#include <sqlite3.h>

namespace zarnevo {
namespace {

[[noreturn]] void Fail(sqlite3* db, int code, std::string_view doing) {
    std::string what(doing);
    what += ": ";
    what += db != nullptr ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    throw SqliteError(what, code);
}

}  // namespace

bool SqliteError::isConstraint() const {
    return (code_ & 0xff) == SQLITE_CONSTRAINT;
}

SqliteStatement::SqliteStatement(sqlite3* db, std::string_view sql) : db_(db) {
    const int rc = sqlite3_prepare_v3(db_, sql.data(), static_cast<int>(sql.size()),
                                      SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
    if (rc != SQLITE_OK) {
        Fail(db_, rc, "preparing a statement");
    }
}

SqliteStatement::~SqliteStatement() {
    sqlite3_finalize(statement_);
}

void SqliteStatement::bind(int index, std::int64_t value) {
    const int rc = sqlite3_bind_int64(statement_, index, value);
    if (rc != SQLITE_OK) {
        Fail(db_, rc, "binding a number");
    }
}

void SqliteStatement::bind(int index, std::string_view text) {
    const int rc = sqlite3_bind_text64(statement_, index, text.data(), text.size(),
                                       SQLITE_TRANSIENT, SQLITE_UTF8);
    if (rc != SQLITE_OK) {
        Fail(db_, rc, "binding a text");
    }
}

bool SqliteStatement::step() {
    const int rc = sqlite3_step(statement_);
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    Fail(db_, rc, "running a statement");
}

void SqliteStatement::reset() {
    // The error of a failed step is reported by step(); reset only clears the state.
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

std::int64_t SqliteStatement::integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteStatement::text(int column) const {
    const auto* bytes = sqlite3_column_text(statement_, column);
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes != nullptr ? std::string(reinterpret_cast<const char*>(bytes), size)
                            : std::string();
}

SqliteDatabase::SqliteDatabase(const std::string& path) {
    const int rc =
        sqlite3_open_v2(path.c_str(), &db_, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK) {
        const std::string message = db_ != nullptr ? sqlite3_errmsg(db_) : sqlite3_errstr(rc);
        sqlite3_close_v2(db_);
        throw SqliteError("opening " + path + ": " + message, rc);
    }
    sqlite3_extended_result_codes(db_, 1);
}

SqliteDatabase::~SqliteDatabase() {
    statements_.clear();  // every statement is finalized before the connection closes
    sqlite3_close_v2(db_);
}

void SqliteDatabase::execute(const char* sql) {
    const int rc = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) {
        Fail(db_, rc, "running fixed SQL");
    }
}

SqliteStatement& SqliteDatabase::statement(std::string_view sql) {
    auto it = statements_.find(sql);
    if (it == statements_.end()) {
        it = statements_.emplace(std::string(sql), std::make_unique<SqliteStatement>(db_, sql))
                 .first;
    }
    return *it->second;
}

int SqliteDatabase::changes() const {
    return sqlite3_changes(db_);
}

std::int64_t SqliteDatabase::queryInteger(const char* sql) {
    SqliteStatement query(db_, sql);
    return query.step() ? query.integer(0) : 0;
}

std::string SqliteDatabase::queryText(const char* sql) {
    SqliteStatement query(db_, sql);
    return query.step() ? query.text(0) : std::string();
}

SqliteTransaction::SqliteTransaction(SqliteDatabase& db) : db_(db) {
    db_.execute("BEGIN IMMEDIATE");
}

SqliteTransaction::~SqliteTransaction() {
    if (!done_) {
        try {
            db_.execute("ROLLBACK");
        } catch (const SqliteError&) {
            // SQLite has already rolled back after some errors; nothing is left to undo.
        }
    }
}

void SqliteTransaction::commit() {
    db_.execute("COMMIT");
    done_ = true;
}

}  // namespace zarnevo
