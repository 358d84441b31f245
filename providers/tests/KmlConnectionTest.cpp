// Norv.KML connections: the properties of its connection string, the one
// spatial context, honest capabilities, and bad connections that fail at
// once with a message naming the file.
#include "OgrProviderTestSupport.h"

#include <fstream>

namespace {

using namespace ogrptest;

std::string OpenError(const FdoStringP& connection) {
    FdoPtr<FdoIConnection> c = Connect(L"Norv.KML", connection, false);
    return ErrorOf([&] { c->Open(); });
}

TEST(KmlConnection, RegisteredWithFileAndReadOnlyProperties) {
    FdoPtr<FdoIConnection> c = Connect(L"Norv.KML", L"File=/tmp/x.kml;ReadOnly=FALSE;", false);
    FdoPtr<FdoIConnectionInfo> info = c->GetConnectionInfo();
    EXPECT_NE(std::wstring(info->GetProviderName()).find(L"Norv.KML"), std::wstring::npos);
    FdoPtr<FdoIConnectionPropertyDictionary> props = info->GetConnectionProperties();
    EXPECT_STREQ(props->GetProperty(L"File"), L"/tmp/x.kml");
    EXPECT_STREQ(props->GetProperty(L"ReadOnly"), L"FALSE");
    FdoPtr<FdoICommandCapabilities> caps = c->GetCommandCapabilities();
    FdoInt32 n = 0;
    FdoInt32* commands = caps->GetCommands(n);
    std::vector<FdoInt32> list(commands, commands + n);
    for (FdoInt32 want : {FdoCommandType_Select, FdoCommandType_Insert, FdoCommandType_ApplySchema,
                          FdoCommandType_CreateDataStore, FdoCommandType_CreateSpatialContext})
        EXPECT_NE(std::find(list.begin(), list.end(), want), list.end()) << want;
    FdoPtr<FdoISchemaCapabilities> schema = c->GetSchemaCapabilities();
    FdoDataType* types = schema->GetDataTypes(n);
    std::vector<FdoDataType> typeList(types, types + n);
    EXPECT_NE(std::find(typeList.begin(), typeList.end(), FdoDataType_String), typeList.end());
    EXPECT_EQ(std::find(typeList.begin(), typeList.end(), FdoDataType_BLOB), typeList.end());
}

TEST(KmlConnection, MissingFilesAndFoldersAreNamed) {
    fs::path dir = geoxfer_test::TempDir("kml-bad");
    fs::path missing = dir / "missing.kml";
    std::string e = OpenError(FdoStringP(L"File=") + Text(missing) + L";ReadOnly=TRUE;");
    EXPECT_NE(e.find("missing.kml"), std::string::npos) << e;
    EXPECT_NE(e.find("does not exist"), std::string::npos) << e;
    e = OpenError(FdoStringP(L"File=") + Text(dir / "no/such/folder/a.kml") + L";ReadOnly=FALSE;");
    EXPECT_NE(e.find("no/such/folder/a.kml"), std::string::npos) << e;
    e = OpenError(L"ReadOnly=FALSE;");
    EXPECT_FALSE(e.empty());
}

TEST(KmlConnection, AFileThatIsNotKmlIsRefused) {
    fs::path dir = geoxfer_test::TempDir("kml-notkml");
    fs::path bad = dir / "garbage.kml";
    std::ofstream(bad) << "this is not a KML document";
    std::string e = OpenError(FdoStringP(L"File=") + Text(bad) + L";");
    EXPECT_NE(e.find("garbage.kml"), std::string::npos) << e;
}

TEST(KmlConnection, AMissingWritableFileOpensEmptyAndIsCreatedOnlyWhenWritten) {
    fs::path dir = geoxfer_test::TempDir("kml-lazy");
    fs::path kml = dir / "later.kml";
    FdoPtr<FdoIConnection> c = Connect(L"Norv.KML", FdoStringP(L"File=") + Text(kml) + L";ReadOnly=FALSE;");
    FdoPtr<FdoIGetSpatialContexts> gsc = shptest::Command<FdoIGetSpatialContexts>(c, FdoCommandType_GetSpatialContexts);
    FdoPtr<FdoISpatialContextReader> r = gsc->Execute();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetName(), L"WGS84");
    EXPECT_NE(std::wstring(r->GetCoordinateSystemWkt()).find(L"WGS 84"), std::wstring::npos);
    EXPECT_FALSE(r->ReadNext());
    FdoPtr<FdoIGetClassNames> names = shptest::Command<FdoIGetClassNames>(c, FdoCommandType_GetClassNames);
    FdoPtr<FdoStringCollection> list = names->Execute();
    EXPECT_EQ(list->GetCount(), 0);
    c->Close();
    EXPECT_FALSE(fs::exists(kml));
}

TEST(KmlConnection, ReadOnlyConnectionRefusesWrites) {
    SAMPLE_DATA_OR_SKIP("spData/shapes");
    fs::path dir = geoxfer_test::TempDir("kml-ro");
    fs::path kml = dir / "ny8.kml";
    std::string command = "ogr2ogr -f LIBKML '" + kml.string() + "' '" + Ny8().string() + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    FdoPtr<FdoIConnection> c = Connect(L"Norv.KML", FdoStringP(L"File=") + Text(kml) + L";ReadOnly=TRUE;");
    std::string e = ErrorOf([&] { FdoPtr<FdoICommand> i = c->CreateCommand(FdoCommandType_Insert); });
    EXPECT_FALSE(e.empty());
    std::string before = shptest::ReadText(kml);
    c->Close();
    EXPECT_EQ(shptest::ReadText(kml), before);
}

}  // namespace
