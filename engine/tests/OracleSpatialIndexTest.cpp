// Oracle spatial indexes through the engine operations, against the
// embedded Norv.Oracle store: create (with and without a layer geometry
// type), list, test by name, rebuild and drop, the refusal of a column
// without a metadata row, and names that are not plain identifiers.
#include <GeoxferApi/DimInfoData.h>
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/SpatialIndexData.h>

#include "DbToolsTestSupport.h"

using namespace dbtest;

namespace {

class OracleSpatialIndexTest : public OracleDbTest {
protected:
    void SetUp() override {
        OracleDbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        Exec(m_ora, L"CREATE TABLE GIS.PARCELS (ID NUMBER(10), GEOM MDSYS.SDO_GEOMETRY)");
        Exec(m_ora, L"CREATE TABLE GIS.WELLS (ID NUMBER(10), GEOM MDSYS.SDO_GEOMETRY)");
        Exec(m_ora, L"INSERT INTO GIS.PARCELS (ID, GEOM) VALUES (1, SDO_GEOMETRY('POLYGON ((0 0, 4 0, 4 4, 0 0))', 8307))");
        FdoPtr<c_DimInfoDataCollection> dims = c_DimInfoDataCollection::Create();
        FdoPtr<c_DimInfoData> x = new c_DimInfoData(L"X", -180, 180, 0.05);
        FdoPtr<c_DimInfoData> y = new c_DimInfoData(L"Y", -90, 90, 0.05);
        dims->Add(x);
        dims->Add(y);
        ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(m_ora, L"GIS", L"PARCELS", L"GEOM", dims, 8307), 1);
    }

    FdoPtr<c_SpatialIndexDataCollection> Indexes(FdoString* owner, int expected) {
        FdoPtr<c_SpatialIndexDataCollection> list = c_SpatialIndexDataCollection::Create();
        EXPECT_EQ(c_FDO_Api::NorvOracle_GetTablesWithSpatialIndex(m_ora, owner, list), expected);
        return list;
    }

    std::vector<std::wstring> Without(FdoString* owner) {
        FdoPtr<FdoStringCollection> list = FdoStringCollection::Create();
        c_FDO_Api::NorvOracle_GetSpatialTablesWithoutSpatialIndex(m_ora, owner, list);
        return Strings(list);
    }
};

}  // namespace

TEST_F(OracleSpatialIndexTest, CreateListCheckRebuildAndDrop) {
    EXPECT_EQ(Without(L"GIS"), (std::vector<std::wstring>{L"GIS", L"PARCELS", L"GEOM", L"GIS", L"WELLS", L"GEOM"}));
    Indexes(L"GIS", 0);

    EXPECT_TRUE(c_FDO_Api::NorvOracle_CreateSpatialIndex(m_ora, L"GIS", L"PARCELS", L"GEOM", L"PARCELS_SIDX", L"POLYGON"));
    auto list = Indexes(L"GIS", 1);
    FdoPtr<c_SpatialIndexData> d = list->GetItem(0);
    EXPECT_EQ(d->m_TableOwner, FdoStringP(L"GIS"));
    EXPECT_EQ(d->m_TableName, FdoStringP(L"PARCELS"));
    EXPECT_EQ(d->m_ColumnName, FdoStringP(L"GEOM"));
    EXPECT_EQ(d->m_IndexOwner, FdoStringP(L"GIS"));
    EXPECT_EQ(d->m_IndexName, FdoStringP(L"PARCELS_SIDX"));
    EXPECT_EQ(d->m_LayerGType, FdoStringP(L"POLYGON"));
    EXPECT_FALSE(d->m_IndexType.IsEmpty());
    EXPECT_FALSE(d->m_IndexStatus.IsEmpty());
    Indexes(L"", 1);
    Indexes(L"HYDRO", 0);

    // Without an index now: only the other table, whatever the owner's case.
    EXPECT_EQ(Without(L"gis"), (std::vector<std::wstring>{L"GIS", L"WELLS", L"GEOM"}));
    EXPECT_EQ(Without(nullptr), (std::vector<std::wstring>{L"GIS", L"WELLS", L"GEOM"}));

    FdoStringP owner(L"untouched");
    EXPECT_FALSE(c_FDO_Api::NorvOracle_CheckIndexExists(m_ora, L"GIS", L"PARCELS", L"parcels_sidx", owner));
    EXPECT_EQ(owner, FdoStringP(L"untouched"));
    EXPECT_TRUE(c_FDO_Api::NorvOracle_CheckIndexExists(m_ora, L"GIS", L"PARCELS", L"PARCELS_SIDX", owner));
    EXPECT_EQ(owner, FdoStringP(L"GIS"));

    EXPECT_TRUE(c_FDO_Api::NorvOracle_RebuildSpatialIndex(m_ora, L"GIS", L"PARCELS_SIDX", nullptr));
    EXPECT_TRUE(c_FDO_Api::NorvOracle_RebuildSpatialIndex(m_ora, L"GIS", L"PARCELS_SIDX", L"POLYGON"));
    Indexes(L"GIS", 1);

    EXPECT_TRUE(c_FDO_Api::NorvOracle_DropIndex(m_ora, L"GIS", L"PARCELS_SIDX"));
    Indexes(L"GIS", 0);
    EXPECT_FALSE(c_FDO_Api::NorvOracle_CheckIndexExists(m_ora, L"GIS", L"PARCELS", L"PARCELS_SIDX", owner));
    EXPECT_EQ(Without(L"GIS").size(), 6u);
    // Dropping it again is the database's error.
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_DropIndex(m_ora, L"GIS", L"PARCELS_SIDX"); });
}

TEST_F(OracleSpatialIndexTest, WithoutGeometryTypeAndListingAppends) {
    EXPECT_TRUE(c_FDO_Api::NorvOracle_CreateSpatialIndex(m_ora, L"GIS", L"PARCELS", L"GEOM", L"PARCELS_SIDX", L""));
    FdoPtr<c_SpatialIndexDataCollection> list = c_SpatialIndexDataCollection::Create();
    FdoPtr<c_SpatialIndexData> mine = new c_SpatialIndexData();
    list->Add(mine);
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetTablesWithSpatialIndex(m_ora, L"GIS", list), 1);
    EXPECT_EQ(list->GetCount(), 2);
    FdoPtr<c_SpatialIndexData> d = list->GetItem(1);
    EXPECT_EQ(d->m_IndexName, FdoStringP(L"PARCELS_SIDX"));
}

TEST_F(OracleSpatialIndexTest, AnIndexWhoseMetadataRowIsGoneIsStillListed) {
    ASSERT_TRUE(c_FDO_Api::NorvOracle_CreateSpatialIndex(m_ora, L"GIS", L"PARCELS", L"GEOM", L"PARCELS_SIDX", L"POLYGON"));
    ASSERT_EQ(c_FDO_Api::NorvOracle_DeleteSdoMetadata(m_ora, L"GIS", L"PARCELS", L"GEOM"), 1);
    auto list = Indexes(L"GIS", 1);
    FdoPtr<c_SpatialIndexData> d = list->GetItem(0);
    EXPECT_EQ(d->m_IndexName, FdoStringP(L"PARCELS_SIDX"));
    EXPECT_EQ(d->m_TableName, FdoStringP(L"PARCELS"));
    EXPECT_TRUE(d->m_LayerGType.IsEmpty());
    EXPECT_TRUE(d->m_IndexGeodetic.IsEmpty());
    EXPECT_TRUE(d->m_RtreeQualityIsNull);
    EXPECT_EQ(d->m_RtreeQuality, 0);
}

TEST_F(OracleSpatialIndexTest, ListsEveryOwnerOrderedByOwnerAndTable) {
    FdoIConnection* hydro = ConnectAs(L"HYDRO");
    ASSERT_NE(hydro, nullptr);
    Exec(hydro, L"CREATE TABLE HYDRO.LAKES (ID NUMBER(10), SHAPE MDSYS.SDO_GEOMETRY)");
    Exec(hydro, L"CREATE TABLE HYDRO.DAMS (ID NUMBER(10), SHAPE MDSYS.SDO_GEOMETRY)");
    FdoPtr<c_DimInfoDataCollection> dims = c_DimInfoDataCollection::Create();
    FdoPtr<c_DimInfoData> x = new c_DimInfoData(L"X", 0, 100, 0.5);
    FdoPtr<c_DimInfoData> y = new c_DimInfoData(L"Y", 0, 100, 0.5);
    dims->Add(x);
    dims->Add(y);
    for (FdoString* t : {L"LAKES", L"DAMS"}) {
        ASSERT_EQ(c_FDO_Api::NorvOracle_SetMetadataDimInfo(hydro, L"HYDRO", t, L"SHAPE", dims, 0), 1);
        ASSERT_TRUE(c_FDO_Api::NorvOracle_CreateSpatialIndex(hydro, L"HYDRO", t, L"SHAPE",
                                                             FdoStringP(t) + L"_SIDX", nullptr));
    }
    ASSERT_TRUE(c_FDO_Api::NorvOracle_CreateSpatialIndex(m_ora, L"GIS", L"PARCELS", L"GEOM", L"PARCELS_SIDX", nullptr));
    auto list = Indexes(nullptr, 3);
    std::vector<std::wstring> order;
    for (FdoInt32 i = 0; i < list->GetCount(); i++) {
        FdoPtr<c_SpatialIndexData> d = list->GetItem(i);
        order.push_back(d->m_TableOwner.Str() + L"." + d->m_TableName.Str());
    }
    EXPECT_EQ(order, (std::vector<std::wstring>{L"GIS.PARCELS", L"HYDRO.DAMS", L"HYDRO.LAKES"}));
    Indexes(L"HYDRO", 2);
    EXPECT_EQ(Without(nullptr), (std::vector<std::wstring>{L"GIS", L"WELLS", L"GEOM"}));
}

TEST_F(OracleSpatialIndexTest, RefusedWithoutAMetadataRowOrUnderAUsedName) {
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_CreateSpatialIndex(m_ora, L"GIS", L"WELLS", L"GEOM", L"WELLS_SIDX", nullptr); });
    Indexes(L"GIS", 0);
    ASSERT_TRUE(c_FDO_Api::NorvOracle_CreateSpatialIndex(m_ora, L"GIS", L"PARCELS", L"GEOM", L"SIDX", nullptr));
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_CreateSpatialIndex(m_ora, L"GIS", L"PARCELS", L"GEOM", L"SIDX", nullptr); });
    Indexes(L"GIS", 1);
}

TEST_F(OracleSpatialIndexTest, NamesThatAreNotPlainIdentifiersAreRefused) {
    ExpectFdoError([&] {
        c_FDO_Api::NorvOracle_CreateSpatialIndex(m_ora, L"GIS", L"PARCELS", L"GEOM",
                                                 L"X ON GIS.PARCELS (GEOM); DROP TABLE GIS.WELLS; --", nullptr);
    });
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_DropIndex(m_ora, L"GIS", L"SIDX; DROP TABLE GIS.WELLS"); });
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_RebuildSpatialIndex(m_ora, L"GIS.X", L"SIDX", nullptr); });
    // A geometry type with a quote stays inside its parameter text: the
    // database rejects the type, and nothing else runs.
    ExpectFdoError([&] {
        c_FDO_Api::NorvOracle_CreateSpatialIndex(m_ora, L"GIS", L"PARCELS", L"GEOM", L"SIDX",
                                                 L"POINT'); DROP TABLE GIS.WELLS; --");
    });
    FdoStringP owner(L"untouched");
    EXPECT_FALSE(c_FDO_Api::NorvOracle_CheckIndexExists(m_ora, L"GIS' OR '1'='1", L"PARCELS", L"SIDX", owner));
    EXPECT_EQ(owner, FdoStringP(L"untouched"));
    EXPECT_EQ(CountRows(m_ora, L"GIS.WELLS"), 0);  // still there
    Indexes(L"GIS", 0);
}
