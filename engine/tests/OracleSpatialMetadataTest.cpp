// Oracle spatial metadata through the engine operations, against the
// embedded Norv.Oracle store: writing and reading dimension arrays and
// SRIDs, listing and deleting metadata rows, the extent of real shape-file
// geometries and the SRIDs the stored geometries carry.
#include <GeoxferApi/DimInfoData.h>
#include <GeoxferApi/FDO_Api.h>

#include "DbToolsTestSupport.h"

#include <tuple>

using namespace dbtest;

namespace {

FdoPtr<c_DimInfoDataCollection> Dims(std::initializer_list<std::tuple<FdoString*, double, double, double>> list) {
    FdoPtr<c_DimInfoDataCollection> dims = c_DimInfoDataCollection::Create();
    for (auto& [name, lb, ub, tol] : list) {
        FdoPtr<c_DimInfoData> d = new c_DimInfoData(name, lb, ub, tol);
        dims->Add(d);
    }
    return dims;
}

FdoPtr<c_DimInfoDataCollection> LonLat() { return Dims({{L"X", -180, 180, 0.05}, {L"Y", -90, 90, 0.05}}); }

}  // namespace

TEST(OracleSpatialMetadata, NullDimensionsSendNothing) {
    EXPECT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(nullptr, L"GIS", L"T", L"G", nullptr, 8307), 0);
}

class OracleSpatialMetadataTest : public OracleDbTest {
protected:
    void SetUp() override {
        OracleDbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        Exec(m_ora, L"CREATE TABLE GIS.ISLANDS (ID NUMBER(10), GEOM MDSYS.SDO_GEOMETRY)");
    }

    int ReadDims(FdoString* table, c_DimInfoDataCollection* dims, long& srid) {
        return c_FDO_Api::NorvOracle_GetMetadataDimInfo(m_ora, L"GIS", table, L"GEOM", dims, srid);
    }
};

TEST_F(OracleSpatialMetadataTest, WritesThenReadsTheDimensionArray) {
    FdoPtr<FdoStringCollection> without = FdoStringCollection::Create();
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetTablesWithSdoGeometry(m_ora, L"GIS", without), 1);
    EXPECT_EQ(Strings(without), (std::vector<std::wstring>{L"GIS", L"ISLANDS", L"GEOM"}));

    // No row yet: an insert, names upper-cased by the database.
    FdoPtr<c_DimInfoDataCollection> dims = LonLat();
    EXPECT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"gis", L"islands", L"geom", dims, 8307), 1);

    FdoPtr<c_DimInfoDataCollection> read = c_DimInfoDataCollection::Create();
    long srid = -5;
    ASSERT_EQ(ReadDims(L"ISLANDS", read, srid), 2);
    EXPECT_EQ(srid, 8307);
    FdoPtr<c_DimInfoData> x = read->GetItem(0), y = read->GetItem(1);
    EXPECT_EQ(x->m_DimName, FdoStringP(L"X"));
    EXPECT_EQ(x->m_LowerBound, -180);
    EXPECT_EQ(x->m_UpperBound, 180);
    EXPECT_EQ(x->m_Tolerance, 0.05);
    EXPECT_EQ(y->m_DimName, FdoStringP(L"Y"));
    EXPECT_EQ(y->m_LowerBound, -90);

    // Bound names are compared exactly: lower case finds nothing.
    srid = -5;
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetMetadataDimInfo(m_ora, L"gis", L"islands", L"geom", read, srid), 0);
    EXPECT_EQ(srid, -5);
    EXPECT_EQ(read->GetCount(), 2);

    without->Clear();
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetTablesWithSdoGeometry(m_ora, L"GIS", without), 0);
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetTablesWithSdoGeometry(m_ora, nullptr, without), 0);
}

TEST_F(OracleSpatialMetadataTest, SridZeroOrLessIsStoredAsNullAndUpdatesTheRow) {
    FdoPtr<c_DimInfoDataCollection> dims = LonLat();
    ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"GIS", L"ISLANDS", L"GEOM", dims, 8307), 1);
    for (long written : {0L, -1L}) {
        EXPECT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"GIS", L"ISLANDS", L"GEOM", dims, written), 1);
        auto rows = Rows(m_ora, L"SELECT SRID FROM all_sdo_geom_metadata WHERE owner='GIS' AND table_name='ISLANDS'");
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0][0], L"<null>");
        FdoPtr<c_DimInfoDataCollection> read = c_DimInfoDataCollection::Create();
        long srid = 99;
        EXPECT_EQ(ReadDims(L"ISLANDS", read, srid), 2);
        EXPECT_EQ(srid, 0);
    }
    FdoPtr<c_DimInfoDataCollection> three = Dims({{L"X", 0, 10, 0.5}, {L"Y", 0, 20, 0.5}, {L"Z", -1, 1, 0.001}});
    EXPECT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"GIS", L"ISLANDS", L"GEOM", three, 4326), 1);
    FdoPtr<c_DimInfoDataCollection> read = c_DimInfoDataCollection::Create();
    long srid = 0;
    EXPECT_EQ(ReadDims(L"ISLANDS", read, srid), 3);
    EXPECT_EQ(srid, 4326);
    EXPECT_EQ(CountRows(m_ora, L"all_sdo_geom_metadata"), 1);
}

TEST_F(OracleSpatialMetadataTest, WritingTwiceFromLowerCaseNamesUpdatesTheOneRow) {
    FdoPtr<c_DimInfoDataCollection> dims = LonLat();
    ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"gis", L"islands", L"geom", dims, 8307), 1);
    FdoPtr<c_DimInfoDataCollection> other = Dims({{L"X", 0, 1, 0.5}, {L"Y", 0, 2, 0.5}});
    EXPECT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"gis", L"islands", L"geom", other, 4326), 1);
    EXPECT_EQ(CountRows(m_ora, L"all_sdo_geom_metadata"), 1);
    FdoPtr<c_DimInfoDataCollection> read = c_DimInfoDataCollection::Create();
    long srid = 0;
    ASSERT_EQ(ReadDims(L"ISLANDS", read, srid), 2);
    EXPECT_EQ(srid, 4326);
    FdoPtr<c_DimInfoData> y = read->GetItem(1);
    EXPECT_EQ(y->m_UpperBound, 2);
}

TEST_F(OracleSpatialMetadataTest, NumbersKeepSixSignificantDigitsAndNamesTheirQuotes) {
    FdoPtr<c_DimInfoDataCollection> dims = Dims({{L"Easting (it's X)", 1234567.89, 7654321.5, 0.0005},
                                                 {L"Northing", -0.25, 1e-7, 0.05}});
    ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"GIS", L"ISLANDS", L"GEOM", dims, 0), 1);
    FdoPtr<c_DimInfoDataCollection> read = c_DimInfoDataCollection::Create();
    long srid = 0;
    ASSERT_EQ(ReadDims(L"ISLANDS", read, srid), 2);
    FdoPtr<c_DimInfoData> e = read->GetItem(0), n = read->GetItem(1);
    EXPECT_EQ(e->m_DimName, FdoStringP(L"Easting (it's X)"));
    EXPECT_EQ(e->m_LowerBound, 1234570);  // "1.23457e+06"
    EXPECT_EQ(e->m_UpperBound, 7654320);
    EXPECT_DOUBLE_EQ(e->m_Tolerance, 0.0005);
    EXPECT_EQ(n->m_LowerBound, -0.25);
    EXPECT_DOUBLE_EQ(n->m_UpperBound, 1e-7);
}

TEST_F(OracleSpatialMetadataTest, ListsByOwnerOrEveryOwnerButMdsys) {
    Exec(m_ora, L"CREATE TABLE GIS.ROADS (ID NUMBER(10), GEOM MDSYS.SDO_GEOMETRY)");
    FdoIConnection* hydro = ConnectAs(L"HYDRO");
    ASSERT_NE(hydro, nullptr);
    Exec(hydro, L"CREATE TABLE HYDRO.LAKES (ID NUMBER(10), SHAPE MDSYS.SDO_GEOMETRY)");
    FdoPtr<c_DimInfoDataCollection> dims = LonLat();
    ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"GIS", L"ROADS", L"GEOM", dims, 8307), 1);
    ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"GIS", L"ISLANDS", L"GEOM", dims, 0), 1);
    ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(hydro, L"HYDRO", L"LAKES", L"SHAPE", dims, 4326), 1);
    // A row of the system owner, which the listing of every owner leaves out.
    ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"MDSYS", L"SYSTEM_T", L"GEOM", dims, 0), 1);

    FdoPtr<FdoStringCollection> list = FdoStringCollection::Create();
    list->Add(FdoStringP(L"kept"));
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetTablesInSdoMetadata(m_ora, L"GIS", list), 2);
    // A NULL SRID is listed as "NULL", the text the SRID search also uses.
    EXPECT_EQ(Strings(list), (std::vector<std::wstring>{L"kept", L"GIS", L"ISLANDS", L"GEOM", L"NULL", L"GIS",
                                                         L"ROADS", L"GEOM", L"8307"}));
    list->Clear();
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetTablesInSdoMetadata(m_ora, L"", list), 3);
    auto all = Strings(list);
    ASSERT_EQ(all.size(), 12u);
    EXPECT_EQ(all[0], L"GIS");
    EXPECT_EQ(all[1], L"ISLANDS");
    EXPECT_EQ(all[5], L"ROADS");
    EXPECT_EQ(all[8], L"HYDRO");
    EXPECT_EQ(all[11], L"4326");
    for (size_t i = 0; i < all.size(); i += 4) EXPECT_NE(all[i], L"MDSYS");
}

TEST_F(OracleSpatialMetadataTest, DeleteUpperCasesTheNamesAndQuotesCannotWidenIt) {
    Exec(m_ora, L"CREATE TABLE GIS.ROADS (ID NUMBER(10), GEOM MDSYS.SDO_GEOMETRY)");
    FdoPtr<c_DimInfoDataCollection> dims = LonLat();
    ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"GIS", L"ROADS", L"GEOM", dims, 8307), 1);
    ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"GIS", L"ISLANDS", L"GEOM", dims, 8307), 1);

    EXPECT_EQ(c_FDO_Api::NorvOracle_DeleteSdoMetadata(m_ora, L"gis' OR '1'='1", L"roads", L"geom"), 0);
    EXPECT_EQ(c_FDO_Api::NorvOracle_DeleteSdoMetadata(m_ora, L"gis", L"roads' OR 'a'='a", L"geom"), 0);
    EXPECT_EQ(CountRows(m_ora, L"all_sdo_geom_metadata"), 2);
    EXPECT_EQ(c_FDO_Api::NorvOracle_DeleteSdoMetadata(m_ora, L"gis", L"roads", L"geom"), 1);
    EXPECT_EQ(c_FDO_Api::NorvOracle_DeleteSdoMetadata(m_ora, L"gis", L"roads", L"geom"), 0);
    FdoPtr<FdoStringCollection> list = FdoStringCollection::Create();
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetTablesInSdoMetadata(m_ora, L"GIS", list), 1);
    EXPECT_EQ(Strings(list)[1], L"ISLANDS");
}

TEST_F(OracleSpatialMetadataTest, ExtentOfRealShapeFileGeometries) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan/Islands.shp");
    double mbr[8];
    for (double& v : mbr) v = 12345;
    long dimensions = 77;
    // No geometry yet: the aggregate is null and nothing is written.
    EXPECT_FALSE(c_FDO_Api::NorvOracle_GetGeometriesMBR(m_ora, L"GIS", L"ISLANDS", L"GEOM", mbr, dimensions));
    EXPECT_EQ(dimensions, 77);
    EXPECT_EQ(mbr[0], 12345);

    Loaded loaded = LoadShapeFeatures(geoxfer_test::SharedDataDir() / "shp/Sheboygan/Islands.shp", m_ora,
                                      L"GIS~ISLANDS~GEOM", L"ID", L"GEOM");
    ASSERT_GT(loaded.count, 0);
    ASSERT_EQ(CountRows(m_ora, L"GIS.ISLANDS"), loaded.count);
    ASSERT_TRUE(c_FDO_Api::NorvOracle_GetGeometriesMBR(m_ora, L"GIS", L"ISLANDS", L"GEOM", mbr, dimensions));
    EXPECT_EQ(dimensions, 2);
    EXPECT_NEAR(mbr[0], loaded.minX, 1e-6);
    EXPECT_NEAR(mbr[1], loaded.minY, 1e-6);
    EXPECT_NEAR(mbr[2], loaded.maxX, 1e-6);
    EXPECT_NEAR(mbr[3], loaded.maxY, 1e-6);
    EXPECT_EQ(mbr[4], 12345);  // the rest of the buffer is not touched
}

TEST_F(OracleSpatialMetadataTest, ExtentOfThreeDimensionalPolygons) {
    Exec(m_ora, L"CREATE TABLE GIS.SOLIDS (ID NUMBER(10), GEOM MDSYS.SDO_GEOMETRY)");
    Exec(m_ora, L"INSERT INTO GIS.SOLIDS (ID, GEOM) VALUES (1, SDO_GEOMETRY('POLYGON XYZ ((0 0 1, 10 0 2, 10 5 3, 0 0 1))', NULL))");
    Exec(m_ora, L"INSERT INTO GIS.SOLIDS (ID, GEOM) VALUES (2, SDO_GEOMETRY('POLYGON XYZ ((-4 2 -7, 3 9 0, 1 1 0, -4 2 -7))', NULL))");
    double mbr[8] = {0};
    long dimensions = 0;
    ASSERT_TRUE(c_FDO_Api::NorvOracle_GetGeometriesMBR(m_ora, L"GIS", L"SOLIDS", L"GEOM", mbr, dimensions));
    ASSERT_EQ(dimensions, 3);
    EXPECT_EQ(std::vector<double>(mbr, mbr + 6), (std::vector<double>{-4, 0, -7, 10, 9, 3}));
}

TEST_F(OracleSpatialMetadataTest, SridsTheGeometriesCarry) {
    Exec(m_ora, L"CREATE TABLE GIS.PTS (ID NUMBER(10), GEOM MDSYS.SDO_GEOMETRY)");
    Exec(m_ora, L"INSERT INTO GIS.PTS (ID, GEOM) VALUES (1, SDO_GEOMETRY('POINT (1 2)', NULL))");
    Exec(m_ora, L"INSERT INTO GIS.PTS (ID, GEOM) VALUES (2, SDO_GEOMETRY('POINT (3 4)', NULL))");
    FdoPtr<FdoStringCollection> srids = FdoStringCollection::Create();
    EXPECT_EQ(c_FDO_Api::NorvOracle_FindSridInGeometries(m_ora, L"GIS", L"PTS", L"GEOM", srids), 1);
    EXPECT_EQ(Strings(srids), (std::vector<std::wstring>{L"NULL"}));

    Exec(m_ora, L"INSERT INTO GIS.PTS (ID, GEOM) VALUES (3, SDO_GEOMETRY('POINT (5 6)', 8307))");
    srids->Clear();
    EXPECT_EQ(c_FDO_Api::NorvOracle_FindSridInGeometries(m_ora, L"GIS", L"PTS", L"GEOM", srids), 2);
    auto found = Strings(srids);
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (std::vector<std::wstring>{L"8307", L"NULL"}));
}

TEST_F(OracleSpatialMetadataTest, UnquotedNamesMustBePlainIdentifiers) {
    double mbr[8];
    long dimensions = 0;
    FdoPtr<FdoStringCollection> srids = FdoStringCollection::Create();
    ExpectFdoError([&] {
        c_FDO_Api::NorvOracle_GetGeometriesMBR(m_ora, L"GIS", L"ISLANDS",
                                               L"GEOM) as MBR FROM GIS.ISLANDS a; DROP TABLE GIS.ISLANDS; --", mbr,
                                               dimensions);
    });
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_FindSridInGeometries(m_ora, L"GIS", L"ISLANDS a, GIS.X", L"GEOM", srids); });
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_FindSridInGeometries(m_ora, L"GIS.GIS", L"ISLANDS", L"GEOM", srids); });
    EXPECT_EQ(srids->GetCount(), 0);
    EXPECT_EQ(CountRows(m_ora, L"GIS.ISLANDS"), 0);  // still there
    // A missing table is the database's error.
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_FindSridInGeometries(m_ora, L"GIS", L"NOPE", L"GEOM", srids); });
}
