// The changes ApplySchema makes to the GeoPackage tables: creating a class's
// table (through GDAL, so gpkg_contents, gpkg_geometry_columns, the
// spatial reference and the R-tree are all registered as GeoPackage
// readers expect), adding and dropping columns, and dropping tables.
#pragma once

#include "SdfClassLayout.h"
#include "SdfStore.h"

#include <vector>

namespace sdf {

struct SdfTableDdl {
    static void CreateTable(SdfStore& store, const SdfClassLayout& layout,
                            const std::vector<FdoXmlSpatialContext>& contexts);
    // New columns are always nullable in the table: SQLite cannot add a
    // NOT NULL column to a table with rows; the provider checks nulls itself.
    static void AddColumn(SdfStore& store, FdoString* table, FdoDataPropertyDefinition* property);
    static void DropColumn(SdfStore& store, FdoString* table, FdoString* column);
    static void DropTable(SdfStore& store, FdoString* table);
};

}  // namespace sdf
