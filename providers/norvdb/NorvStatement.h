// NorvStatement: one statement of the Oracle, SQL Server or Informix
// dialect, rewritten into SQLite's, together with what the store must do
// beside or instead of running it.
//
// Most statements only need their text rewritten (NorvRewriter). Index and
// primary-key statements have no SQLite equivalent and are carried out by
// the store itself; for them the rewriter fills in the names and options.
#pragma once

#include <string>
#include <vector>

namespace norvdb {

// [owner.]name as written; names already in their stored case.
struct ObjectName {
    std::string owner;  // empty: unqualified
    std::string name;
};

enum class StatementKind {
    Plain,           // run the rewritten text
    CreateTable,     // run it; the table gets its dictionary entries
    DropTable,       // run it; the table's dictionary entries go too
    CreateView,
    DropView,
    CreateIndex,     // done by the store (plain or spatial)
    RebuildIndex,
    DropIndex,
    AddPrimaryKey,
    DropPrimaryKey,
};

struct NorvStatement {
    StatementKind kind = StatementKind::Plain;
    std::string sql;                   // SQLite text, for the kinds that run one
    ObjectName object;                 // the table, view or index the statement names
    ObjectName table;                  // CreateIndex: the indexed table; keys: the table or view
    std::vector<std::string> columns;  // index or key columns
    std::string constraintName;        // AddPrimaryKey
    bool onView = false;               // ALTER VIEW
    bool spatial = false;              // INDEXTYPE IS SPATIAL_INDEX
    bool unique = false;               // CREATE UNIQUE INDEX
    bool disabled = false;             // DISABLE [NOVALIDATE]
    bool replace = false;              // CREATE OR REPLACE VIEW
    std::string parameters;            // text inside PARAMETERS('...'), quotes removed
    bool returnsRows = false;          // SELECT / WITH / PRAGMA
};

}  // namespace norvdb
