// NorvSpatialContexts: the spatial contexts of an emulated database.
//
// A database knows coordinate systems by SRID, in its spatial metadata.
// The contexts listed are: those created through CreateSpatialContext
// (kept in the catalog with their SRID, taken from a name such as
// OracleSrid8307 or from the WKT's EPSG code, else a number of their own
// from 990001 up), then one per SRID in use in
// the metadata that no created context covers, named after it, with the
// WKT of the SRID where GDAL knows it (Oracle's 8307 is WGS 84), and the
// "Default" context for geometry without metadata.
#pragma once

#include "NorvConnection.h"

#include <optional>
#include <vector>

namespace norvdb {

struct NorvSpatialContext {
    FdoStringP name, description, coordinateSystem, wkt;
    std::optional<int32_t> srid;
    FdoSpatialContextExtentType extentType = FdoSpatialContextExtentType_Dynamic;
    std::vector<FdoByte> extent;  // FGF polygon, empty when unknown
    double xyTolerance = 0.0005, zTolerance = 0.0005;
};

class NorvSpatialContexts {
public:
    static std::vector<NorvSpatialContext> List(NorvConnection& connection);
    // Adds (or, with replace, replaces) a created context.
    static void Create(NorvConnection& connection, const NorvSpatialContext& context, bool replace);
    // The SRID a context stands for (by name, then by its CS name and WKT).
    static std::optional<int32_t> SridOf(NorvConnection& connection, FdoString* contextName);
    // WKT of an SRID ("" when unknown).
    static FdoStringP WktOfSrid(int32_t srid);
    static std::optional<int32_t> SridOfWkt(FdoString* wkt);
};

}  // namespace norvdb
