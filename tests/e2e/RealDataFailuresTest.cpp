// The copies a new user runs on real data, each built from data the test
// makes, run by the real GXFCmd binary and compared with GDAL:
// - two shape files whose .prj texts name one coordinate system in two
//   spellings, to SDF and back: both classes come back, each with its .prj;
// - a shape file into Norv.Oracle with SRID 8307 and back to a shape file;
// - a schema file whose geometry names a spatial context the destination
//   does not hold, with an abstract base class without identity and a
//   property name FDO forbids, applied to a new SDF file and a folder;
// - errors that name the real cause: a read-only folder, an SDF file that
//   cannot be created, a .dbf whose field type byte was damaged, a PostGIS
//   table whose check constraint refuses one row of a batch.
#include "MadeData.h"

#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

e2e::CopyTask Task(const std::string& srcProvider, const std::string& srcConn, const std::string& destProvider,
                   const std::string& destConn, const std::vector<std::string>& classes) {
    e2e::CopyTask t;
    t.sourceProvider = srcProvider;
    t.sourceConn = srcConn;
    t.destProvider = destProvider;
    t.destConn = destConn;
    for (const auto& c : classes) t.classes.push_back({c, c, "", {}});
    return t;
}

TEST(RealDataFailures, TwoSpellingsOfOnePrjGoToSdfAndBack) {
    const fs::path work = geoxfer_test::TempDir("e2e-two-prj");
    const fs::path source = work / "source", back = work / "back";
    fs::create_directories(source);
    fs::create_directories(back);
    e2e::MakeShapeFile(source, "Railroad", wkbLineString, e2e::MadeLineFields(), e2e::MadeLines(0), e2e::Wgs84Prj(true));
    e2e::MakeShapeFile(source, "Roads", wkbLineString, e2e::MadeLineFields(), e2e::MadeLines(0.5), e2e::Wgs84Prj(false));
    const fs::path sdf = work / "both.sdf";
    e2e::RunCopyTaskOk(work, "to-sdf.xml",
                       Task("OSGeo.SHP", e2e::ShpConn(source), "OSGeo.SDF", e2e::SdfConn(sdf), {"Railroad", "Roads"}));
    EXPECT_EQ(e2e::RunCopyTaskOk(
                  work, "to-shp.xml",
                  Task("OSGeo.SDF", e2e::SdfConn(sdf), "OSGeo.SHP", e2e::ShpConn(back), {"Railroad", "Roads"})),
              10);
    for (const char* name : {"Railroad", "Roads"}) {
        SCOPED_TRACE(name);
        e2e::ExpectSameFeatures({source / (std::string(name) + ".shp")}, {back / (std::string(name) + ".shp")});
        EXPECT_TRUE(fs::exists(back / (std::string(name) + ".prj")));
    }
    fs::remove_all(work);
}

TEST(RealDataFailures, ShapeThroughOracleWithSridAndBack) {
    const fs::path work = geoxfer_test::TempDir("e2e-oracle-srid");
    e2e::DbHome home(work / "db");
    const fs::path source = work / "source", back = work / "back";
    fs::create_directories(source);
    fs::create_directories(back);
    const fs::path shp = e2e::MakeShapeFile(source, "Rail", wkbLineString, e2e::MadeLineFields(), e2e::MadeLines(0),
                                            e2e::Wgs84Prj(true));
    const std::string oracle = "Username=gis;Password=secret;Service=E2E;OracleSchema=GIS;";
    e2e::CopyTask in = Task("OSGeo.SHP", e2e::ShpConn(source), "Norv.Oracle", oracle, {"Rail"});
    in.oracleSrid = "8307";
    e2e::RunCopyTaskOk(work, "in.xml", in);
    EXPECT_EQ(e2e::RunCopyTaskOk(work, "out.xml",
                                 Task("Norv.Oracle", oracle, "OSGeo.SHP", e2e::ShpConn(back), {"GIS~RAIL~GEOMETRY"})),
              5);
    e2e::ExpectSameFeatures({shp}, {back / "GIS~RAIL~GEOMETRY.shp"}, {{}, {}, 1e-9, true});
    EXPECT_TRUE(fs::exists(back / "GIS~RAIL~GEOMETRY.prj")) << "SRID 8307 is WGS 84";
    fs::remove_all(work);
}

// A schema file as FDO's own providers and GML tools write them.
constexpr const char* kSchemaFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<fdo:DataStore xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:gml="http://www.opengis.net/gml"
  xmlns:fdo="http://fdo.osgeo.org/schemas" xmlns:fds="http://fdo.osgeo.org/schemas/fds">
<xs:schema xmlns:IBA="http://fdo.osgeo.org/schemas/feature/IBA" targetNamespace="http://fdo.osgeo.org/schemas/feature/IBA"
  elementFormDefault="qualified" attributeFormDefault="unqualified">
  <xs:complexType name="IBA_Base_Type" abstract="true">
    <xs:complexContent><xs:extension base="gml:AbstractFeatureType"><xs:sequence>
      <xs:element name="REMARK" minOccurs="0"><xs:simpleType><xs:restriction base="xs:string">
        <xs:maxLength value="40"/></xs:restriction></xs:simpleType></xs:element>
    </xs:sequence></xs:extension></xs:complexContent></xs:complexType>
  <xs:element name="Site" type="IBA:SiteType" abstract="false" substitutionGroup="gml:_Feature">
    <xs:key name="SiteKey"><xs:selector xpath=".//Site"/><xs:field xpath="FeatId"/></xs:key></xs:element>
  <xs:complexType name="SiteType" abstract="false" fdo:geometryName="Geometry">
    <xs:complexContent><xs:extension base="gml:AbstractFeatureType"><xs:sequence>
      <xs:element name="FeatId" type="xs:int" fdo:readOnly="true" fdo:autogenerated="true"/>
      <xs:element name="DATE.CREATED" type="xs:dateTime" minOccurs="0"/>
      <xs:element name="Geometry" type="gml:AbstractGeometryType" fdo:hasMeasure="false" fdo:hasElevation="false"
        fdo:srsName="World Geodetic Coordinate System, 1984" fdo:geometricTypes="surface "
        fdo:geometryTypes="polygon multipolygon "/>
    </xs:sequence></xs:extension></xs:complexContent></xs:complexType>
</xs:schema>
</fdo:DataStore>
)";

TEST(RealDataFailures, SchemaFileNamingAMissingContextApplies) {
    const fs::path work = geoxfer_test::TempDir("e2e-schema-file");
    const fs::path schema = work / "iba.xml", sdf = work / "iba.sdf", folder = work / "shapes";
    e2e::WriteAll(schema, kSchemaFile);
    fs::create_directories(folder);

    e2e::RunResult create = e2e::RunGXFCmd({"CreateDataStore", "OSGeo.SDF", "File=" + sdf.string()});
    ASSERT_EQ(create.exitCode, 0) << create.out;
    e2e::RunResult toSdf = e2e::RunGXFCmd({"ApplySchema", "OSGeo.SDF", "File=" + sdf.string(), schema.string()});
    EXPECT_EQ(toSdf.exitCode, 0) << toSdf.out;
    e2e::RunResult toShp = e2e::RunGXFCmd({"ApplySchema", "OSGeo.SHP", e2e::ShpConn(folder), schema.string()});
    EXPECT_EQ(toShp.exitCode, 0) << toShp.out;

    // The SDF file has the class (its table, with the forbidden '.' read
    // as '_'), the folder its shape file without .prj.
    e2e::Dataset ds = e2e::OpenVector(sdf);
    OGRLayer* site = e2e::FindLayer(ds.get(), "Site");
    ASSERT_TRUE(site);
    EXPECT_GE(site->GetLayerDefn()->GetFieldIndex("DATE_CREATED"), 0);
    EXPECT_FALSE(e2e::FindLayer(ds.get(), "IBA_Base_")) << "an abstract class has no table";
    EXPECT_TRUE(fs::exists(folder / "Site.shp"));
    EXPECT_FALSE(fs::exists(folder / "Site.prj"));

    // Exported again, the schema is the one applied.
    const fs::path exported = work / "exported.xml";
    e2e::RunResult out = e2e::RunGXFCmd({"ExportSchema", "OSGeo.SDF", "File=" + sdf.string(), exported.string()});
    EXPECT_EQ(out.exitCode, 0) << out.out;
    const std::string text = e2e::ReadAll(exported);
    EXPECT_TRUE(Has(text, "IBA_Base_Type") && Has(text, "DATE_CREATED") &&
                Has(text, "World Geodetic Coordinate System, 1984"))
        << text;
    fs::remove_all(work);
}

TEST(RealDataFailures, ReadOnlyFolderNamesTheCause) {
    const fs::path work = geoxfer_test::TempDir("e2e-read-only");
    const fs::path source = work / "source", locked = work / "locked";
    fs::create_directories(source);
    fs::create_directories(locked);
    e2e::MakeShapeFile(source, "world", wkbLineString, e2e::MadeLineFields(), e2e::MadeLines(0));
    chmod(locked.c_str(), 0555);
    const std::string out =
        e2e::RunCopyTaskFailing(work, "task.xml", Task("OSGeo.SHP", e2e::ShpConn(source), "OSGeo.SHP",
                                                       e2e::ShpConn(locked), {"world"}));
    EXPECT_TRUE(Has(out, "Unable to find Class 'world' in destination!")) << out;
    EXPECT_TRUE(Has(out, "read-only") && Has(out, locked.string())) << out;
    chmod(locked.c_str(), 0755);
    fs::remove_all(work);
}

TEST(RealDataFailures, SdfFileThatCannotBeMadeNamesItsPathWithoutGdalWarnings) {
    const fs::path work = geoxfer_test::TempDir("e2e-no-sdf");
    const fs::path source = work / "source";
    fs::create_directories(source);
    e2e::MakeShapeFile(source, "world", wkbLineString, e2e::MadeLineFields(), e2e::MadeLines(0));
    const std::string impossible = "/proc/geoxfer-no-such-folder/world.sdf";
    const std::string out = e2e::RunCopyTaskFailing(
        work, "task.xml", Task("OSGeo.SHP", e2e::ShpConn(source), "OSGeo.SDF", "File=" + impossible + ";", {"world"}));
    EXPECT_TRUE(Has(out, impossible)) << out;
    EXPECT_FALSE(Has(out, "extension")) << "GDAL's warning leaked: " << out;
    fs::remove_all(work);
}

TEST(RealDataFailures, DamagedDbfFieldTypeNamesClassPropertyAndFeature) {
    const fs::path work = geoxfer_test::TempDir("e2e-damaged-dbf");
    const fs::path source = work / "source";
    fs::create_directories(source);
    e2e::MakeShapeFile(source, "rail", wkbLineString, e2e::MadeLineFields(), e2e::MadeLines(0));
    // The second field (COUNT, numeric) now says it is a date: its
    // descriptor starts at byte 32 + 32, the type byte 11 bytes in.
    const fs::path dbf = source / "rail.dbf";
    std::string bytes = e2e::ReadAll(dbf);
    ASSERT_GT(bytes.size(), 80u);
    ASSERT_EQ(bytes[64 + 11], 'N');
    bytes[64 + 11] = 'D';
    e2e::WriteAll(dbf, bytes);
    const std::string out = e2e::RunCopyTaskFailing(
        work, "task.xml",
        Task("OSGeo.SHP", e2e::ShpConn(source), "OSGeo.SDF", e2e::SdfConn(work / "rail.sdf"), {"rail"}));
    EXPECT_TRUE(Has(out, "COUNT") && Has(out, "class 'rail'") && Has(out, "FeatId=")) << out;
    fs::remove_all(work);
}

TEST(RealDataFailures, RowRefusedByPostGisFailsTheCopyAndNamesTheConstraint) {
    if (e2e::PostGis().empty()) GTEST_SKIP() << "GEOXFER_PG is not set: no PostGIS server (scripts/postgis.sh start)";
    const fs::path work = geoxfer_test::TempDir("e2e-pg-refused");
    // 350 points, the 238th with a code the table does not take: the copy
    // sends it in the third batch of 100.
    const std::string points = "print \"x,y,code\"; for (i = 0; i < 350; i++) printf \"%d,%d,%d\\n\", i, -i, "
                               "i == 237 ? 5000 : i";
    if (!e2e::ShapeFileFromAwk(work, "refused", points,
                               "-oo X_POSSIBLE_NAMES=x -oo Y_POSSIBLE_NAMES=y -oo AUTODETECT_TYPE=YES"))
        GTEST_SKIP() << "awk or ogr2ogr is not available";
    const std::string schema = "e2e_refused_" + std::to_string(getpid());
    ASSERT_TRUE(e2e::RunPgSql("DROP SCHEMA IF EXISTS " + schema + " CASCADE"));
    ASSERT_TRUE(e2e::RunPgSql("CREATE SCHEMA " + schema));
    ASSERT_TRUE(e2e::RunPgSql("CREATE TABLE " + schema + ".refused (\"FeatId\" serial PRIMARY KEY, code integer "
                              "CONSTRAINT refused_code_below_1000 CHECK (code < 1000), \"Geometry\" geometry(Point))"));
    e2e::CopyTask task = Task("OSGeo.SHP", e2e::ShpConn(work / "refused.shp"), "OSGeo.OGR",
                              "DataSource=" + e2e::PostGis() + " active_schema=" + schema + ";ReadOnly=FALSE",
                              {"refused"});
    task.executeApplySchema = false;
    task.createSpatialContext = false;
    const std::string out = e2e::RunCopyTaskFailing(work, "task.xml", task);
    EXPECT_FALSE(Has(out, "Copy no errors")) << out;
    EXPECT_TRUE(Has(out, "refused_code_below_1000") && Has(out, "class 'refused'")) << out;
    // Only the refusal, not its echo in the statements after it: the runner
    // prints 500 characters, and the copy context must fit in them.
    EXPECT_FALSE(Has(out, "transaction is aborted")) << out;
    EXPECT_TRUE(Has(out, "(copying class 'refused' into class 'refused', at source feature FeatId=")) << out;
    // The batch that held the refused row did not arrive.
    GDALAllRegister();
    GDALDatasetH pg = GDALOpenEx(e2e::PostGis().c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
    ASSERT_NE(pg, nullptr);
    OGRLayerH rows = GDALDatasetExecuteSQL(
        pg, ("SELECT count(*) FROM " + schema + ".refused WHERE code >= 200").c_str(), nullptr, nullptr);
    ASSERT_NE(rows, nullptr);
    OGRFeatureH f = OGR_L_GetNextFeature(rows);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(OGR_F_GetFieldAsInteger64(f, 0), 0);
    OGR_F_Destroy(f);
    GDALDatasetReleaseResultSet(pg, rows);
    GDALClose(pg);
    EXPECT_TRUE(e2e::RunPgSql("DROP SCHEMA " + schema + " CASCADE"));
    fs::remove_all(work);
}

}  // namespace
