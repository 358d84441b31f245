// Helpers shared by the statements the data dictionary carries out
// (NorvDictionary.cpp, NorvSpatialIndexes.cpp, NorvPrimaryKeys.cpp): owner
// defaults, quoting, the index rows of the catalog, and a savepoint around
// each change so that a failure half-way leaves nothing behind.
#pragma once

#include "NorvDatabase.h"

#include <string>

namespace norvdb::detail {

std::string Upper(std::string s);
std::string Trim(const std::string& s);
// The owner a name gives, or the session's own schema when unqualified.
std::string Owner(NorvDatabase& db, const ObjectName& o);
// Throws the dialect's "no such user" when owner is not attached.
void RequireOwner(NorvDatabase& db, const std::string& owner);
std::string Qualified(const std::string& owner, const std::string& name);

struct IndexRow {
    std::string indexOwner, indexName, tableOwner, tableName, column, physical;
    bool spatial = false;
};

bool FindIndex(NorvDatabase& db, const std::string& owner, const std::string& name, IndexRow& row);
// Drops the R-tree and its triggers, or the SQLite index.
void DropPhysicalIndex(NorvDatabase& db, const IndexRow& ix);

template <class F>
void Atomically(NorvDatabase& db, F body) {
    db.Run("SAVEPOINT NORV_DDL");
    try {
        body();
        db.Run("RELEASE NORV_DDL");
    } catch (...) {
        sqlite3_exec(db.Handle(), "ROLLBACK TO NORV_DDL; RELEASE NORV_DDL", nullptr, nullptr, nullptr);
        throw;
    }
}

}  // namespace norvdb::detail
