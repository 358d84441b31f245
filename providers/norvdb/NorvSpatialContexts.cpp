// Spatial contexts of an emulated database; see NorvSpatialContexts.h.
#include "NorvSpatialContexts.h"

#include "NorvSchema.h"

#include <ogr_spatialref.h>
#include <ogrcore/OgrRegistryMatch.h>

#include <cpl_error.h>

namespace norvdb {

namespace {

// The numbers given to systems without an EPSG code.
constexpr int32_t kFirstLocalSrid = 990001;

// Oracle's own numbers for systems that have an EPSG code.
int32_t EpsgOf(int32_t srid) {
    switch (srid) {
        case 8307: return 4326;
        case 8265: return 4269;
        case 8311: return 4258;
        default: return srid;
    }
}

std::vector<FdoByte> ExtentOf(double minX, double minY, double maxX, double maxY) {
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIEnvelope> env = factory->CreateEnvelopeXY(minX, minY, maxX, maxY);
    FdoPtr<FdoIGeometry> g = factory->CreateGeometry(env);
    FdoPtr<FdoByteArray> fgf = factory->GetFgf(g);
    return std::vector<FdoByte>(fgf->GetData(), fgf->GetData() + fgf->GetCount());
}

std::optional<int32_t> BestEpsgMatch(const OGRSpatialReference& sr) {
    OGRSpatialReferenceH match =
        ogrcore::RegistryMatch(OGRSpatialReference::ToHandle(const_cast<OGRSpatialReference*>(&sr)), 70);
    if (!match) return std::nullopt;
    std::optional<int32_t> out;
    const char* code = OSRGetAuthorityCode(match, nullptr);
    const char* auth = OSRGetAuthorityName(match, nullptr);
    if (code && auth && EQUAL(auth, "EPSG")) out = static_cast<int32_t>(std::atoi(code));
    OSRRelease(match);
    return out;
}

}  // namespace

FdoStringP NorvSpatialContexts::WktOfSrid(int32_t srid) {
    CPLPushErrorHandler(CPLQuietErrorHandler);
    OGRSpatialReference sr;
    FdoStringP result;
    if (sr.importFromEPSG(EpsgOf(srid)) == OGRERR_NONE) {
        char* wkt = nullptr;
        if (sr.exportToWkt(&wkt) == OGRERR_NONE && wkt) result = FdoStringP(wkt);
        CPLFree(wkt);
    }
    CPLPopErrorHandler();
    return result;
}

std::optional<int32_t> NorvSpatialContexts::SridOfWkt(FdoString* wkt) {
    if (!wkt || !*wkt) return std::nullopt;
    CPLPushErrorHandler(CPLQuietErrorHandler);
    OGRSpatialReference sr;
    std::optional<int32_t> out;
    std::string text = FdoStringP::Utf8FromUnicode(wkt);
    if (sr.importFromWkt(text.c_str()) == OGRERR_NONE) {
        if (sr.AutoIdentifyEPSG() == OGRERR_NONE || sr.GetAuthorityCode(nullptr)) {
            const char* code = sr.GetAuthorityCode(nullptr);
            const char* auth = sr.GetAuthorityName(nullptr);
            if (code && auth && EQUAL(auth, "EPSG")) out = static_cast<int32_t>(std::atoi(code));
        }
        // A .prj in the ESRI dialect names no authority: the EPSG system
        // PROJ finds it equivalent to, when exactly one fits well.
        if (!out) out = BestEpsgMatch(sr);
    }
    CPLPopErrorHandler();
    return out;
}

std::vector<NorvSpatialContext> NorvSpatialContexts::List(NorvConnection& connection) {
    NorvDatabase& db = connection.Database();
    const NorvDialect& d = connection.Dialect();
    std::vector<NorvSpatialContext> out;
    try {
        auto q = db.Prepare("SELECT NAME, DESCRIPTION, CS_NAME, WKT, SRID, EXTENT_TYPE, XY_TOLERANCE, Z_TOLERANCE, EXTENT "
                            "FROM NORV$SPATIAL_CONTEXTS ORDER BY rowid");
        while (q->Step()) {
            NorvSpatialContext c;
            c.name = FdoStringP(q->Text(0).c_str());
            c.description = FdoStringP(q->Text(1).c_str());
            c.coordinateSystem = FdoStringP(q->Text(2).c_str());
            c.wkt = FdoStringP(q->Text(3).c_str());
            if (!q->IsNull(4)) c.srid = static_cast<int32_t>(q->Int(4));
            c.extentType = static_cast<FdoSpatialContextExtentType>(q->Int(5));
            c.xyTolerance = q->Real(6);
            c.zTolerance = q->Real(7);
            if (!q->IsNull(8)) {
                auto* bytes = static_cast<const FdoByte*>(sqlite3_column_blob(q->Handle(), 8));
                c.extent.assign(bytes, bytes + sqlite3_column_bytes(q->Handle(), 8));
            }
            // A static extent needs its polygon; without one the extent is dynamic.
            if (c.extent.empty()) c.extentType = FdoSpatialContextExtentType_Dynamic;
            out.push_back(c);
        }
        auto m = db.Prepare("SELECT SRID, MIN(x.SDO_LB), MIN(y.SDO_LB), MAX(x.SDO_UB), MAX(y.SDO_UB), "
                            "MIN(x.SDO_TOLERANCE) FROM main.ALL_SDO_GEOM_METADATA a "
                            "LEFT JOIN NORV_DIM_ELEMENTS(a.DIMINFO) x ON x.rowid = 1 "
                            "LEFT JOIN NORV_DIM_ELEMENTS(a.DIMINFO) y ON y.rowid = 2 "
                            "WHERE SRID IS NOT NULL GROUP BY SRID ORDER BY SRID");
        while (m->Step()) {
            int32_t srid = static_cast<int32_t>(m->Int(0));
            FdoStringP name = NorvSchema::ContextName(d, srid);
            // Geometry of this SRID refers to the context named after it,
            // whose system is the one the number stands for, as the
            // database reports it, whatever the contexts created with that
            // number said; a number of the user's own borrows the system
            // of the context created with it.
            bool known = false;
            const NorvSpatialContext* same = nullptr;
            for (auto& c : out) {
                known = known || c.name == name;
                if (!same && c.srid && *c.srid == srid) same = &c;
            }
            if (known) continue;
            NorvSpatialContext c;
            c.name = name;
            c.coordinateSystem = name;
            c.srid = srid;
            c.wkt = WktOfSrid(srid);
            if (c.wkt.IsEmpty() && same) c.wkt = same->wkt;
            if (same) c.description = same->description;
            if (!m->IsNull(1) && !m->IsNull(2) && !m->IsNull(3) && !m->IsNull(4)) {
                c.extentType = FdoSpatialContextExtentType_Static;
                c.extent = ExtentOf(m->Real(1), m->Real(2), m->Real(3), m->Real(4));
            }
            if (!m->IsNull(5) && m->Real(5) > 0) c.xyTolerance = c.zTolerance = m->Real(5);
            out.push_back(c);
        }
    } catch (SqliteError& e) {
        throw db.Error(e);
    }
    bool hasDefault = false;
    for (auto& c : out) hasDefault = hasDefault || c.name == NorvSchema::kDefaultContext;
    if (!hasDefault) {
        NorvSpatialContext c;
        c.name = NorvSchema::kDefaultContext;
        c.description = L"Geometry without spatial metadata";
        out.push_back(c);
    }
    return out;
}

std::optional<int32_t> NorvSpatialContexts::SridOf(NorvConnection& connection, FdoString* contextName) {
    if (auto s = NorvSchema::SridFromName(contextName)) return s;
    for (auto& c : List(connection))
        if (c.name == contextName) return c.srid;
    return std::nullopt;
}

void NorvSpatialContexts::Create(NorvConnection& connection, const NorvSpatialContext& c, bool replace) {
    NorvDatabase& db = connection.Database();
    if (c.name.IsEmpty()) throw FdoCommandException::Create(L"A spatial context needs a name.");
    std::optional<int32_t> srid = c.srid;
    if (!srid) srid = NorvSchema::SridFromName(c.name);
    if (!srid) srid = NorvSchema::SridFromName(c.coordinateSystem);
    if (!srid) srid = SridOfWkt(c.wkt);
    try {
        // A system no EPSG code stands for still gets a number of its own,
        // as a database user would define one: geometry keeps its system
        // only through its SRID.
        if (!srid && !c.wkt.IsEmpty()) {
            auto q = db.Prepare("SELECT MAX(SRID) FROM NORV$SPATIAL_CONTEXTS WHERE SRID >= " +
                                std::to_string(kFirstLocalSrid));
            srid = q->Step() && !q->IsNull(0) ? static_cast<int32_t>(q->Int(0)) + 1 : kFirstLocalSrid;
        }
        auto q = db.Prepare(std::string(replace ? "INSERT OR REPLACE" : "INSERT") +
                            " INTO NORV$SPATIAL_CONTEXTS (NAME, DESCRIPTION, CS_NAME, WKT, SRID, EXTENT_TYPE, "
                            "XY_TOLERANCE, Z_TOLERANCE, EXTENT) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)");
        q->Bind(1, FdoStringP::Utf8FromUnicode(c.name)).Bind(2, FdoStringP::Utf8FromUnicode(c.description));
        q->Bind(3, FdoStringP::Utf8FromUnicode(c.coordinateSystem)).Bind(4, FdoStringP::Utf8FromUnicode(c.wkt));
        if (srid) q->Bind(5, static_cast<int64_t>(*srid));
        else q->BindNull(5);
        q->Bind(6, static_cast<int64_t>(c.extentType)).Bind(7, c.xyTolerance).Bind(8, c.zTolerance);
        if (c.extent.empty()) q->BindNull(9);
        else q->BindBlob(9, std::vector<unsigned char>(c.extent.begin(), c.extent.end()));
        q->Run();
    } catch (SqliteError& e) {
        if (e.message.find("UNIQUE") != std::string::npos)
            throw FdoCommandException::Create(FdoStringP::Format(
                L"The spatial context '%ls' already exists.", static_cast<FdoString*>(c.name)));
        throw db.Error(e);
    }
}

}  // namespace norvdb
