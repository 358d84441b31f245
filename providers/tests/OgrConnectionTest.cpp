// OSGeo.OGR connections: properties, capabilities that follow the driver,
// and bad data sources (a missing file, text GDAL cannot open, a database
// server that is down) failing fast with the data source named.
#include "OgrProviderTestSupport.h"

#include <chrono>
#include <fstream>

namespace {

using namespace ogrptest;

std::string OpenError(const FdoStringP& connection) {
    FdoPtr<FdoIConnection> c = Connect(L"OSGeo.OGR", connection, false);
    return ErrorOf([&] { c->Open(); });
}

std::vector<FdoDataType> DataTypes(FdoIConnection* c) {
    FdoPtr<FdoISchemaCapabilities> caps = c->GetSchemaCapabilities();
    FdoInt32 n = 0;
    FdoDataType* types = caps->GetDataTypes(n);
    return std::vector<FdoDataType>(types, types + n);
}

TEST(OgrConnection, PropertiesAndCapabilities) {
    fs::path dir = geoxfer_test::TempDir("ogr-caps");
    FdoPtr<FdoIConnection> c =
        Connect(L"OSGeo.OGR", FdoStringP(L"DataSource=") + Text(dir / "new.gpkg") + L";ReadOnly=FALSE");
    FdoPtr<FdoIConnectionInfo> info = c->GetConnectionInfo();
    EXPECT_NE(std::wstring(info->GetProviderName()).find(L"OSGeo.OGR"), std::wstring::npos);
    std::vector<FdoDataType> types = DataTypes(c);
    for (FdoDataType t : {FdoDataType_Int32, FdoDataType_Int64, FdoDataType_Double, FdoDataType_String,
                          FdoDataType_DateTime, FdoDataType_BLOB, FdoDataType_Boolean})
        EXPECT_NE(std::find(types.begin(), types.end(), t), types.end()) << "GeoPackage keeps type " << t;
    c->Close();
    EXPECT_FALSE(fs::exists(dir / "new.gpkg")) << "nothing was written, so nothing is created";

    // A read-only connection offers no writing commands.
    SAMPLE_DATA_OR_SKIP("sf/gpkg");
    FdoPtr<FdoIConnection> ro = Connect(
        L"OSGeo.OGR", FdoStringP(L"DataSource=") + Text(geoxfer_test::SampleDataDir() / "sf/gpkg/b_pump.gpkg") +
                          L";ReadOnly=TRUE");
    FdoPtr<FdoICommandCapabilities> cc = ro->GetCommandCapabilities();
    FdoInt32 n = 0;
    FdoInt32* commands = cc->GetCommands(n);
    std::vector<FdoInt32> list(commands, commands + n);
    EXPECT_EQ(std::find(list.begin(), list.end(), FdoCommandType_Insert), list.end());
    EXPECT_NE(std::find(list.begin(), list.end(), FdoCommandType_Select), list.end());
    EXPECT_FALSE(ErrorOf([&] { FdoPtr<FdoICommand> i = ro->CreateCommand(FdoCommandType_ApplySchema); }).empty());
}

TEST(OgrConnection, BadDataSourcesAreNamed) {
    fs::path dir = geoxfer_test::TempDir("ogr-bad");
    std::string e = OpenError(FdoStringP(L"DataSource=") + Text(dir / "missing.gpkg") + L";ReadOnly=TRUE");
    EXPECT_NE(e.find("missing.gpkg"), std::string::npos) << e;
    e = OpenError(FdoStringP(L"DataSource=") + Text(dir / "nofolder/x.gpkg"));
    EXPECT_NE(e.find("nofolder/x.gpkg"), std::string::npos) << e;
    e = OpenError(FdoStringP(L"DataSource=") + Text(dir / "x.unknownformat"));
    EXPECT_NE(e.find("x.unknownformat"), std::string::npos) << e;
    std::ofstream(dir / "junk.gpkg") << "not a database";
    e = OpenError(FdoStringP(L"DataSource=") + Text(dir / "junk.gpkg"));
    EXPECT_NE(e.find("junk.gpkg"), std::string::npos) << e;
    e = OpenError(L"DataSource=NoSuchDriver:whatever");
    EXPECT_NE(e.find("NoSuchDriver:whatever"), std::string::npos) << e;
    e = OpenError(L"ReadOnly=TRUE");
    EXPECT_FALSE(e.empty());
}

TEST(OgrConnection, ADatabaseServerThatIsDownFailsFast) {
    // Port 1 on loopback: nothing listens there, the connection is refused.
    auto start = std::chrono::steady_clock::now();
    std::string e = OpenError(L"DataSource=PG:host=127.0.0.1 port=1 dbname=nothing user=nobody");
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - start).count();
    EXPECT_NE(e.find("PG:host=127.0.0.1 port=1"), std::string::npos) << e;
    EXPECT_LT(seconds, 15);
}

TEST(OgrConnection, PostGisTablesAreClassesWithTheirSystems) {
    POSTGIS_OR_SKIP();
    FdoPtr<FdoIConnection> c = Connect(L"OSGeo.OGR", FdoStringP(L"DataSource=") + FdoStringP(PostGis().c_str()));
    FdoPtr<FdoIGetSchemaNames> names = shptest::Command<FdoIGetSchemaNames>(c, FdoCommandType_GetSchemaNames);
    FdoPtr<FdoStringCollection> list = names->Execute();
    ASSERT_EQ(list->GetCount(), 1);
    EXPECT_STREQ(list->GetString(0), L"OGRSchema");
    std::vector<FdoDataType> types = DataTypes(c);
    EXPECT_NE(std::find(types.begin(), types.end(), FdoDataType_Int64), types.end());
}

}  // namespace
