// Geometry functions: the SDO_GEOMETRY constructors, what g.SDO_SRID and
// g.SDO_GTYPE read, the bounds the R-tree triggers store, and the
// SDO_AGGR_MBR aggregate. See NorvSqlFunctions.h.
#include "NorvGeometry.h"
#include "NorvSdoElements.h"
#include "NorvSqlFunctionSupport.h"

#include <Fdo.h>
#include <Fdo/Geometry/FgfBytes.h>

#include <cpl_error.h>
#include <ogr_api.h>

#include <cmath>
#include <cstdlib>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace norvdb::detail {

namespace {

bool GeometryArg(sqlite3_context* ctx, sqlite3_value* v, GeometryView& g) {
    if (sqlite3_value_type(v) != SQLITE_BLOB ||
        !NorvGeometry::Decode(sqlite3_value_blob(v), sqlite3_value_bytes(v), g)) {
        sqlite3_result_error(ctx, "the value is not a geometry", -1);
        return false;
    }
    return true;
}

void ResultGeometry(sqlite3_context* ctx, FdoIGeometry* geometry, std::optional<int32_t> srid) {
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoByteArray> fgf = factory->GetFgf(geometry);
    auto blob = NorvGeometry::Encode(fgf->GetData(), fgf->GetCount(), srid);
    sqlite3_result_blob(ctx, blob.data(), static_cast<int>(blob.size()), SQLITE_TRANSIENT);
}

void ResultException(sqlite3_context* ctx, FdoException* e) {
    std::string msg = FdoStringP::Utf8FromUnicode(e->GetExceptionMessage());
    e->Release();
    sqlite3_result_error(ctx, msg.c_str(), -1);
}

std::optional<int32_t> SridArg(sqlite3_value* v) {
    if (sqlite3_value_type(v) == SQLITE_NULL) return std::nullopt;
    return static_cast<int32_t>(sqlite3_value_int64(v));
}

void SdoSrid(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    GeometryView g;
    if (!GeometryArg(ctx, argv[0], g)) return;
    if (g.srid) sqlite3_result_int64(ctx, *g.srid);
    else sqlite3_result_null(ctx);
}

void SdoGType(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    GeometryView g;
    if (!GeometryArg(ctx, argv[0], g)) return;
    try {
        sqlite3_result_int64(ctx, NorvGeometry::OracleGType(g.fgf, g.count));
    } catch (FdoException* e) {
        ResultException(ctx, e);
    }
}

template <int Which>
void Bound(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    GeometryView g;
    if (!GeometryArg(ctx, argv[0], g)) return;
    try {
        FdoFgfBounds b = FdoFgfBounds::Compute(g.fgf, g.count);
        if (b.IsEmpty()) return sqlite3_result_null(ctx);
        double v = Which == 0 ? b.minX : Which == 1 ? b.minY : Which == 2 ? b.maxX : b.maxY;
        sqlite3_result_double(ctx, v);
    } catch (FdoException* e) {
        ResultException(ctx, e);
    }
}

// OGC well-known text (POINT Z, MULTIPOLYGON, ...) as GDAL reads it, else
// FDO's own geometry text (POINT XYZ, CURVESTRING, ...).
FdoIGeometry* FromText(const std::string& text) {
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    char* cursor = const_cast<char*>(text.c_str());
    OGRGeometryH g = nullptr;
    CPLPushErrorHandler(CPLQuietErrorHandler);
    OGRErr err = OGR_G_CreateFromWkt(&cursor, nullptr, &g);
    CPLPopErrorHandler();
    if (err == OGRERR_NONE && g) {
        std::vector<unsigned char> wkb(static_cast<size_t>(OGR_G_WkbSize(g)));
        OGR_G_ExportToIsoWkb(g, wkbNDR, wkb.data());
        OGR_G_DestroyGeometry(g);
        return factory->CreateGeometryFromWkb(wkb.data(), static_cast<FdoInt32>(wkb.size()));
    }
    if (g) OGR_G_DestroyGeometry(g);
    std::wstring wide = FdoStringP::Utf8ToUnicode(text.c_str());
    return factory->CreateGeometry(wide.c_str());
}

std::vector<double> Numbers(const std::string& text);

// SDO_GEOMETRY('wkt', srid) or SDO_GEOMETRY(gtype, srid, point, NULL, NULL).
void SdoGeometry(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    try {
        FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
        if (argc == 2 || (argc >= 1 && sqlite3_value_type(argv[0]) == SQLITE_TEXT)) {
            FdoPtr<FdoIGeometry> g = FromText(Arg(argv[0]));
            return ResultGeometry(ctx, g, argc >= 2 ? SridArg(argv[1]) : std::nullopt);
        }
        if (argc == 5) {
            std::string point = Arg(argv[2]);
            double xyz[3];
            int n = 0;
            if (!point.empty() && point[0] == '[') {
                const char* p = point.c_str() + 1;
                while (n < 3 && *p) {
                    char* end = nullptr;
                    double d = std::strtod(p, &end);
                    if (end == p) break;
                    xyz[n++] = d;
                    p = end;
                    while (*p == ',' || *p == ' ') p++;
                }
            }
            if (n >= 2) {
                FdoPtr<FdoIPoint> g = factory->CreatePoint(n == 3 ? FdoDimensionality_XY | FdoDimensionality_Z
                                                                  : FdoDimensionality_XY,
                                                           xyz);
                return ResultGeometry(ctx, g, SridArg(argv[1]));
            }
            if (sqlite3_value_type(argv[3]) == SQLITE_TEXT && sqlite3_value_type(argv[4]) == SQLITE_TEXT) {
                std::string wkt;
                try {
                    wkt = NorvSdoElements::ToWkt(static_cast<int>(sqlite3_value_int64(argv[0])), Numbers(Arg(argv[3])),
                                                 Numbers(Arg(argv[4])));
                } catch (std::invalid_argument& e) {
                    return sqlite3_result_error(ctx, e.what(), -1);
                }
                FdoPtr<FdoIGeometry> g = FromText(wkt);
                return ResultGeometry(ctx, g, SridArg(argv[1]));
            }
        }
        sqlite3_result_error(ctx, "SDO_GEOMETRY takes WKT text and an SRID, or a point", -1);
    } catch (FdoException* e) {
        ResultException(ctx, e);
    }
}

// The numbers of a JSON array as SDO_ELEM_INFO_ARRAY writes it.
std::vector<double> Numbers(const std::string& text) {
    std::vector<double> out;
    const char* p = text.c_str();
    if (*p == '[') p++;
    while (*p && *p != ']') {
        char* end = nullptr;
        double d = std::strtod(p, &end);
        if (end == p) throw std::invalid_argument("not a number array: " + text);
        out.push_back(d);
        p = end;
        while (*p == ',' || *p == ' ') p++;
    }
    return out;
}

// SDO_POINT_TYPE(x, y, z), SDO_ELEM_INFO_ARRAY(...), SDO_ORDINATE_ARRAY(...)
// as small JSON arrays for SDO_GEOMETRY; a null ends the array.
void SdoPointType(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    std::string out = "[";
    for (int i = 0; i < argc; i++) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) break;
        if (i) out += ",";
        out += Number(sqlite3_value_double(argv[i]));
    }
    out += "]";
    sqlite3_result_text(ctx, out.c_str(), -1, SQLITE_TRANSIENT);
}

struct MbrState {
    bool any = false;
    bool hasSrid = false;
    int32_t srid = 0;
    FdoFgfBounds bounds;
};

void MbrStep(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return;
    auto* s = static_cast<MbrState*>(sqlite3_aggregate_context(ctx, sizeof(MbrState)));
    if (!s) return sqlite3_result_error_nomem(ctx);
    GeometryView g;
    if (!GeometryArg(ctx, argv[0], g)) return;
    try {
        FdoFgfBounds b = FdoFgfBounds::Compute(g.fgf, g.count);
        if (b.IsEmpty()) return;
        if (!s->any) {
            new (&s->bounds) FdoFgfBounds();
            s->any = true;
            s->hasSrid = g.srid.has_value();
            s->srid = g.srid.value_or(0);
        }
        s->bounds.Add(b.minX, b.minY);
        s->bounds.Add(b.maxX, b.maxY);
        s->bounds.AddZ(b.minZ);
        s->bounds.AddZ(b.maxZ);
    } catch (FdoException* e) {
        ResultException(ctx, e);
    }
}

void MbrFinal(sqlite3_context* ctx) {
    auto* s = static_cast<MbrState*>(sqlite3_aggregate_context(ctx, 0));
    if (!s || !s->any) return sqlite3_result_null(ctx);
    try {
        const FdoFgfBounds& b = s->bounds;
        bool z = !std::isnan(b.minZ);
        std::vector<double> o;
        double xs[5] = {b.minX, b.maxX, b.maxX, b.minX, b.minX};
        double ys[5] = {b.minY, b.minY, b.maxY, b.maxY, b.minY};
        for (int i = 0; i < 5; i++) {
            o.push_back(xs[i]);
            o.push_back(ys[i]);
            if (z) o.push_back(i == 1 || i == 2 ? b.maxZ : b.minZ);
        }
        FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
        FdoInt32 dim = z ? (FdoDimensionality_XY | FdoDimensionality_Z) : FdoDimensionality_XY;
        FdoPtr<FdoILinearRing> ring = factory->CreateLinearRing(dim, static_cast<FdoInt32>(o.size()), o.data());
        FdoPtr<FdoIPolygon> polygon = factory->CreatePolygon(ring, nullptr);
        ResultGeometry(ctx, polygon, s->hasSrid ? std::optional<int32_t>(s->srid) : std::nullopt);
    } catch (FdoException* e) {
        ResultException(ctx, e);
    }
}

}  // namespace

void RegisterGeometryFunctions(sqlite3* db) {
    Register(db, "SDO_GEOMETRY", -1, SdoGeometry);
    Register(db, "ST_GEOMFROMTEXT", -1, SdoGeometry);
    Register(db, "SDO_POINT_TYPE", -1, SdoPointType);
    Register(db, "SDO_ELEM_INFO_ARRAY", -1, SdoPointType);
    Register(db, "SDO_ORDINATE_ARRAY", -1, SdoPointType);
    Register(db, "NORV_SDO_SRID", 1, SdoSrid);
    Register(db, "NORV_SDO_GTYPE", 1, SdoGType);
    Register(db, "NORV_MINX", 1, Bound<0>);
    Register(db, "NORV_MINY", 1, Bound<1>);
    Register(db, "NORV_MAXX", 1, Bound<2>);
    Register(db, "NORV_MAXY", 1, Bound<3>);
    int rc = sqlite3_create_function_v2(db, "SDO_AGGR_MBR", 1, SQLITE_UTF8, nullptr, nullptr, MbrStep, MbrFinal,
                                        nullptr);
    if (rc != SQLITE_OK) throw SqliteError{rc, "cannot register SDO_AGGR_MBR"};
}

}  // namespace norvdb::detail
