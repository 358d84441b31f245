// NorvSchema: the feature classes an emulated database publishes, and how
// each maps onto a table or view.
//
// Every table or view with a geometry column gives one feature class per
// geometry column, named OWNER~TABLE~COLUMN (Oracle, SQL Server) or after
// the table (Informix); tables without geometry give plain classes
// (OWNER~TABLE, or the table). When the connection names a class-mapping
// table (NorvFdoClass), each of its rows adds the class it describes. The
// identity is the primary key; property names are the column names; the
// geometry's spatial context is named after the SRID of its metadata row
// (OracleSrid8307, InformixSpatialSrid4326), or "Default" without one.
// All classes sit in one feature schema, "Default".
#pragma once

#include "NorvConnection.h"

#include <optional>
#include <string>
#include <vector>

namespace norvdb {

struct NorvClassMap {
    FdoStringP name;
    std::string owner, table;
    std::string geometry;                 // geometry column, "" for none
    std::optional<int32_t> srid;          // of the geometry column's metadata
    std::vector<std::string> columns;     // data columns, in property order
    std::vector<std::string> identity;    // key columns
    std::string spatialIndex;             // R-tree table of the geometry, "" for none
    FdoPtr<FdoClassDefinition> definition;
};

class NorvSchema {
public:
    static constexpr FdoString* kSchemaName = L"Default";
    static constexpr FdoString* kDefaultContext = L"Default";

    static std::vector<NorvClassMap> Classes(NorvConnection& connection);
    // The class a command names; throws FdoCommandException when missing.
    static NorvClassMap Find(NorvConnection& connection, FdoIdentifier* className);
    // New reference.
    static FdoFeatureSchemaCollection* Describe(NorvConnection& connection);
    // The spatial context name of an SRID ("Default" for none).
    static FdoStringP ContextName(const NorvDialect& dialect, std::optional<int32_t> srid);
    // The SRID a context or coordinate system name denotes (OracleSrid8307 -> 8307).
    static std::optional<int32_t> SridFromName(FdoString* name);
};

}  // namespace norvdb
