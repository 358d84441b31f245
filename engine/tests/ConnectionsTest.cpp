// Provider detection, command support, the Oracle property getters and the
// connection and file helpers, on fake connections that report the names
// real providers register.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/FDO_MiscUtil.h>

#include "FakeProvider.h"
#include "TestData.h"

#include <fstream>

namespace {

FdoPtr<FdoIConnection> Fake(FdoString* name, std::initializer_list<FdoString*> extra = {}) {
    return fake::Connection::Create(name, extra);
}

FdoIConnection* CreateEngineFake() { return fake::Connection::Create(L"Test.Engine.1.0"); }

struct Registered {
    Registered() {
        FdoProviderRegistry::RegisterBuiltIn(L"Test.Engine.1.0", L"Engine fake", L"Fake provider for engine tests",
                                             L"1.0", L"4.2.0.0", &CreateEngineFake);
    }
};

}  // namespace

TEST(ProviderKinds, SdfAndShpIgnoreCaseAndVersion) {
    EXPECT_TRUE(c_FDO_Api::IsSdfProvider(Fake(L"OSGeo.SDF.3.9")));
    EXPECT_TRUE(c_FDO_Api::IsSdfProvider(Fake(L"osgeo.sdf.3.9")));
    EXPECT_FALSE(c_FDO_Api::IsSdfProvider(Fake(L"OSGeo.SHP.3.9")));
    EXPECT_TRUE(c_FDO_Api::IsShpProvider(Fake(L"OSGeo.SHP.4.2")));
    EXPECT_TRUE(c_FDO_Api::IsShpProvider(Fake(L"osgeo.Shp.4.2")));
}

TEST(ProviderKinds, MakersProvidersNeedExactCase) {
    EXPECT_TRUE(c_FDO_Api::IsNorvOracleProvider(Fake(L"Norv.Oracle.3.2")));
    EXPECT_FALSE(c_FDO_Api::IsNorvOracleProvider(Fake(L"NORV.ORACLE.3.2")));
    EXPECT_TRUE(c_FDO_Api::IsNorvMssProvider(Fake(L"Norv.MsSqlSpatial.1.0")));
    EXPECT_FALSE(c_FDO_Api::IsNorvMssProvider(Fake(L"Norv.MSSQLSpatial.1.0")));
    EXPECT_TRUE(c_FDO_Api::IsNorvInformixProvider(Fake(L"Norv.Informix.1.0")));
    EXPECT_FALSE(c_FDO_Api::IsNorvInformixProvider(Fake(L"norv.informix.1.0")));
    EXPECT_FALSE(c_FDO_Api::IsNorvOracleProvider(nullptr));
}

TEST(ProviderKinds, SupportCommandFollowsCapabilities) {
    auto c = Fake(L"OSGeo.SDF.3.9");
    EXPECT_TRUE(c_FDO_Api::GetSupportCommand(c, FdoCommandType_GetSchemaNames));
    EXPECT_FALSE(c_FDO_Api::GetSupportCommand(c, FdoCommandType_DescribeSchema));
}

TEST(ProviderKinds, OraclePropertiesOnlyFromOracle) {
    auto sdf = Fake(L"OSGeo.SDF.3.9");
    FdoStringP value(L"unchanged");
    EXPECT_FALSE(c_FDO_Api::NorvOracleProvider_GetProperty_OracleSchema(sdf, value));
    EXPECT_EQ(value, FdoStringP(L"unchanged"));

    auto ora = Fake(L"Norv.Oracle.3.2", {L"OracleSchema", L"NorvFdoClass"});
    ora->SetConnectionString(L"File=x;OracleSchema=GIS;NorvFdoClass=MAPPING;");
    EXPECT_TRUE(c_FDO_Api::NorvOracleProvider_GetProperty_OracleSchema(ora, value));
    EXPECT_EQ(value, FdoStringP(L"GIS"));
    EXPECT_TRUE(c_FDO_Api::NorvOracleProvider_GetProperty_NorvFdoClass(ora, value));
    EXPECT_EQ(value, FdoStringP(L"MAPPING"));
    ora->SetConnectionString(L"File=x;");
    EXPECT_TRUE(c_FDO_Api::NorvOracleProvider_GetProperty_NorvFdoClass(ora, value));
    EXPECT_EQ(value, FdoStringP(L""));  // empty: no table set
}

TEST(TestConnection, UnknownProviderCannotBeCreated) {
    FdoStringP message;
    EXPECT_FALSE(c_FDO_MiscUtil::TestConnection(L"Nobody.Nothing.1.0", L"File=x", message));
    EXPECT_EQ(message, FdoStringP(L"Unable to Create FDO Connection"));
}

TEST(TestConnection, OpensOrReportsTheProvidersMessage) {
    static Registered once;
    FdoStringP message(L"untouched");
    EXPECT_TRUE(c_FDO_MiscUtil::TestConnection(L"Test.Engine", L"File=a.sdf", message));
    EXPECT_EQ(message, FdoStringP(L"untouched"));
    // No File: the provider refuses to open and its message is passed on.
    EXPECT_FALSE(c_FDO_MiscUtil::TestConnection(L"Test.Engine.1.0", L"", message));
    EXPECT_NE(message, FdoStringP(L"untouched"));
    EXPECT_FALSE(message.IsEmpty());
    EXPECT_EQ(fake::Connection::alive, 0);  // released on every path
}

TEST(ParseProperty, FindsValuesIgnoringCase) {
    FdoStringP value(L"keep");
    EXPECT_TRUE(c_FDO_MiscUtil::ParsePropertyFromString(L"File=/data/roads.sdf;ReadOnly=FALSE", L"File", value));
    EXPECT_EQ(value, FdoStringP(L"/data/roads.sdf"));
    EXPECT_TRUE(c_FDO_MiscUtil::ParsePropertyFromString(L"file=\"a;b.sdf\"", L"FILE", value));
    EXPECT_EQ(value, FdoStringP(L"a;b.sdf"));
    value = L"keep";
    EXPECT_FALSE(c_FDO_MiscUtil::ParsePropertyFromString(L"File=", L"File", value));
    EXPECT_FALSE(c_FDO_MiscUtil::ParsePropertyFromString(L"Other=1", L"File", value));
    EXPECT_EQ(value, FdoStringP(L"keep"));
}

TEST(Files, ExistsAndDelete) {
    auto dir = geoxfer_test::TempDir("engine-files");
    auto file = dir / "Stra\xc3\x9f" "e.sdf";
    EXPECT_FALSE(c_FDO_MiscUtil::FileExists(file.c_str()));
    EXPECT_FALSE(c_FDO_MiscUtil::FileDelete(FdoStringP(file.c_str())));
    std::ofstream(file) << "x";
    EXPECT_TRUE(c_FDO_MiscUtil::FileExists(file.c_str()));
    EXPECT_TRUE(c_FDO_MiscUtil::FileDelete(FdoStringP(file.c_str())));
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_FALSE(c_FDO_MiscUtil::FileExists(nullptr));
    std::filesystem::remove_all(dir);
}
