// Every shape file of the reference data goes SHP -> store -> SHP through
// each database store (the three stand-ins, and PostGIS when the tests have
// a server) by two GXFCmd copy tasks with the default options, and must come
// back with every feature, attribute value and ordinate as GDAL reads the
// original. The SDF round trip of the same files is in
// CopyTaskEndToEndTest.cpp.
#include "E2ESupport.h"
#include "StoreClasses.h"

namespace {

namespace fs = std::filesystem;

struct Middle {
    std::string name;
    std::string provider;
    std::string conn;
    bool anyOrder = false;  // a table keeps no row order
};

std::vector<Middle> Middles(const std::string& schema) {
    std::vector<Middle> m = {
        {"Oracle", "Norv.Oracle", "Username=gis;Password=pw;Service=roundtrip;OracleSchema=GIS;"},
        {"MsSql", "Norv.MsSqlSpatial", "Server=roundtrip;Database=gis;Username=sa;Password=pw;"},
        {"Informix", "Norv.Informix", "DSN=roundtrip;"},
    };
    if (!e2e::PostGis().empty())
        m.push_back({"PostGIS", "OSGeo.OGR", "DataSource=" + e2e::PostGis() + " active_schema=" + schema + ";", true});
    return m;
}

TEST(StoreRoundTrip, SharedShapeFilesThroughEveryDatabaseStore) {
    SHARED_DATA_OR_SKIP("shp");
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(geoxfer_test::SharedDataDir() / "shp"))
        if (entry.path().extension() == ".shp") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    ASSERT_FALSE(files.empty());
    const fs::path work = geoxfer_test::TempDir("e2e-store-roundtrip");
    e2e::DbHome home(work / "db");
    const std::string schema = "e2e_roundtrip_" + std::to_string(getpid());
    if (!e2e::PostGis().empty()) {
        ASSERT_TRUE(e2e::RunPgSql("CREATE SCHEMA " + schema));
    }
    for (const Middle& middle : Middles(schema)) {
        for (const fs::path& shp : files) {
            const std::string name = shp.stem().string();
            SCOPED_TRACE(name + " through " + middle.name);
            const long expected = e2e::FeatureCount({shp, name});
            e2e::CopyTask in;
            in.sourceConn = e2e::ShpConn(shp);
            in.destProvider = middle.provider;
            in.destConn = middle.conn;
            in.classes = {{name, name, "", {}}};
            if (e2e::RunCopyTaskOk(work, middle.name + "-" + name + "-in.xml", in) != expected) continue;
            const std::string stored = e2e::ClassNamed(middle.provider, middle.conn, name);
            ASSERT_FALSE(stored.empty()) << name << " not found in " << middle.name;

            const fs::path back = work / ("back-" + middle.name);
            fs::create_directories(back);
            e2e::CopyTask out;
            out.sourceProvider = middle.provider;
            out.sourceConn = middle.conn;
            out.destProvider = "OSGeo.SHP";
            out.destConn = e2e::ShpConn(back);
            out.classes = {{stored, stored, "", {}}};
            EXPECT_EQ(e2e::RunCopyTaskOk(work, middle.name + "-" + name + "-out.xml", out), expected);
            e2e::CompareOptions options;
            options.anyOrder = middle.anyOrder;
            e2e::ExpectSameFeatures({shp, name}, {back / (stored + ".shp")}, options);
        }
    }
    if (!e2e::PostGis().empty()) e2e::RunPgSql("DROP SCHEMA " + schema + " CASCADE");
    fs::remove_all(work);
}

}  // namespace
