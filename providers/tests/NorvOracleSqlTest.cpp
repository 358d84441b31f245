// The Oracle stand-in answering the statements the metadata tools send,
// word for word: the NorvFdoClass table, spatial metadata, spatial indexes,
// primary keys and views; plus logins, data home isolation and quoted
// text that must stay data.
#include "NorvTestSupport.h"

#include <norvdb/NorvSdoElements.h>

#include <stdexcept>

using namespace norvtest;

namespace {

const std::wstring kCreateNorvFdoClass =
    L" CREATE TABLE NorvFdoClass (\tFDO_UNIQUE_ID NUMBER(*,0), FDO_ORA_OWNER VARCHAR2(64 BYTE), FDO_ORA_NAME "
    L"VARCHAR2(64 BYTE), FDO_ORA_GEOMCOLUMN VARCHAR2(1024 BYTE),  FDO_SPATIALTABLE_OWNER VARCHAR2(64 BYTE), "
    L"FDO_SPATIALTABLE_NAME VARCHAR2(64 BYTE), FDO_SPATIALTABLE_GEOMCOLUMN VARCHAR2(1024 BYTE),  FDO_CLASS_NAME "
    L"VARCHAR2(256 BYTE), FDO_SRID NUMBER, FDO_DIMINFO MDSYS.SDO_DIM_ARRAY , FDO_CS_NAME VARCHAR2(256 BYTE),  "
    L"FDO_WKTEXT VARCHAR2(2046 BYTE), FDO_LAYER_GTYPE VARCHAR2(64 BYTE), FDO_SEQUENCE_NAME VARCHAR2(64 BYTE), "
    L"FDO_IDENTITY VARCHAR2(1024 BYTE),  FDO_SDO_ROOT_MBR MDSYS.SDO_GEOMETRY , FDO_POINT_X_COLUMN VARCHAR2(128 "
    L"BYTE), FDO_POINT_Y_COLUMN VARCHAR2(128 BYTE),  FDO_POINT_Z_COLUMN VARCHAR2(128 BYTE), FDO_SPATIAL_CONTEXT "
    L"VARCHAR2(128 BYTE)  ) ";

const std::wstring kSelectNorvFdoClass =
    L" SELECT k.FDO_CLASS_NAME, k.FDO_ORA_OWNER, k.FDO_ORA_NAME, k.FDO_ORA_GEOMCOLUMN,  k.FDO_SPATIALTABLE_OWNER, "
    L"k.FDO_SPATIALTABLE_NAME, k.FDO_SPATIALTABLE_GEOMCOLUMN,  k.FDO_POINT_X_COLUMN, k.FDO_POINT_Y_COLUMN, "
    L"k.FDO_POINT_Z_COLUMN,  k.FDO_LAYER_GTYPE, k.FDO_IDENTITY, k.FDO_SEQUENCE_NAME,  k.fdo_srid, k.fdo_diminfo, "
    L"k.fdo_cs_name, k.fdo_wktext, k.fdo_sdo_root_mbr  FROM NorvFdoClass k";

const std::vector<std::wstring> kRecordColumns = {
    L"FDO_CLASS_NAME",     L"FDO_ORA_OWNER",      L"FDO_ORA_NAME",      L"FDO_ORA_GEOMCOLUMN",
    L"FDO_SPATIALTABLE_OWNER", L"FDO_SPATIALTABLE_NAME", L"FDO_SPATIALTABLE_GEOMCOLUMN", L"FDO_POINT_X_COLUMN",
    L"FDO_POINT_Y_COLUMN", L"FDO_POINT_Z_COLUMN", L"FDO_LAYER_GTYPE",   L"FDO_IDENTITY", L"FDO_SEQUENCE_NAME"};

// The insert text as the engine assembles it.
std::wstring InsertText(const std::wstring& table, const std::vector<std::wstring>& values) {
    std::wstring s = L" INSERT INTO " + table +
                     L" ( FDO_CLASS_NAME,FDO_ORA_OWNER,FDO_ORA_NAME,FDO_ORA_GEOMCOLUMN"
                     L",FDO_SPATIALTABLE_OWNER,FDO_SPATIALTABLE_NAME,FDO_SPATIALTABLE_GEOMCOLUMN"
                     L",FDO_POINT_X_COLUMN,FDO_POINT_Y_COLUMN,FDO_POINT_Z_COLUMN"
                     L",FDO_LAYER_GTYPE,FDO_IDENTITY,FDO_SEQUENCE_NAME )  VALUES (  '" +
                     values[0] + L"' ";
    for (size_t i = 1; i < 13; i++) s += values[i].empty() ? L",NULL" : L", UPPER('" + values[i] + L"') ";
    return s + L" ) ";
}

std::wstring UpdateText(const std::wstring& table, const std::vector<std::wstring>& v) {
    static const wchar_t* labels[] = {L" ,FDO_ORA_OWNER=",      L" ,FDO_ORA_NAME=",        L" ,FDO_ORA_GEOMCOLUMN=",
                                      L" ,FDO_SPATIALTABLE_OWNER=", L" ,FDO_SPATIALTABLE_NAME=",
                                      L" ,FDO_SPATIALTABLE_GEOMCOLUMN=", L" ,FDO_POINT_X_COLUMN=",
                                      L" ,FDO_POINT_Y_COLUMN=", L" ,FDO_POINT_Z_COLUMN=", L" ,FDO_LAYER_GTYPE=",
                                      L" ,FDO_IDENTITY=",       L" ,FDO_SEQUENCE_NAME="};
    std::wstring s = L" UPDATE " + table + L" SET  FDO_CLASS_NAME= '" + v[0] + L"' ";
    for (size_t i = 1; i < 13; i++) s += labels[i - 1] + (v[i].empty() ? L"NULL" : L"UPPER('" + v[i] + L"') ");
    return s + L"  WHERE FDO_CLASS_NAME = :1 ";
}

const std::wstring kTablesWithoutMetadata =
    L" SELECT owner,table_name,column_name FROM all_tab_columns a WHERE a.owner<>'MDSYS' and a.owner=:1 AND "
    L"data_type='SDO_GEOMETRY'  MINUS SELECT owner,table_name,column_name from all_sdo_geom_metadata b where "
    L"b.owner=:2";
const std::wstring kDimInfo =
    L" SELECT SRID,SDO_DIMNAME,SDO_LB,SDO_UB,SDO_TOLERANCE FROM all_sdo_geom_metadata a,  TABLE(select diminfo from "
    L"all_sdo_geom_metadata where owner=a.owner and table_name=a.table_name and column_name = a.column_name) b  "
    L"where a.owner=:1 and a.table_name=:2 and a.column_name=:3 ";
const std::wstring kIndexList =
    L"select a.sdo_index_owner, a.index_name, a.table_owner, a.table_name, a.column_name, a.sdo_index_type, "
    L"a.sdo_index_status, b.sdo_layer_gtype, b.sdo_index_geodetic, b.sdo_rtree_quality FROM ALL_SDO_INDEX_INFO a "
    L"LEFT JOIN ALL_SDO_INDEX_METADATA b  ON b.sdo_index_owner = a.sdo_index_owner and b.sdo_index_name = "
    L"a.index_name ";

class NorvOracleSql : public ::testing::Test {
protected:
    void SetUp() override { conn = Oracle(); }
    void TearDown() override {
        if (conn) conn->Close();
    }
    void RoadsWithMetadata(int srid = 8307) {
        Exec(conn, L"CREATE TABLE GIS.ROADS (ID NUMBER(10,0), NAME VARCHAR2(20 BYTE), GEOM MDSYS.SDO_GEOMETRY)");
        Exec(conn, L"INSERT INTO all_sdo_geom_metadata (owner,table_name,column_name,diminfo,srid) VALUES "
                   L"(UPPER('gis'),UPPER('roads'),UPPER('geom'),SDO_DIM_ARRAY(SDO_DIM_ELEMENT('X', -180, 180, 0.05),"
                   L"SDO_DIM_ELEMENT('Y', -90, 90, 0.05)),"
                   + std::to_wstring(srid) + L") ");
    }
    DataHome home{"oracle-sql"};
    FdoPtr<FdoIConnection> conn;
};

}  // namespace

TEST_F(NorvOracleSql, NorvFdoClassTableLifeCycle) {
    EXPECT_EQ(Exec(conn, kCreateNorvFdoClass), 0);
    EXPECT_NE(ErrorOf([&] { Exec(conn, kCreateNorvFdoClass); }).find("ORA-00955: name is already used by an existing object"),
              std::string::npos);

    // Only the class name: twelve NULLs, read back as empty strings.
    std::vector<std::wstring> only(13);
    only[0] = L"Roads";
    EXPECT_EQ(Exec(conn, InsertText(L"NorvFdoClass", only)), 1);
    std::vector<std::wstring> full = {L"MixedCase", L"gis",   L"roads", L"geom", L"gis", L"roads_sp", L"geom",
                                      L"x",         L"y",     L"z",     L"point", L"id", L"roads_seq"};
    Exec(conn, InsertText(L"NorvFdoClass", full));
    Rows rows = Query(conn, kSelectNorvFdoClass, kRecordColumns);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0][0], L"Roads");
    for (size_t i = 1; i < 13; i++) EXPECT_EQ(rows[0][i], L"");
    EXPECT_EQ(rows[1][0], L"MixedCase");
    EXPECT_EQ(rows[1][1], L"GIS");
    EXPECT_EQ(rows[1][12], L"ROADS_SEQ");

    // Null columns report IsNull and read as empty text.
    {
        FdoPtr<FdoISQLCommand> cmd = SqlCommand(conn, kSelectNorvFdoClass, {});
        FdoPtr<FdoISQLDataReader> r = cmd->ExecuteReader();
        ASSERT_TRUE(r->ReadNext());
        EXPECT_TRUE(r->IsNull(L"FDO_ORA_OWNER"));
        EXPECT_TRUE(r->IsNull(L"FDO_SRID"));
        EXPECT_STREQ(r->GetString(L"FDO_WKTEXT"), L"");
    }

    // An update renames; deleting under the old name then removes nothing.
    std::vector<std::wstring> renamed = full;
    renamed[0] = L"Renamed";
    EXPECT_EQ(Exec(conn, UpdateText(L"NorvFdoClass", renamed), {L"MixedCase"}), 1);
    EXPECT_EQ(Exec(conn, L" DELETE NorvFdoClass WHERE FDO_CLASS_NAME = :1 ", {L"MixedCase"}), 0);
    EXPECT_EQ(Exec(conn, L" DELETE NorvFdoClass WHERE FDO_CLASS_NAME = :1 ", {L"Renamed"}), 1);
    EXPECT_EQ(Query(conn, kSelectNorvFdoClass, kRecordColumns).size(), 1u);

    // A value wider than its column is refused as Oracle does.
    std::vector<std::wstring> wide(13);
    wide[0] = L"Wide";
    wide[1] = std::wstring(70, L'a');
    EXPECT_NE(ErrorOf([&] { Exec(conn, InsertText(L"NorvFdoClass", wide)); }).find("ORA-12899"), std::string::npos);

    Exec(conn, L" DROP TABLE NorvFdoClass");
    EXPECT_NE(ErrorOf([&] { Exec(conn, L" DROP TABLE NorvFdoClass"); }).find("ORA-00942: table or view does not exist"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { Query(conn, kSelectNorvFdoClass, kRecordColumns); }).find("ORA-00942"), std::string::npos);
}

TEST_F(NorvOracleSql, QuotedTextAndBoundValuesStayData) {
    Exec(conn, kCreateNorvFdoClass);
    // A bound value with quotes and SQL in it is only a value.
    std::wstring evil = L"x'); DROP TABLE NorvFdoClass; --";
    Exec(conn, L"INSERT INTO NorvFdoClass (FDO_CLASS_NAME) VALUES (:1)", {evil});
    Rows rows = Query(conn, L"SELECT FDO_CLASS_NAME FROM NorvFdoClass WHERE FDO_CLASS_NAME = :1", {L"FDO_CLASS_NAME"},
                      {evil});
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0][0], evil);
    // Quoted text with doubled quotes is one literal, whatever it spells.
    Exec(conn, L"INSERT INTO NorvFdoClass (FDO_CLASS_NAME) VALUES ('a''; DELETE NorvFdoClass WHERE 1=1; --')");
    EXPECT_EQ(Query(conn, L"SELECT FDO_CLASS_NAME FROM NorvFdoClass", {L"FDO_CLASS_NAME"}).size(), 2u);
    // Two statements in one text are refused, not run one after the other.
    EXPECT_FALSE(ErrorOf([&] { Exec(conn, L"DELETE NorvFdoClass WHERE 1=1; DROP TABLE NorvFdoClass"); }).empty());
    EXPECT_EQ(Query(conn, L"SELECT FDO_CLASS_NAME FROM NorvFdoClass", {L"FDO_CLASS_NAME"}).size(), 2u);
}

TEST_F(NorvOracleSql, GeometryColumnsWithoutMetadataAndDimInfoRoundTrip) {
    Exec(conn, L"CREATE TABLE GIS.ROADS (ID NUMBER(10,0), GEOM MDSYS.SDO_GEOMETRY)");
    Exec(conn, L"CREATE TABLE GIS.RIVERS (ID NUMBER(10,0), SHAPE MDSYS.SDO_GEOMETRY)");
    Rows missing = Query(conn, kTablesWithoutMetadata, {L"OWNER", L"TABLE_NAME", L"COLUMN_NAME"}, {L"GIS", L"GIS"});
    ASSERT_EQ(missing.size(), 2u);

    // Insert as NorvOracle_SetMetadataDimInfo does for a new row.
    EXPECT_EQ(Exec(conn, L"INSERT INTO all_sdo_geom_metadata (owner,table_name,column_name,diminfo,srid) VALUES "
                         L"(UPPER('gis'),UPPER('roads'),UPPER('geom'),SDO_DIM_ARRAY(SDO_DIM_ELEMENT('X', -180, 180, "
                         L"0.05),SDO_DIM_ELEMENT('Y', -90, 90, 0.05)),8307) "),
              1);
    missing = Query(conn, kTablesWithoutMetadata, {L"OWNER", L"TABLE_NAME", L"COLUMN_NAME"}, {L"GIS", L"GIS"});
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0][1], L"RIVERS");
    // The form without owner.
    EXPECT_EQ(Query(conn,
                    L" SELECT owner,table_name,column_name FROM all_tab_columns a WHERE data_type='SDO_GEOMETRY' "
                    L"MINUS SELECT owner,table_name,column_name from all_sdo_geom_metadata b ",
                    {L"OWNER"})
                  .size(),
              1u);

    Rows listed = Query(conn,
                        L" SELECT owner,table_name,column_name,SRID FROM all_sdo_geom_metadata a WHERE a.owner=:1 "
                        L"order by owner,table_name",
                        {L"OWNER", L"TABLE_NAME", L"COLUMN_NAME", L"SRID"}, {L"GIS"});
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0], (std::vector<std::wstring>{L"GIS", L"ROADS", L"GEOM", L"8307"}));

    FdoPtr<FdoISQLCommand> cmd = SqlCommand(conn, kDimInfo, {L"GIS", L"ROADS", L"GEOM"});
    FdoPtr<FdoISQLDataReader> r = cmd->ExecuteReader();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_EQ(r->GetInt32(L"SRID"), 8307);
    EXPECT_STREQ(r->GetString(L"SDO_DIMNAME"), L"X");
    EXPECT_DOUBLE_EQ(r->GetDouble(L"SDO_LB"), -180);
    EXPECT_DOUBLE_EQ(r->GetDouble(L"SDO_UB"), 180);
    EXPECT_DOUBLE_EQ(r->GetDouble(L"SDO_TOLERANCE"), 0.05);
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetString(L"SDO_DIMNAME"), L"Y");
    EXPECT_DOUBLE_EQ(r->GetDouble(L"SDO_LB"), -90);
    EXPECT_FALSE(r->ReadNext());
    r->Close();

    // Update to a null SRID, as for srid 0.
    EXPECT_EQ(Exec(conn,
                   L"UPDATE all_sdo_geom_metadata SET diminfo = SDO_DIM_ARRAY(SDO_DIM_ELEMENT('X', 1.23457e+06, 2, "
                   L"0.5)) , srid = NULL  WHERE owner=:1 and table_name=:2 and column_name=:3 ",
                   {L"GIS", L"ROADS", L"GEOM"}),
              1);
    FdoPtr<FdoISQLCommand> again = SqlCommand(conn, kDimInfo, {L"GIS", L"ROADS", L"GEOM"});
    FdoPtr<FdoISQLDataReader> r2 = again->ExecuteReader();
    ASSERT_TRUE(r2->ReadNext());
    EXPECT_TRUE(r2->IsNull(L"SRID"));
    EXPECT_DOUBLE_EQ(r2->GetDouble(L"SDO_LB"), 1234570);
    EXPECT_FALSE(r2->ReadNext());
    r2->Close();

    EXPECT_EQ(Exec(conn, L"DELETE ALL_SDO_GEOM_METADATA WHERE OWNER='GIS' and TABLE_NAME='ROADS' and "
                         L"column_name='GEOM'"),
              1);
    EXPECT_EQ(Exec(conn, L"DELETE ALL_SDO_GEOM_METADATA WHERE OWNER='GIS' and TABLE_NAME='ROADS' and "
                         L"column_name='GEOM'"),
              0);
}

TEST_F(NorvOracleSql, ExtentAndSridsOfStoredGeometries) {
    RoadsWithMetadata();
    // No geometries yet: the aggregate is null.
    {
        FdoPtr<FdoISQLCommand> cmd = SqlCommand(conn, L"SELECT SDO_AGGR_MBR(a.GEOM) as MBR FROM GIS.ROADS a", {});
        FdoPtr<FdoISQLDataReader> r = cmd->ExecuteReader();
        ASSERT_TRUE(r->ReadNext());
        EXPECT_TRUE(r->IsNull(L"MBR"));
    }
    Exec(conn, L"INSERT INTO GIS.ROADS (ID, GEOM) VALUES (1, SDO_GEOMETRY('LINESTRING (1 2, 3 4)', 8307))");
    Exec(conn, L"INSERT INTO GIS.ROADS (ID, GEOM) VALUES (2, MDSYS.SDO_GEOMETRY(2001, 8307, "
               L"MDSYS.SDO_POINT_TYPE(-5, 10, NULL), NULL, NULL))");
    FdoPtr<FdoISQLCommand> cmd = SqlCommand(conn, L"SELECT SDO_AGGR_MBR(a.GEOM) as MBR FROM GIS.ROADS a", {});
    FdoPtr<FdoISQLDataReader> r = cmd->ExecuteReader();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_EQ(r->GetPropertyType(L"MBR"), FdoPropertyType_GeometricProperty);
    FdoPtr<FdoByteArray> fgf = r->GetGeometry(L"MBR");
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> g = factory->CreateGeometryFromFgf(fgf);
    ASSERT_EQ(g->GetDerivedType(), FdoGeometryType_Polygon);
    FdoPtr<FdoIEnvelope> env = g->GetEnvelope();
    EXPECT_DOUBLE_EQ(env->GetMinX(), -5);
    EXPECT_DOUBLE_EQ(env->GetMinY(), 2);
    EXPECT_DOUBLE_EQ(env->GetMaxX(), 3);
    EXPECT_DOUBLE_EQ(env->GetMaxY(), 10);
    r->Close();

    Rows srids = Query(conn, L"SELECT distinct a.GEOM.sdo_srid as SRID from GIS.ROADS a", {L"SRID"});
    ASSERT_EQ(srids.size(), 1u);
    EXPECT_EQ(srids[0][0], L"8307");
    Exec(conn, L"CREATE TABLE GIS.BARE (GEOM MDSYS.SDO_GEOMETRY)");
    Exec(conn, L"INSERT INTO GIS.BARE (GEOM) VALUES (SDO_GEOMETRY('POINT (1 1)', NULL))");
    FdoPtr<FdoISQLCommand> bare = SqlCommand(conn, L"SELECT distinct a.GEOM.sdo_srid as SRID from GIS.BARE a", {});
    FdoPtr<FdoISQLDataReader> br = bare->ExecuteReader();
    ASSERT_TRUE(br->ReadNext());
    EXPECT_TRUE(br->IsNull(L"SRID"));
    EXPECT_FALSE(br->ReadNext());
}

TEST_F(NorvOracleSql, ExtentOfThreeDimensionalPolygonsHasZ) {
    Exec(conn, L"CREATE TABLE GIS.SOLIDS (GEOM MDSYS.SDO_GEOMETRY)");
    Exec(conn, L"INSERT INTO GIS.SOLIDS (GEOM) VALUES (SDO_GEOMETRY('POLYGON XYZ ((0 0 1, 4 0 2, 4 4 7, 0 0 1))', 0))");
    FdoPtr<FdoISQLCommand> cmd = SqlCommand(conn, L"SELECT SDO_AGGR_MBR(a.GEOM) as MBR FROM GIS.SOLIDS a", {});
    FdoPtr<FdoISQLDataReader> r = cmd->ExecuteReader();
    ASSERT_TRUE(r->ReadNext());
    FdoPtr<FdoByteArray> fgf = r->GetGeometry(L"MBR");
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> g = factory->CreateGeometryFromFgf(fgf);
    EXPECT_TRUE(g->GetDimensionality() & FdoDimensionality_Z);
    FdoPtr<FdoIEnvelope> env = g->GetEnvelope();
    EXPECT_DOUBLE_EQ(env->GetMinZ(), 1);
    EXPECT_DOUBLE_EQ(env->GetMaxZ(), 7);
}

TEST_F(NorvOracleSql, SpatialIndexNeedsMetadataAndIsListed) {
    Exec(conn, L"CREATE TABLE GIS.ROADS (ID NUMBER(10,0), GEOM MDSYS.SDO_GEOMETRY)");
    std::string refused = ErrorOf([&] {
        Exec(conn, L"CREATE INDEX ROADS_SIDX ON GIS.ROADS (GEOM) INDEXTYPE IS MDSYS.SPATIAL_INDEX ");
    });
    EXPECT_NE(refused.find("ORA-13203"), std::string::npos) << refused;
    EXPECT_EQ(Query(conn, L"SELECT owner FROM all_indexes WHERE table_owner='GIS' and table_name='ROADS' and "
                          L"index_name='ROADS_SIDX'",
                    {L"OWNER"})
                  .size(),
              0u);

    Exec(conn, L"INSERT INTO all_sdo_geom_metadata (owner,table_name,column_name,diminfo,srid) VALUES "
               L"(UPPER('gis'),UPPER('roads'),UPPER('geom'),SDO_DIM_ARRAY(SDO_DIM_ELEMENT('X', -180, 180, 0.05),"
               L"SDO_DIM_ELEMENT('Y', -90, 90, 0.05)),8307) ");
    Exec(conn, L"INSERT INTO GIS.ROADS (ID, GEOM) VALUES (1, SDO_GEOMETRY('POINT (1 2)', 8307))");
    std::string bad = ErrorOf([&] {
        Exec(conn, L"CREATE INDEX ROADS_SIDX ON GIS.ROADS (GEOM) INDEXTYPE IS MDSYS.SPATIAL_INDEX  PARAMETERS "
                   L"('layer_gtype= BLOB')");
    });
    EXPECT_NE(bad.find("ORA-13249"), std::string::npos) << bad;
    Exec(conn, L"CREATE INDEX ROADS_SIDX ON GIS.ROADS (GEOM) INDEXTYPE IS MDSYS.SPATIAL_INDEX  PARAMETERS "
               L"('layer_gtype= POINT')");
    EXPECT_NE(ErrorOf([&] {
                  Exec(conn, L"CREATE INDEX ROADS_SIDX ON GIS.ROADS (GEOM) INDEXTYPE IS MDSYS.SPATIAL_INDEX ");
              }).find("ORA-00955"),
              std::string::npos);

    Rows owner = Query(conn, L"SELECT owner FROM all_indexes WHERE table_owner='GIS' and table_name='ROADS' and "
                             L"index_name='ROADS_SIDX'",
                       {L"OWNER"});
    ASSERT_EQ(owner.size(), 1u);
    EXPECT_EQ(owner[0][0], L"GIS");
    // Exact case: a lower-case name finds nothing.
    EXPECT_EQ(Query(conn, L"SELECT owner FROM all_indexes WHERE table_owner='GIS' and table_name='ROADS' and "
                          L"index_name='roads_sidx'",
                    {L"OWNER"})
                  .size(),
              0u);

    std::vector<std::wstring> cols = {L"TABLE_OWNER",     L"TABLE_NAME",       L"COLUMN_NAME",
                                      L"SDO_INDEX_OWNER", L"INDEX_NAME",       L"SDO_INDEX_TYPE",
                                      L"SDO_LAYER_GTYPE", L"SDO_INDEX_GEODETIC", L"SDO_INDEX_STATUS"};
    Rows listed = Query(conn, kIndexList + L" WHERE a.table_owner=:1 " + L" order by a.table_owner, a.table_name ",
                        cols, {L"GIS"});
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0], (std::vector<std::wstring>{L"GIS", L"ROADS", L"GEOM", L"GIS", L"ROADS_SIDX", L"RTREE",
                                                     L"POINT", L"TRUE", L"VALID"}));

    std::wstring without = L" SELECT owner,table_name,column_name FROM all_tab_columns a WHERE a.owner<>'MDSYS' AND "
                           L"data_type='SDO_GEOMETRY'  AND a.owner=UPPER(:1)  MINUS  SELECT b.table_owner, "
                           L"b.table_name, b.column_name  FROM ALL_SDO_INDEX_INFO b  WHERE b.table_owner=UPPER(:2) ";
    EXPECT_EQ(Query(conn, without, {L"OWNER"}, {L"gis", L"gis"}).size(), 0u);

    Exec(conn, L"ALTER INDEX GIS.ROADS_SIDX REBUILD PARAMETERS ('layer_gtype= POLYGON')");
    listed = Query(conn, kIndexList + L" order by a.table_owner, a.table_name ", cols);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0][6], L"POLYGON");

    // With the metadata row gone the index is still listed, with empty columns from the outer join.
    Exec(conn, L"DELETE ALL_SDO_GEOM_METADATA WHERE OWNER='GIS' and TABLE_NAME='ROADS' and column_name='GEOM'");
    FdoPtr<FdoISQLCommand> cmd = SqlCommand(conn, kIndexList + L" order by a.table_owner, a.table_name ", {});
    FdoPtr<FdoISQLDataReader> r = cmd->ExecuteReader();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetString(L"SDO_LAYER_GTYPE"), L"");
    EXPECT_TRUE(r->IsNull(L"SDO_RTREE_QUALITY"));
    r->Close();

    Exec(conn, L"DROP INDEX GIS.ROADS_SIDX FORCE ");
    EXPECT_EQ(Query(conn, without, {L"OWNER"}, {L"gis", L"gis"}).size(), 1u);
    EXPECT_NE(ErrorOf([&] { Exec(conn, L"DROP INDEX GIS.ROADS_SIDX FORCE "); }).find("ORA-01418"), std::string::npos);
}

TEST_F(NorvOracleSql, PrimaryKeysOfTablesAndViews) {
    Exec(conn, L"CREATE TABLE GIS.PARCELS (A NUMBER(10,0), B VARCHAR2(10), GEOM MDSYS.SDO_GEOMETRY)");
    Exec(conn, L"CREATE VIEW GIS.PARCELS_V AS SELECT A, B, GEOM FROM PARCELS");
    Rows cols = Query(conn, L" SELECT column_name,data_type FROM all_tab_columns a WHERE a.owner=:1 AND a.table_name=:2",
                      {L"COLUMN_NAME", L"DATA_TYPE"}, {L"GIS", L"PARCELS_V"});
    EXPECT_EQ(cols, (Rows{{L"A", L"NUMBER"}, {L"B", L"VARCHAR2"}, {L"GEOM", L"SDO_GEOMETRY"}}));

    std::wstring isView = L"SELECT owner,view_name FROM all_views where owner=:1 and view_name=:2";
    EXPECT_EQ(Query(conn, isView, {L"OWNER"}, {L"GIS", L"PARCELS_V"}).size(), 1u);
    EXPECT_EQ(Query(conn, isView, {L"OWNER"}, {L"GIS", L"parcels_v"}).size(), 0u);
    EXPECT_EQ(Query(conn, isView, {L"OWNER"}, {L"GIS", L"PARCELS"}).size(), 0u);

    std::wstring keyCols = L"SELECT acc.column_name FROM all_constraints ac, all_cons_columns acc WHERE ac.owner = :1 "
                           L"and ac.table_name = :2 AND ac.constraint_type = 'P' AND ac.owner = acc.owner AND "
                           L"ac.constraint_name = acc.constraint_name";
    EXPECT_EQ(Query(conn, keyCols, {L"COLUMN_NAME"}, {L"GIS", L"PARCELS"}).size(), 0u);

    Exec(conn, L"ALTER VIEW GIS.PARCELS_V ADD CONSTRAINT PARCELS_V_PK primary key (A,B) DISABLE NOVALIDATE");
    EXPECT_EQ(Query(conn, keyCols, {L"COLUMN_NAME"}, {L"GIS", L"PARCELS_V"}), (Rows{{L"A"}, {L"B"}}));

    // A table key is validated at once: duplicates refuse it.
    Exec(conn, L"INSERT INTO GIS.PARCELS (A, B) VALUES (1, 'x')");
    Exec(conn, L"INSERT INTO GIS.PARCELS (A, B) VALUES (1, 'y')");
    EXPECT_NE(ErrorOf([&] { Exec(conn, L"ALTER TABLE GIS.PARCELS ADD CONSTRAINT PARCELS_PK primary key (A)"); })
                  .find("ORA-02437"),
              std::string::npos);
    Exec(conn, L"ALTER TABLE GIS.PARCELS ADD CONSTRAINT PARCELS_PK primary key (A,B)");
    // ... and enforced afterwards.
    EXPECT_NE(ErrorOf([&] { Exec(conn, L"INSERT INTO GIS.PARCELS (A, B) VALUES (1, 'x')"); }).find("ORA-00001"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { Exec(conn, L"INSERT INTO GIS.PARCELS (A, B) VALUES (NULL, 'z')"); }).find("ORA-01400"),
              std::string::npos);

    // The Primary Key pane's listing.
    Exec(conn, L"INSERT INTO all_sdo_geom_metadata (owner,table_name,column_name,diminfo,srid) VALUES "
               L"('GIS','PARCELS','GEOM',SDO_DIM_ARRAY(SDO_DIM_ELEMENT('X', 0, 1, 0.5)),NULL) ");
    Exec(conn, L"INSERT INTO all_sdo_geom_metadata (owner,table_name,column_name,diminfo,srid) VALUES "
               L"('GIS','PARCELS_V','GEOM',SDO_DIM_ARRAY(SDO_DIM_ELEMENT('X', 0, 1, 0.5)),NULL) ");
    Rows pane = Query(conn,
                      L" select a.owner, a.table_name, a.column_name, b.constraint_name  from all_sdo_geom_metadata a "
                      L" LEFT JOIN ALL_CONSTRAINTS b ON  a.owner = b.owner AND a.table_name=b.table_name AND "
                      L"b.constraint_type = 'P' where a.owner = :1  order by a.owner, a.table_name ",
                      {L"OWNER", L"TABLE_NAME", L"COLUMN_NAME", L"CONSTRAINT_NAME"}, {L"GIS"});
    EXPECT_EQ(pane, (Rows{{L"GIS", L"PARCELS", L"GEOM", L"PARCELS_PK"}, {L"GIS", L"PARCELS_V", L"GEOM", L"PARCELS_V_PK"}}));

    Exec(conn, L"ALTER VIEW GIS.PARCELS_V DROP primary key");
    Exec(conn, L"ALTER TABLE GIS.PARCELS DROP primary key");
    EXPECT_EQ(Query(conn, keyCols, {L"COLUMN_NAME"}, {L"GIS", L"PARCELS"}).size(), 0u);
    Exec(conn, L"INSERT INTO GIS.PARCELS (A, B) VALUES (1, 'x')");
    EXPECT_NE(ErrorOf([&] { Exec(conn, L"ALTER TABLE GIS.PARCELS DROP primary key"); }).find("ORA-02441"),
              std::string::npos);
    EXPECT_NE(ErrorOf([&] { Exec(conn, L"ALTER TABLE GIS.NOTHING ADD CONSTRAINT N_PK primary key (A)"); })
                  .find("ORA-00942"),
              std::string::npos);
}

TEST(NorvOracleLogin, WrongPasswordNamesTheUserAndLeavesTheConnectionClosed) {
    DataHome home("login");
    { FdoPtr<FdoIConnection> first = Oracle(L"scott", L"tiger"); }
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> bad = manager->CreateConnection(L"Norv.Oracle");
    bad->SetConnectionString(L"Username=scott;Password=lion;Service=ORCL;");
    std::string error = ErrorOf([&] { bad->Open(); });
    EXPECT_NE(error.find("ORA-01017"), std::string::npos) << error;
    EXPECT_NE(error.find("SCOTT"), std::string::npos) << error;
    EXPECT_EQ(bad->GetConnectionState(), FdoConnectionState_Closed);
}

TEST(NorvOracleLogin, DataHomesAndServicesAreIsolated) {
    DataHome home("isolation");
    {
        FdoPtr<FdoIConnection> a = Oracle(L"GIS", L"pw", L"ONE");
        Exec(a, L"CREATE TABLE ROADS (ID NUMBER)");
        FdoPtr<FdoIConnection> b = Oracle(L"GIS", L"pw", L"TWO");
        EXPECT_NE(ErrorOf([&] { Query(b, L"SELECT ID FROM ROADS", {L"ID"}); }).find("ORA-00942"), std::string::npos);
    }
    EXPECT_TRUE(fs::exists(home.Dir() / "oracle" / "one" / "catalog.sqlite"));
    EXPECT_TRUE(fs::exists(home.Dir() / "oracle" / "two" / "owner-GIS.sqlite"));
    // A service name cannot climb out of the data home.
    { FdoPtr<FdoIConnection> c = Oracle(L"GIS", L"pw", L"../../escape"); }
    EXPECT_FALSE(fs::exists(home.Dir().parent_path() / "escape"));
    EXPECT_FALSE(fs::exists(home.Dir() / "escape"));
}

TEST(NorvOracleLogin, OwnerSchemasResolveAndUnknownOwnersFail) {
    DataHome home("owners");
    FdoPtr<FdoIConnection> c = Oracle(L"scott", L"tiger", L"ORCL", L"gis");
    Exec(c, L"CREATE TABLE GIS.ROADS (ID NUMBER)");
    Exec(c, L"create table mine (id number)");
    Rows mine = Query(c, L"SELECT owner, table_name FROM all_tab_columns WHERE column_name = 'ID' ORDER BY owner",
                      {L"OWNER", L"TABLE_NAME"});
    EXPECT_EQ(mine, (Rows{{L"GIS", L"ROADS"}, {L"SCOTT", L"MINE"}}));
    EXPECT_NE(ErrorOf([&] { Exec(c, L"CREATE TABLE NOBODY.T (ID NUMBER)"); }).find("ORA-01918"), std::string::npos);
}

TEST(NorvMsSqlSql, NorvFdoClassTableStatements) {
    DataHome home("mssql");
    FdoPtr<FdoIConnection> c =
        Connect(L"Norv.MsSqlSpatial", L"Server=localhost;Database=gisdb;Username=sa;Password=pw;NorvFdoClass=NorvFdoClass;");
    FdoPtr<FdoIConnectionInfo> info = c->GetConnectionInfo();
    FdoPtr<FdoIConnectionPropertyDictionary> props = info->GetConnectionProperties();
    EXPECT_STREQ(props->GetProperty(L"NorvFdoClass"), L"NorvFdoClass");
    Exec(c, L" CREATE TABLE NorvFdoClass (\tFDO_UNIQUE_ID INTEGER IDENTITY PRIMARY KEY, FDO_SCHEMA VARCHAR(64), "
            L"FDO_CLASS_NAME VARCHAR(64)  ,QUERY_SCHEMA VARCHAR(128) ,QUERY_NAME VARCHAR(128)  ,GEOM_TABLE_SCHEMA "
            L"VARCHAR(128), GEOM_TABLE_NAME VARCHAR(128), GEOM_COLUMN VARCHAR(128)  ,CLASSIDENTITY VARCHAR(128), "
            L"GEOMETRY_TYPE VARCHAR(128) ) ");
    Exec(c, L" INSERT INTO NorvFdoClass ( FDO_CLASS_NAME, FDO_SCHEMA , QUERY_SCHEMA , QUERY_NAME,GEOM_TABLE_SCHEMA , "
            L"GEOM_TABLE_NAME , GEOM_COLUMN, CLASSIDENTITY , GEOMETRY_TYPE )  VALUES (  'Roads' , UPPER('dbo') "
            L",NULL,NULL,NULL,NULL,NULL,NULL,NULL ) ");
    Exec(c, L" INSERT INTO NorvFdoClass ( FDO_CLASS_NAME, FDO_SCHEMA , QUERY_SCHEMA , QUERY_NAME,GEOM_TABLE_SCHEMA , "
            L"GEOM_TABLE_NAME , GEOM_COLUMN, CLASSIDENTITY , GEOMETRY_TYPE )  VALUES (  'Other' "
            L",NULL,NULL,NULL,NULL,NULL,NULL,NULL,NULL ) ");
    EXPECT_EQ(Exec(c, L" UPDATE NorvFdoClass SET  FDO_CLASS_NAME= 'Streets'  ,FDO_SCHEMA=UPPER('gis')  "
                      L",QUERY_SCHEMA=NULL ,QUERY_NAME=NULL ,GEOM_TABLE_SCHEMA=NULL ,GEOM_TABLE_NAME=NULL "
                      L",GEOM_COLUMN=NULL ,CLASSIDENTITY=NULL ,GEOMETRY_TYPE=NULL  WHERE FDO_CLASS_NAME = "
                      L":1<char(4000)> ",
                   {L"Roads"}),
              1);
    Rows rows = Query(c,
                      L" SELECT k.FDO_SCHEMA, k.FDO_CLASS_NAME  ,k.QUERY_SCHEMA, k.QUERY_NAME  ,k.GEOM_TABLE_SCHEMA "
                      L",k.GEOM_TABLE_NAME ,k.GEOM_COLUMN  ,k.CLASSIDENTITY , k.GEOMETRY_TYPE  FROM NorvFdoClass k",
                      {L"FDO_SCHEMA", L"FDO_CLASS_NAME", L"QUERY_NAME"});
    EXPECT_EQ(rows, (Rows{{L"GIS", L"Streets", L""}, {L"", L"Other", L""}}));
    EXPECT_EQ(Exec(c, L" DELETE NorvFdoClass WHERE FDO_CLASS_NAME = :1 ", {L"Streets"}), 1);
    Exec(c, L" DROP TABLE NorvFdoClass");
}

TEST(NorvSdoElements, ElementFormsBecomeWellKnownText) {
    using norvdb::NorvSdoElements;
    EXPECT_EQ(NorvSdoElements::ToWkt(2002, {1, 2, 1}, {0, 0, 1, 1, 2, 0}), "LINESTRING (0 0, 1 1, 2 0)");
    EXPECT_EQ(NorvSdoElements::ToWkt(2003, {1, 1003, 3}, {0, 0, 2, 1}), "POLYGON ((0 0, 2 0, 2 1, 0 1, 0 0))");
    EXPECT_EQ(NorvSdoElements::ToWkt(2007, {1, 1003, 1, 9, 2003, 1, 17, 1003, 1},
                                     {0, 0, 4, 0, 4, 4, 0, 0, 1, 1, 2, 1, 2, 2, 1, 1, 9, 9, 8, 9, 8, 8, 9, 9}),
              "MULTIPOLYGON (((0 0, 4 0, 4 4, 0 0), (1 1, 2 1, 2 2, 1 1)), ((9 9, 8 9, 8 8, 9 9)))");
    EXPECT_EQ(NorvSdoElements::ToWkt(3001, {1, 1, 1}, {1, 2, 3}), "POINT Z (1 2 3)");
    EXPECT_THROW(NorvSdoElements::ToWkt(2002, {1, 2, 2}, {0, 0, 1, 1, 2, 0}), std::invalid_argument);
    EXPECT_THROW(NorvSdoElements::ToWkt(2002, {7, 2, 1}, {0, 0, 1, 1}), std::invalid_argument);
    EXPECT_THROW(NorvSdoElements::ToWkt(2003, {1, 2003, 1}, {0, 0, 1, 1, 0, 0}), std::invalid_argument);
}

TEST_F(NorvOracleSql, GeometriesWrittenInElementForm) {
    Exec(conn, L"CREATE TABLE GIS.LAKES (ID NUMBER(10,0), GEOM MDSYS.SDO_GEOMETRY)");
    Exec(conn, L"INSERT INTO GIS.LAKES VALUES (1, MDSYS.SDO_GEOMETRY(2003, 8307, NULL, "
               L"MDSYS.SDO_ELEM_INFO_ARRAY(1, 1003, 3), MDSYS.SDO_ORDINATE_ARRAY(1, 2, 5, 7)))");
    FdoPtr<FdoISQLCommand> cmd = SqlCommand(conn, L"SELECT a.GEOM, a.GEOM.SDO_GTYPE AS GT FROM GIS.LAKES a", {});
    FdoPtr<FdoISQLDataReader> r = cmd->ExecuteReader();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_EQ(r->GetInt32(L"GT"), 2003);
    FdoPtr<FdoByteArray> fgf = r->GetGeometry(L"GEOM");
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> g = factory->CreateGeometryFromFgf(fgf);
    FdoPtr<FdoIEnvelope> env = g->GetEnvelope();
    EXPECT_DOUBLE_EQ(env->GetMaxX(), 5);
    EXPECT_DOUBLE_EQ(env->GetMaxY(), 7);
    r->Close();
    EXPECT_NE(ErrorOf([&] {
                  Exec(conn, L"INSERT INTO GIS.LAKES VALUES (2, SDO_GEOMETRY(2002, NULL, NULL, "
                             L"SDO_ELEM_INFO_ARRAY(1, 2, 2), SDO_ORDINATE_ARRAY(0, 0, 1, 1, 2, 0)))");
              }).find("arcs"),
              std::string::npos);
}
