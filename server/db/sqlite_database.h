#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

// A thin layer over the SQLite C API: one connection, prepared statements that are kept and
// reused, and transactions that roll back unless committed. Data only ever reaches SQL through
// bound parameters.
namespace zarnevo {

class SqliteError : public std::runtime_error {
public:
    SqliteError(const std::string& what, int code) : std::runtime_error(what), code_(code) {}
    int code() const { return code_; }
    // A UNIQUE, PRIMARY KEY or FOREIGN KEY rule refused the change.
    bool isConstraint() const;

private:
    int code_;
};

class SqliteStatement {
public:
    SqliteStatement(sqlite3* db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Parameters are numbered from 1, as SQLite numbers them.
    void bind(int index, std::int64_t value);
    void bind(int index, int value) { bind(index, static_cast<std::int64_t>(value)); }
    void bind(int index, bool value) { bind(index, static_cast<std::int64_t>(value ? 1 : 0)); }
    void bind(int index, std::string_view text);
    void bind(int index, const std::string& text) { bind(index, std::string_view(text)); }
    void bind(int index, const char* text) { bind(index, std::string_view(text)); }

    // True when a row is ready, false when the statement is done; throws on an error.
    bool step();
    void reset();

    // Columns are numbered from 0.
    std::int64_t integer(int column) const;
    bool boolean(int column) const { return integer(column) != 0; }
    std::string text(int column) const;

private:
    sqlite3* db_;
    sqlite3_stmt* statement_ = nullptr;
};

// One use of a kept statement: binds the arguments in order and resets the statement when it goes
// out of scope, so no read stays open between calls.
class SqliteQuery {
public:
    template <typename... Args>
    SqliteQuery(SqliteStatement& statement, const Args&... args) : statement_(statement) {
        int index = 1;
        (statement_.bind(index++, args), ...);
    }
    ~SqliteQuery() { statement_.reset(); }
    SqliteQuery(const SqliteQuery&) = delete;
    SqliteQuery& operator=(const SqliteQuery&) = delete;

    bool next() { return statement_.step(); }
    // Runs a statement that returns no rows.
    void run() {
        while (statement_.step()) {
        }
    }
    const SqliteStatement& row() const { return statement_; }

private:
    SqliteStatement& statement_;
};

class SqliteDatabase {
public:
    // Opens (creating when missing) the database at path; ":memory:" opens a private one.
    explicit SqliteDatabase(const std::string& path);
    ~SqliteDatabase();
    SqliteDatabase(const SqliteDatabase&) = delete;
    SqliteDatabase& operator=(const SqliteDatabase&) = delete;

    // Runs fixed SQL that carries no data (schema, pragmas).
    void execute(const char* sql);
    // The statement for this SQL text, prepared on first use and kept.
    SqliteStatement& statement(std::string_view sql);
    // Rows changed by the last INSERT, UPDATE or DELETE.
    int changes() const;
    // The single integer (or text) a fixed query such as a PRAGMA returns.
    std::int64_t queryInteger(const char* sql);
    std::string queryText(const char* sql);

private:
    sqlite3* db_ = nullptr;
    std::map<std::string, std::unique_ptr<SqliteStatement>, std::less<>> statements_;
};

// BEGIN IMMEDIATE on construction (the write lock is taken at once, so a busy database fails
// here rather than half-way), ROLLBACK on destruction unless commit() ran.
class SqliteTransaction {
public:
    explicit SqliteTransaction(SqliteDatabase& db);
    ~SqliteTransaction();
    SqliteTransaction(const SqliteTransaction&) = delete;
    SqliteTransaction& operator=(const SqliteTransaction&) = delete;
    void commit();

private:
    SqliteDatabase& db_;
    bool done_ = false;
};

}  // namespace zarnevo
