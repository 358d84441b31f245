// Copy tasks through the real GXFCmd binary into and out of Norv.KML and
// OSGeo.OGR, each result checked feature by feature against GDAL reading
// the source: projected shapes into KML land where GDAL's own ogr2ogr
// -t_srs EPSG:4326 puts them; KML, GeoPackage and PostGIS data reach SDF
// files unchanged; shapes reach GeoPackage, GeoJSON and FlatGeobuf through
// OSGeo.OGR. Bad connections end the run with the runner's error text
// naming the data source, and never hang.
#include "E2ESupport.h"

#include <chrono>

namespace {

namespace fs = std::filesystem;

fs::path Ny8() { return geoxfer_test::SampleDataDir() / "spData" / "shapes" / "NY8_utm18.shp"; }

std::string KmlConn(const fs::path& file) { return "File=" + file.string() + ";ReadOnly=FALSE;"; }
std::string OgrConn(const std::string& dataSource) { return "DataSource=" + dataSource + ";"; }

using e2e::PostGis;

// GDAL's own transformation of the NY8 tracts to WGS 84 longitude/latitude.
fs::path Ogr2OgrWgs84(const fs::path& dir) {
    const fs::path out = dir / "ny8-ogr2ogr-wgs84.gpkg";
    const std::string command =
        "ogr2ogr -f GPKG -t_srs EPSG:4326 '" + out.string() + "' '" + Ny8().string() + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    return out;
}

// The same features in both layers, matched by the value of key (formats
// and databases that keep no row order: FlatGeobuf sorts rows for its
// index, a table has no order), every source field compared with the
// destination field of the same name.
void ExpectSameFeaturesByKey(const e2e::Layer& source, const e2e::Layer& dest, const std::string& key,
                             double tolerance = 0) {
    e2e::Dataset sds = e2e::OpenVector(source.path), dds = e2e::OpenVector(dest.path);
    ASSERT_TRUE(sds && dds) << source.path << " / " << dest.path;
    OGRLayer* sl = e2e::FindLayer(sds.get(), source);
    OGRLayer* dl = e2e::FindLayer(dds.get(), dest);
    ASSERT_TRUE(sl && dl) << source.name << " / " << dest.name;
    std::map<std::string, std::unique_ptr<OGRFeature>> byKey;
    for (auto& f : *dl) byKey[f->GetFieldAsString(key.c_str())].reset(f.release());
    ASSERT_EQ(static_cast<long>(byKey.size()), static_cast<long>(sl->GetFeatureCount(TRUE)));
    OGRFeatureDefn* sdef = sl->GetLayerDefn();
    int failures = 0;
    for (auto& sf : *sl) {
        auto it = byKey.find(sf->GetFieldAsString(key.c_str()));
        ASSERT_NE(it, byKey.end()) << key << " " << sf->GetFieldAsString(key.c_str());
        OGRFeature* df = it->second.get();
        for (int i = 0; i < sdef->GetFieldCount(); i++) {
            const int j = df->GetFieldIndex(sdef->GetFieldDefn(i)->GetNameRef());
            ASSERT_GE(j, 0) << sdef->GetFieldDefn(i)->GetNameRef();
            bool same = e2e::IsNumeric(sdef->GetFieldDefn(i)->GetType())
                            ? std::fabs(sf->GetFieldAsDouble(i) - df->GetFieldAsDouble(j)) <= tolerance
                            : e2e::FieldText(sf.get(), i) == e2e::FieldText(df, j);
            if (!same && failures++ < 10)
                ADD_FAILURE() << key << " " << sf->GetFieldAsString(key.c_str()) << " field "
                              << sdef->GetFieldDefn(i)->GetNameRef();
        }
        e2e::Ordinates a, b;
        e2e::CollectOrdinates(sf->GetGeometryRef(), a);
        e2e::CollectOrdinates(df->GetGeometryRef(), b);
        bool same = a.values.size() == b.values.size() && a.parts == b.parts;
        for (size_t k = 0; same && k < a.values.size(); k++) same = std::fabs(a.values[k] - b.values[k]) <= tolerance;
        if (!same && failures++ < 10) ADD_FAILURE() << key << " " << sf->GetFieldAsString(key.c_str()) << ": geometry";
    }
}

// Runs a copy task that must fail; returns what the runner printed.
std::string RunCopyTaskFails(const fs::path& dir, const e2e::CopyTask& task) {
    const fs::path file = e2e::WriteCopyTask(dir / "failing.xml", task);
    auto start = std::chrono::steady_clock::now();
    e2e::RunResult run = e2e::RunGXFCmd({"CopyTask", file.string()});
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_LT(seconds, 30) << "the runner took too long to give up";
    EXPECT_NE(run.out.find("Copy Error: "), std::string::npos) << run.out;
    return run.out;
}

TEST(KmlOgrCopy, ShapesToKmlAreWhereOgr2OgrPutsThem) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    const fs::path work = geoxfer_test::TempDir("e2e-shp-kml");
    const fs::path kml = work / "ny8.kml";
    e2e::CopyTask task;
    task.sourceConn = e2e::ShpConn(Ny8());
    task.destProvider = "Norv.KML";
    task.destConn = KmlConn(kml);
    task.classes = {{"NY8_utm18", "NY8_utm18", "", {}}};
    EXPECT_EQ(e2e::RunCopyTaskOk(work, "shp-to-kml.xml", task), 281);
    const fs::path reference = Ogr2OgrWgs84(work);
    e2e::CompareOptions options;
    options.tolerance = 1e-7;  // degrees
    e2e::ExpectSameFeatures({reference, "NY8_utm18"}, {kml, "NY8_utm18"}, options);
}

TEST(KmlOgrCopy, KmlToSdfKeepsEveryPlacemark) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    const fs::path work = geoxfer_test::TempDir("e2e-kml-sdf");
    const fs::path kml = work / "ny8.kml";
    const std::string command = "ogr2ogr -f LIBKML '" + kml.string() + "' '" + Ny8().string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const fs::path sdf = work / "ny8.sdf";
    e2e::CopyTask task;
    task.sourceProvider = "Norv.KML";
    task.sourceConn = KmlConn(kml);
    task.destConn = e2e::SdfConn(sdf);
    task.classes = {{"NY8_utm18", "NY8_utm18", "", {}}};
    EXPECT_EQ(e2e::RunCopyTaskOk(work, "kml-to-sdf.xml", task), 281);
    e2e::CompareOptions options;
    options.onlyFields = {"Name", "description", "AREANAME", "AREAKEY", "X", "Y", "POP8", "PCTOWNHOME", "Cases"};
    options.renames = {{"Name", "name"}};
    e2e::ExpectSameFeatures({kml, "NY8_utm18"}, {sdf, "NY8_utm18"}, options);
}

TEST(KmlOgrCopy, ShapesToGeoPackageGeoJsonAndFlatGeobuf) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    const fs::path work = geoxfer_test::TempDir("e2e-shp-ogr");
    struct Target {
        std::string file;
        std::string layer;  // as GDAL names it when reading the file back
        double tolerance;
        bool ordered;
    };
    // GDAL writes GeoJSON numbers with 15 significant digits; FlatGeobuf
    // sorts rows for its spatial index.
    for (const Target& t : {Target{"ny8.gpkg", "NY8_utm18", 0, true}, Target{"ny8.geojson", "", 1e-8, true},
                            Target{"ny8.fgb", "", 0, false}}) {
        SCOPED_TRACE(t.file);
        e2e::CopyTask task;
        task.sourceConn = e2e::ShpConn(Ny8());
        task.destProvider = "OSGeo.OGR";
        task.destConn = OgrConn((work / t.file).string());
        task.classes = {{"NY8_utm18", "NY8_utm18", "", {}}};
        EXPECT_EQ(e2e::RunCopyTaskOk(work, t.file + ".xml", task), 281);
        e2e::CompareOptions options;
        options.tolerance = t.tolerance;
        if (t.ordered)
            e2e::ExpectSameFeatures({Ny8(), "NY8_utm18"}, {work / t.file, t.layer}, options);
        else
            ExpectSameFeaturesByKey({Ny8(), "NY8_utm18"}, {work / t.file, t.layer}, "AREAKEY");
    }
}

TEST(KmlOgrCopy, GeoPackageToSdf) {
    SAMPLE_DATA_OR_SKIP("sf/gpkg");
    const fs::path work = geoxfer_test::TempDir("e2e-gpkg-sdf");
    const fs::path gpkg = geoxfer_test::SampleDataDir() / "sf" / "gpkg" / "b_pump.gpkg";
    const fs::path sdf = work / "pump.sdf";
    e2e::CopyTask task;
    task.sourceProvider = "OSGeo.OGR";
    task.sourceConn = OgrConn(gpkg.string()) + "ReadOnly=TRUE;";
    task.destConn = e2e::SdfConn(sdf);
    task.classes = {{"b_pump", "b_pump", "", {}}};
    EXPECT_EQ(e2e::RunCopyTaskOk(work, "gpkg-to-sdf.xml", task), e2e::FeatureCount({gpkg, "b_pump"}));
    e2e::ExpectSameFeatures({gpkg, "b_pump"}, {sdf, "b_pump"});
}

TEST(KmlOgrCopy, ShapesToPostGisAndOnToSdf) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    if (PostGis().empty()) GTEST_SKIP() << "GEOXFER_PG is not set: no PostGIS server (scripts/postgis.sh start)";
    const fs::path work = geoxfer_test::TempDir("e2e-pg");
    // A database schema of its own per run: the copy creates its table
    // under the source class's name, and reruns must not meet it.
    const std::string schema = "e2e_" + std::to_string(getpid());
    ASSERT_TRUE(e2e::RunPgSql("DROP SCHEMA IF EXISTS " + schema + " CASCADE"));
    ASSERT_TRUE(e2e::RunPgSql("CREATE SCHEMA " + schema));
    const std::string pg = PostGis() + " active_schema=" + schema;
    e2e::CopyTask in;
    in.sourceConn = e2e::ShpConn(Ny8());
    in.destProvider = "OSGeo.OGR";
    in.destConn = OgrConn(pg);
    in.classes = {{"NY8_utm18", "NY8_utm18", "", {}}};
    EXPECT_EQ(e2e::RunCopyTaskOk(work, "shp-to-pg.xml", in), 281);

    const fs::path sdf = work / "from-pg.sdf";
    e2e::CopyTask out;
    out.sourceProvider = "OSGeo.OGR";
    out.sourceConn = OgrConn(pg);
    out.destConn = e2e::SdfConn(sdf);
    out.classes = {{"NY8_utm18", "NY8_utm18", "", {}}};
    EXPECT_EQ(e2e::RunCopyTaskOk(work, "pg-to-sdf.xml", out), 281);
    ExpectSameFeaturesByKey({Ny8(), "NY8_utm18"}, {sdf, "NY8_utm18"}, "AREAKEY");
    EXPECT_TRUE(e2e::RunPgSql("DROP SCHEMA " + schema + " CASCADE"));
}

TEST(KmlOgrCopy, BadConnectionsNameTheDataSource) {
    const fs::path work = geoxfer_test::TempDir("e2e-kml-ogr-bad");
    e2e::CopyTask missing;
    missing.sourceProvider = "OSGeo.OGR";
    missing.sourceConn = OgrConn((work / "missing.gpkg").string()) + "ReadOnly=TRUE;";
    missing.destConn = e2e::SdfConn(work / "out.sdf");
    missing.classes = {{"a", "a", "", {}}};
    std::string out = RunCopyTaskFails(work, missing);
    EXPECT_NE(out.find("missing.gpkg"), std::string::npos) << out;

    e2e::CopyTask unknown = missing;
    unknown.sourceConn = OgrConn("NoSuchFormat:anything");
    out = RunCopyTaskFails(work, unknown);
    EXPECT_NE(out.find("NoSuchFormat:anything"), std::string::npos) << out;

    e2e::CopyTask down = missing;
    down.sourceConn = OgrConn("PG:host=127.0.0.1 port=1 dbname=none user=nobody");
    out = RunCopyTaskFails(work, down);
    EXPECT_NE(out.find("PG:host=127.0.0.1 port=1"), std::string::npos) << out;

    e2e::CopyTask kml;
    kml.sourceConn = e2e::ShpConn(Ny8());
    kml.destProvider = "Norv.KML";
    kml.destConn = KmlConn(work / "no" / "such" / "folder" / "out.kml");
    kml.classes = {{"NY8_utm18", "NY8_utm18", "", {}}};
    out = RunCopyTaskFails(work, kml);
    EXPECT_NE(out.find("no/such/folder/out.kml"), std::string::npos) << out;

    e2e::CopyTask noProvider = missing;
    noProvider.sourceProvider = "Norv.NoSuchProvider";
    out = RunCopyTaskFails(work, noProvider);
    EXPECT_NE(out.find("Unable to Create Source Connection"), std::string::npos) << out;
}

}  // namespace
