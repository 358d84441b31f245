// Reads one shape file set (.shp .shx .dbf [.prj]) into an FDO feature
// class and the ogrcore ClassMap that binds it to GDAL: FeatId for the
// record number, one data property per DBF field typed by the DBF rules,
// Geometry typed by the shape type.
#pragma once

#include <ogrcore/OgrClassMap.h>

#include "ShpFiles.h"

namespace shp {

FdoString* const kIdentityName = L"FeatId";
FdoString* const kGeometryName = L"Geometry";

// Throws FdoCommandException naming the file when the set is incomplete or
// unreadable. contextName becomes the geometry's spatial context.
ogrcore::ClassMap* BuildClass(const fs::path& shp, FdoString* className, FdoString* contextName);

// The FDO data property a DBF field maps to (name already chosen).
FdoDataPropertyDefinition* DataPropertyFor(FdoString* name, const DbfField& field);

// The class name for a file's base name: ':' and '.' become '_'.
FdoStringP ClassNameFor(const fs::path& shp);

}  // namespace shp
