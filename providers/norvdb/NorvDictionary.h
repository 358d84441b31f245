// NorvDictionary: the data dictionary of an emulated database, kept
// current by every DDL statement.
//
// Column, table and view listings (ALL_TAB_COLUMNS, ALL_TABLES, ALL_VIEWS)
// are views over SQLite's own catalog of each attached owner, so they can
// never fall behind. What SQLite has no notion of lives in tables of the
// catalog file: spatial metadata (ALL_SDO_GEOM_METADATA, written directly,
// as Oracle allows through its view), indexes (ALL_INDEXES,
// ALL_SDO_INDEX_INFO, ALL_SDO_INDEX_METADATA) and constraints
// (ALL_CONSTRAINTS, ALL_CONS_COLUMNS). The statements that change those are
// carried out here: spatial indexes become R-trees kept current by
// triggers, primary keys of tables become unique indexes with not-null
// triggers, keys of views are recorded only (DISABLE NOVALIDATE).
#pragma once

#include "NorvStatement.h"

#include <string>

namespace norvdb {

class NorvDatabase;

class NorvDictionary {
public:
    // The catalog tables and views, created when missing.
    static void CreateCatalog(NorvDatabase& db);
    // The views that span the attached owners; rebuilt after attaching.
    static void CreateSessionViews(NorvDatabase& db);

    static void CreateIndex(NorvDatabase& db, const NorvStatement& st);
    static void RebuildIndex(NorvDatabase& db, const NorvStatement& st);
    static void DropIndex(NorvDatabase& db, const NorvStatement& st);
    static void AddPrimaryKey(NorvDatabase& db, const NorvStatement& st);
    static void DropPrimaryKey(NorvDatabase& db, const NorvStatement& st);
    // After DROP TABLE / DROP VIEW: its indexes, keys and metadata go too.
    static void ForgetObject(NorvDatabase& db, const ObjectName& object);

    // "table", "view", or "" when owner.name is neither.
    static std::string ObjectType(NorvDatabase& db, const std::string& owner, const std::string& name);
    // The declared type of a column, or "" when there is no such column.
    static std::string ColumnType(NorvDatabase& db, const std::string& owner, const std::string& table,
                                  const std::string& column);
};

}  // namespace norvdb
