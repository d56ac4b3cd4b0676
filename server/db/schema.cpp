#include "server/db/schema.h"

#include <array>
#include <string>

namespace zarnevo {
namespace {

// Migration n brings the schema from version n to n + 1. Append new ones; never edit a released
// one, since databases in the field have already run it.
constexpr std::array kMigrations = {
    R"sql(
CREATE TABLE operators (
    name   TEXT PRIMARY KEY NOT NULL,
    rights TEXT NOT NULL,
    salt   TEXT NOT NULL,
    hash   TEXT NOT NULL
);
CREATE TABLE staff (
    name TEXT PRIMARY KEY NOT NULL,
    salt TEXT NOT NULL,
    hash TEXT NOT NULL
);
CREATE TABLE batches (
    grp           TEXT PRIMARY KEY NOT NULL,
    staff         TEXT NOT NULL,
    created_at_ms INTEGER NOT NULL
);
CREATE INDEX batches_by_time ON batches (created_at_ms);
CREATE TABLE tickets (
    user             TEXT PRIMARY KEY NOT NULL,
    grp              TEXT NOT NULL REFERENCES batches (grp) ON DELETE CASCADE,
    number           INTEGER NOT NULL,
    password         TEXT NOT NULL,
    seconds          INTEGER NOT NULL,
    seconds_left     INTEGER NOT NULL,
    cost             INTEGER NOT NULL,
    vip              INTEGER NOT NULL,
    time_ticket      INTEGER NOT NULL,
    once             INTEGER NOT NULL,
    valid_days       INTEGER NOT NULL,
    expires_at_ms    INTEGER NOT NULL,
    activated        INTEGER NOT NULL,
    activated_by     TEXT NOT NULL,
    activated_at_ms  INTEGER NOT NULL,
    first_used_at_ms INTEGER NOT NULL,
    UNIQUE (grp, number)
);
CREATE TABLE sales (
    id        INTEGER PRIMARY KEY,
    staff     TEXT NOT NULL,
    at_ms     INTEGER NOT NULL,
    grp       TEXT NOT NULL,
    minutes   INTEGER NOT NULL,
    unit_cost INTEGER NOT NULL,
    tickets   INTEGER NOT NULL
);
CREATE INDEX sales_by_time ON sales (at_ms);
CREATE INDEX sales_by_group ON sales (grp);
CREATE TABLE settings (
    key   TEXT PRIMARY KEY NOT NULL,
    value TEXT NOT NULL
);
CREATE TABLE quick_ticket_types (
    position    INTEGER PRIMARY KEY,
    minutes     INTEGER NOT NULL,
    cost        INTEGER NOT NULL,
    time_ticket INTEGER NOT NULL,
    once        INTEGER NOT NULL,
    vip         INTEGER NOT NULL
);
)sql",
};

}  // namespace

int LatestSchemaVersion() {
    return static_cast<int>(kMigrations.size());
}

void MigrateSchema(SqliteDatabase& db) {
    const auto current = db.queryInteger("PRAGMA user_version");
    if (current > LatestSchemaVersion()) {
        throw SqliteError("the database has schema version " + std::to_string(current) +
                              ", newer than this program's " +
                              std::to_string(LatestSchemaVersion()),
                          0);
    }
    for (auto version = current; version < LatestSchemaVersion(); ++version) {
        SqliteTransaction transaction(db);
        db.execute(kMigrations[version]);
        // PRAGMA takes no bound parameters; the number is the program's own, not data.
        const std::string bump = "PRAGMA user_version = " + std::to_string(version + 1);
        db.execute(bump.c_str());
        transaction.commit();
    }
}

}  // namespace zarnevo
