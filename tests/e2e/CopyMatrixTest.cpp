// The copy matrix: three real classes (a polygon class and a line class
// with a .prj, a line class without) are put into every kind of store, then
// copied from every kind to every kind and back to a shape file, each hop a
// GXFCmd copy task with the default options; every result is compared
// with GDAL reading the original shape file.
//
// Kinds: SHP, SDF, GeoPackage and GeoJSON through OSGeo.OGR, PostGIS
// (skipped without GEOXFER_PG), Norv.Oracle with SRID 8307 and without,
// Norv.Informix, Norv.MsSqlSpatial and Norv.KML. A pair through KML is
// compared with GDAL's own transformation of the original to WGS 84: KML
// holds WGS 84 longitude/latitude only, and writes the shapes in it.
// GeoJSON holds one layer per file, so each class gets a file of its own.
#include "MadeData.h"
#include "StoreClasses.h"

#include <functional>
#include <set>

namespace {

namespace fs = std::filesystem;

using e2e::PostGis;
using e2e::RunPgSql;

struct Kind {
    std::string name;
    std::string provider;
    // The connection of the store at dir for the class (the class matters
    // only where a store holds one class).
    std::function<std::string(const fs::path& dir, const std::string& cls)> conn;
    std::string oracleSrid;
    bool oneClassPerStore = false;
    bool isKml = false;
    // Makes the empty store at dir, where a copy cannot (may be empty).
    std::function<void(const fs::path& dir)> prepare;
};

// The PostGIS schema of the store at dir: one per store, and per run.
std::string PgSchema(const fs::path& dir) { return "e2e_" + std::to_string(getpid()) + "_" + dir.filename().string(); }

using ConnOf = std::function<std::string(const fs::path& dir, const std::string& cls)>;

Kind MakeKind(const std::string& name, const std::string& provider, ConnOf conn) {
    Kind k;
    k.name = name;
    k.provider = provider;
    k.conn = std::move(conn);
    return k;
}

std::vector<Kind> Kinds() {
    auto file = [](const std::string& prefix, const std::string& name, const std::string& suffix) -> ConnOf {
        return [=](const fs::path& dir, const std::string&) { return prefix + (dir / name).string() + suffix; };
    };
    // Each store of a database kind is a database of its own, named after its folder.
    auto db = [](const std::string& pattern) -> ConnOf {
        return [pattern](const fs::path& dir, const std::string&) {
            std::string text = pattern;
            const std::string id = "m" + dir.filename().string();
            for (size_t at; (at = text.find("%s")) != std::string::npos;) text.replace(at, 2, id);
            return text;
        };
    };
    std::vector<Kind> kinds;
    kinds.push_back(MakeKind("SHP", "OSGeo.SHP", [](const fs::path& dir, const std::string&) { return e2e::ShpConn(dir); }));
    kinds.push_back(MakeKind("SDF", "OSGeo.SDF", file("File=", "store.sdf", ";")));
    kinds.push_back(MakeKind("GeoPackage", "OSGeo.OGR", file("DataSource=", "store.gpkg", ";")));
    kinds.push_back(MakeKind("GeoJSON", "OSGeo.OGR", [](const fs::path& dir, const std::string& cls) {
        return "DataSource=" + (dir / (cls + ".geojson")).string() + ";";
    }));
    kinds.back().oneClassPerStore = true;
    kinds.push_back(MakeKind("Oracle8307", "Norv.Oracle", db("Username=gis;Password=pw;Service=%s;OracleSchema=GIS;")));
    kinds.back().oracleSrid = "8307";
    kinds.push_back(MakeKind("Oracle", "Norv.Oracle", db("Username=gis;Password=pw;Service=%s;OracleSchema=GIS;")));
    kinds.push_back(MakeKind("Informix", "Norv.Informix", db("DSN=%s;")));
    kinds.push_back(MakeKind("MsSql", "Norv.MsSqlSpatial", db("Server=e2e;Database=%s;Username=sa;Password=pw;")));
    kinds.push_back(MakeKind("KML", "Norv.KML", file("File=", "store.kml", ";ReadOnly=FALSE;")));
    kinds.back().isKml = true;
    if (!PostGis().empty()) {
        kinds.push_back(MakeKind("PostGIS", "OSGeo.OGR", [](const fs::path& dir, const std::string&) {
            return "DataSource=" + PostGis() + " active_schema=" + PgSchema(dir) + ";";
        }));
        kinds.back().prepare = [](const fs::path& dir) { EXPECT_TRUE(RunPgSql("CREATE SCHEMA " + PgSchema(dir))); };
    }
    return kinds;
}

// One store of a kind, in its own folder, and what its classes are called there.
struct Store {
    const Kind* kind;
    fs::path dir;
    std::map<std::string, std::string> names;  // original class name -> name in the store
    std::string Conn(const std::string& original) const { return kind->conn(dir, original); }
};

// The class of the store that holds the original class.
std::string ClassNameIn(const Store& store, const std::string& original) {
    return e2e::ClassNamed(store.kind->provider, store.Conn(original), original);
}

// Copies the classes of from (by original name) into to; true when every
// task ran and every class is found in to afterwards.
bool Copy(Store& from, Store& to, const std::vector<std::string>& originals, const fs::path& taskDir) {
    static int serial = 0;
    std::vector<std::vector<std::string>> groups;
    if (from.kind->oneClassPerStore || to.kind->oneClassPerStore)
        for (const auto& o : originals) groups.push_back({o});
    else
        groups.push_back(originals);
    bool ok = true;
    for (const auto& group : groups) {
        e2e::CopyTask task;
        task.sourceProvider = from.kind->provider;
        task.sourceConn = from.Conn(group.front());
        task.destProvider = to.kind->provider;
        task.destConn = to.Conn(group.front());
        task.oracleSrid = to.kind->oracleSrid;
        for (const auto& o : group) task.classes.push_back({from.names[o], from.names[o], "", {}});
        const fs::path file = e2e::WriteCopyTask(taskDir / ("task" + std::to_string(serial++) + ".xml"), task);
        e2e::RunResult run = e2e::RunGXFCmd({"CopyTask", file.string()});
        EXPECT_EQ(run.exitCode, 0) << from.kind->name << " -> " << to.kind->name << ": " << run.out << run.err;
        ok = ok && run.exitCode == 0;
    }
    for (const auto& o : originals) {
        to.names[o] = ClassNameIn(to, o);
        EXPECT_FALSE(to.names[o].empty()) << o << " not found in " << to.kind->name;
        ok = ok && !to.names[o].empty();
    }
    return ok;
}

// GDAL's own transformation of a shape file to WGS 84, beside it in dir.
fs::path Wgs84Of(const fs::path& shp, const fs::path& dir) {
    const fs::path out = dir / ("wgs84-" + shp.filename().string());
    const std::string command = "ogr2ogr -t_srs EPSG:4326 '" + out.string() + "' '" + shp.string() + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return out;
}

TEST(CopyMatrix, EveryKindToEveryKindAndBackToShape) {
    SAMPLE_DATA_OR_SKIP("sf/shape/nc.shp");
    SHARED_DATA_OR_SKIP("shp/Sheboygan/RoadCenterLines.shp");
    const fs::path work = geoxfer_test::TempDir("e2e-matrix");
    e2e::DbHome home(work / "db");
    const fs::path original = work / "original";
    fs::create_directories(original);
    // Polygons with a .prj (NAD27), lines with a .prj (WGS 84 datum), lines
    // without one.
    const std::vector<std::string> classes = {"nc", "RoadCenterLines", "ShpMixedDecimals"};
    e2e::CopyShapeFileSet(geoxfer_test::SampleDataDir() / "sf/shape/nc.shp", original);
    const fs::path shared = geoxfer_test::SharedDataDir() / "shp";
    for (const char* shp : {"Sheboygan/RoadCenterLines.shp", "Ontario/ShpMixedDecimals.shp"})
        e2e::CopyShapeFileSet(shared / shp, original);
    // What KML must hold: GDAL's own transformation to WGS 84. KML holds
    // WGS 84 longitude/latitude only, so two classes skip the pairs through
    // it: PROJ finds no transformation for the Sheboygan .prj (the WGS 84
    // datum on an ellipsoid of other figures), and the Ontario lines name
    // no coordinate system while their coordinates are far outside
    // longitude/latitude.
    std::map<std::string, fs::path> wgs84 = {{"nc", Wgs84Of(original / "nc.shp", work)}};
    const std::set<std::string> notForKml = {"RoadCenterLines", "ShpMixedDecimals"};

    const std::vector<Kind> kinds = Kinds();
    Store shapes{&kinds[0], original, {}};
    for (const auto& c : classes) shapes.names[c] = c;
    int serial = 0;
    std::vector<std::string> pgSchemas;
    auto newStore = [&](const Kind& kind) {
        Store s{&kind, work / "stores" / std::to_string(serial++), {}};
        fs::create_directories(s.dir);
        if (kind.prepare) kind.prepare(s.dir);
        if (kind.name == "PostGIS") pgSchemas.push_back(PgSchema(s.dir));
        return s;
    };

    // Every kind loaded once from the shape files.
    std::vector<Store> loaded;
    for (const Kind& kind : kinds) {
        SCOPED_TRACE("loading " + kind.name);
        std::vector<std::string> copied;
        for (const auto& c : classes)
            if (!kind.isKml || !notForKml.count(c)) copied.push_back(c);
        loaded.push_back(newStore(kind));
        ASSERT_TRUE(Copy(shapes, loaded.back(), copied, work));
    }
    for (size_t a = 0; a < kinds.size(); a++) {
        for (size_t b = 0; b < kinds.size(); b++) {
            const std::string pair = kinds[a].name + " -> " + kinds[b].name;
            SCOPED_TRACE(pair + " -> SHP");
            const bool throughKml = kinds[a].isKml || kinds[b].isKml;
            std::vector<std::string> copied;
            for (const auto& c : classes)
                if (!throughKml || !notForKml.count(c)) copied.push_back(c);
            Store middle = newStore(kinds[b]);
            if (!Copy(loaded[a], middle, copied, work)) continue;
            Store back = newStore(kinds[0]);
            if (!Copy(middle, back, copied, work)) continue;
            for (const auto& c : copied) {
                SCOPED_TRACE(c);
                e2e::CompareOptions options;
                // GeoJSON and KML write numbers as text with 15 significant
                // digits, not the 17 a double needs.
                options.tolerance = 1e-9;
                options.anyOrder = kinds[a].name == "PostGIS" || kinds[b].name == "PostGIS";
                // A store declared SRID 8307 holds the original numbers as
                // WGS 84, so KML made from it holds them untransformed.
                const bool transformed = throughKml && kinds[a].oracleSrid.empty();
                e2e::ExpectSameFeatures({transformed ? wgs84[c] : original / (c + ".shp")},
                                        {back.dir / (back.names[c] + ".shp")}, options);
            }
        }
    }
    for (const auto& schema : pgSchemas) RunPgSql("DROP SCHEMA " + schema + " CASCADE");
    fs::remove_all(work);
}

}  // namespace
