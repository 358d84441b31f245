// Copy tasks through the embedded database stand-ins, run by the real
// GXFCmd binary: a shape file into Norv.Oracle with Oracle SRID 8307 and
// on into an SDF file (the class found as OWNER~TABLE~GEOMETRY by its
// table name), and a shape file into Norv.Informix and back out to a shape
// file. Each result is compared feature by feature with GDAL reading the
// source; the SRID stored with every geometry is checked through SQL.
#include "E2ESupport.h"

#include <Fdo.h>

namespace {

namespace fs = std::filesystem;

using e2e::DbHome;

// A copy task file with Oracle_SRID set.
fs::path WriteTask(const fs::path& file, e2e::CopyTask task, const std::string& oracleSrid) {
    task.oracleSrid = oracleSrid;
    return e2e::WriteCopyTask(file, task);
}

long RunOk(const fs::path& file) {
    e2e::RunResult run = e2e::RunGXFCmd({"CopyTask", file.string()});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    const std::string marker = "Copy no errors. Copied ";
    const auto at = run.out.find(marker);
    if (at == std::string::npos) {
        ADD_FAILURE() << "no success text in: " << run.out << run.err;
        return -1;
    }
    return std::stol(run.out.substr(at + marker.size()));
}

std::vector<std::wstring> DistinctSrids(const std::wstring& provider, const std::wstring& conn, const std::wstring& sql) {
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> c = manager->CreateConnection(provider.c_str());
    c->SetConnectionString(conn.c_str());
    c->Open();
    FdoPtr<FdoISQLCommand> cmd = static_cast<FdoISQLCommand*>(c->CreateCommand(FdoCommandType_SQLCommand));
    cmd->SetSQLStatement(sql.c_str());
    FdoPtr<FdoISQLDataReader> r = cmd->ExecuteReader();
    std::vector<std::wstring> out;
    while (r->ReadNext()) out.push_back(r->IsNull(L"SRID") ? L"NULL" : r->GetString(L"SRID"));
    r->Close();
    c->Close();
    return out;
}

}  // namespace

TEST(NorvCopy, ShapeToOracleWithSrid8307ThenToSdf) {
    SAMPLE_DATA_OR_SKIP("sf/shape/nc.shp");
    const fs::path shp = geoxfer_test::SampleDataDir() / "sf/shape/nc.shp";
    const fs::path work = geoxfer_test::TempDir("e2e-norv-oracle");
    DbHome home(work / "db");
    const std::string oracle = "Username=gis;Password=secret;Service=E2E;OracleSchema=GIS;";

    e2e::CopyTask toOracle;
    toOracle.sourceConn = e2e::ShpConn(shp);
    toOracle.destProvider = "Norv.Oracle";
    toOracle.destConn = oracle;
    toOracle.classes = {{"nc", "nc", "", {}}};
    const long expected = e2e::FeatureCount({shp, "nc"});
    ASSERT_EQ(expected, 100);
    EXPECT_EQ(RunOk(WriteTask(work / "to-oracle.xml", toOracle, "8307")), expected);

    // Every geometry went in with SRID 8307.
    std::wstring conn(oracle.begin(), oracle.end());
    EXPECT_EQ(DistinctSrids(L"Norv.Oracle", conn, L"SELECT distinct a.GEOMETRY.sdo_srid as SRID from GIS.NC a"),
              (std::vector<std::wstring>{L"8307"}));

    // Out again: the Oracle class is named after owner, table and geometry.
    const fs::path sdf = work / "nc.sdf";
    e2e::CopyTask toSdf;
    toSdf.sourceProvider = "Norv.Oracle";
    toSdf.sourceConn = oracle;
    toSdf.destConn = e2e::SdfConn(sdf);
    toSdf.classes = {{"GIS~NC~GEOMETRY", "GIS~NC~GEOMETRY", "", {}}};
    EXPECT_EQ(RunOk(WriteTask(work / "to-sdf.xml", toSdf, "")), expected);
    e2e::ExpectSameFeatures({shp, "nc"}, {sdf, "GIS~NC~GEOMETRY"});

    // A second run into Oracle, without applying a schema, finds the class
    // by its table name alone (the row it copies was deleted first: the key
    // would refuse a duplicate).
    {
        FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
        FdoPtr<FdoIConnection> c = manager->CreateConnection(L"Norv.Oracle");
        c->SetConnectionString(conn.c_str());
        c->Open();
        FdoPtr<FdoISQLCommand> cmd = static_cast<FdoISQLCommand*>(c->CreateCommand(FdoCommandType_SQLCommand));
        cmd->SetSQLStatement(L"DELETE GIS.NC WHERE NAME = 'Ashe'");
        EXPECT_EQ(cmd->ExecuteNonQuery(), 1);
        c->Close();
    }
    e2e::CopyTask again = toOracle;
    again.executeApplySchema = false;
    again.classes = {{"nc", "nc", "NAME = 'Ashe'", {}}};
    EXPECT_EQ(RunOk(WriteTask(work / "again.xml", again, "8307")), 1);
    fs::remove_all(work);
}

TEST(NorvCopy, ShapeToInformixAndBackToShape) {
    const fs::path shp = geoxfer_test::SharedDataDir() / "shp/Sheboygan/CityLimits.shp";
    SHARED_DATA_OR_SKIP("shp/Sheboygan/CityLimits.shp");
    const fs::path work = geoxfer_test::TempDir("e2e-norv-informix");
    DbHome home(work / "db");
    const std::string name = shp.stem().string();

    e2e::CopyTask toInformix;
    toInformix.sourceConn = e2e::ShpConn(shp);
    toInformix.destProvider = "Norv.Informix";
    toInformix.destConn = "DSN=e2e;";
    toInformix.classes = {{name, name, "", {}}};
    const long expected = e2e::FeatureCount({shp, name});
    ASSERT_GT(expected, 0);
    EXPECT_EQ(RunOk(WriteTask(work / "to-informix.xml", toInformix, "")), expected);

    const fs::path back = work / "back";
    fs::create_directories(back);
    e2e::CopyTask toShp;
    toShp.sourceProvider = "Norv.Informix";
    toShp.sourceConn = "DSN=e2e;";
    toShp.destProvider = "OSGeo.SHP";
    toShp.destConn = e2e::ShpConn(back);
    toShp.classes = {{name, name, "", {}}};
    EXPECT_EQ(RunOk(WriteTask(work / "to-shp.xml", toShp, "")), expected);
    e2e::ExpectSameFeatures({shp, name}, {back / (name + ".shp"), name});
    fs::remove_all(work);
}
