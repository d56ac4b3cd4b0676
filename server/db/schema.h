#pragma once

#include "server/db/sqlite_database.h"

// The server database's tables, kept in step with the program by numbered migrations: the
// database's PRAGMA user_version is the number of migrations already applied.
namespace zarnevo {

// The schema version this program writes.
int LatestSchemaVersion();

// Applies every migration the database has not had yet, each in its own transaction together
// with its version bump. Throws SqliteError when the database is newer than this program (its
// data would be misread) or a migration fails (that migration then leaves no trace).
void MigrateSchema(SqliteDatabase& db);

}  // namespace zarnevo
