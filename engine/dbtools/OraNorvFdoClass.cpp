// The Oracle NorvFdoClass class-mapping table: create, drop, insert, update,
// delete and list its rows through the caller's open connection.
//
// The table name comes from the connection's NorvFdoClass property and is
// pasted into the statements unquoted, so it must be a plain (optionally
// owner-qualified) name; row values go between quotes with their quotes
// doubled; the row key is always bound as a parameter.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/OraNorvFdoClassData.h>

#include "dbtools/NorvFdoClassSql.h"
#include "dbtools/SqlText.h"

using namespace gxf::dbtools;

namespace {

const wchar_t* const kCreateColumns =
    L" (\tFDO_UNIQUE_ID NUMBER(*,0), FDO_ORA_OWNER VARCHAR2(64 BYTE), FDO_ORA_NAME VARCHAR2(64 BYTE), "
    L"FDO_ORA_GEOMCOLUMN VARCHAR2(1024 BYTE),  FDO_SPATIALTABLE_OWNER VARCHAR2(64 BYTE), "
    L"FDO_SPATIALTABLE_NAME VARCHAR2(64 BYTE), FDO_SPATIALTABLE_GEOMCOLUMN VARCHAR2(1024 BYTE),  "
    L"FDO_CLASS_NAME VARCHAR2(256 BYTE), FDO_SRID NUMBER, FDO_DIMINFO MDSYS.SDO_DIM_ARRAY , "
    L"FDO_CS_NAME VARCHAR2(256 BYTE),  FDO_WKTEXT VARCHAR2(2046 BYTE), FDO_LAYER_GTYPE VARCHAR2(64 BYTE), "
    L"FDO_SEQUENCE_NAME VARCHAR2(64 BYTE), FDO_IDENTITY VARCHAR2(1024 BYTE),  FDO_SDO_ROOT_MBR MDSYS.SDO_GEOMETRY , "
    L"FDO_POINT_X_COLUMN VARCHAR2(128 BYTE), FDO_POINT_Y_COLUMN VARCHAR2(128 BYTE),  "
    L"FDO_POINT_Z_COLUMN VARCHAR2(128 BYTE), FDO_SPATIAL_CONTEXT VARCHAR2(128 BYTE)  ) ";

}  // namespace

bool c_FDO_Api::NorvOracle_CreateNorvFdoClassTable(FdoIConnection* conn, const wchar_t* tableName) {
    if (IsBlank(tableName)) return false;
    ExecuteNonQuery(conn, FdoStringP(L" CREATE TABLE ") + CheckName(tableName, true) + kCreateColumns);
    return true;
}

bool c_FDO_Api::NorvOracle_DropNorvFdoClassTable(FdoIConnection* conn, const wchar_t* tableName) {
    if (IsBlank(tableName)) return false;
    ExecuteNonQuery(conn, FdoStringP(L" DROP TABLE ") + CheckName(tableName, true));
    return true;
}

bool c_FDO_Api::NorvOracle_DeleteNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName,
                                              const wchar_t* fdoClassName) {
    if (IsBlank(tableName)) return false;
    ExecuteNonQuery(conn, FdoStringP(L" DELETE ") + CheckName(tableName, true) + L" WHERE FDO_CLASS_NAME = :1 ",
                    {fdoClassName});
    return true;
}

bool c_FDO_Api::NorvOracle_InsertNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName,
                                              c_OraNorvFdoClassData* d) {
    if (IsBlank(tableName) || !d) return false;
    FdoStringP sql = FdoStringP(L" INSERT INTO ") + CheckName(tableName, true) +
                     L" ( FDO_CLASS_NAME,FDO_ORA_OWNER,FDO_ORA_NAME,FDO_ORA_GEOMCOLUMN" +
                     L",FDO_SPATIALTABLE_OWNER,FDO_SPATIALTABLE_NAME,FDO_SPATIALTABLE_GEOMCOLUMN" +
                     L",FDO_POINT_X_COLUMN,FDO_POINT_Y_COLUMN,FDO_POINT_Z_COLUMN" +
                     L",FDO_LAYER_GTYPE,FDO_IDENTITY,FDO_SEQUENCE_NAME ) ";
    sql += NorvFdoClassInsertValues(
        d->m_FdoClassName,
        {&d->m_OraOwner, &d->m_OraName, &d->m_OraGeomColumn, &d->m_SpatialTableOwner, &d->m_SpatialTableName,
         &d->m_SpatialTableGeomColumn, &d->m_PointXColumn, &d->m_PointYColumn, &d->m_PointZColumn,
         &d->m_LayerGType, &d->m_Identity, &d->m_SequenceName});
    ExecuteNonQuery(conn, sql);
    return true;
}

bool c_FDO_Api::NorvOracle_UpdateNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName,
                                              const wchar_t* fdoClassName, c_OraNorvFdoClassData* d) {
    if (IsBlank(tableName) || !d) return false;
    FdoStringP sql = FdoStringP(L" UPDATE ") + CheckName(tableName, true) +
                     NorvFdoClassUpdateSet(d->m_FdoClassName,
                                           {{L" ,FDO_ORA_OWNER=", &d->m_OraOwner},
                                            {L" ,FDO_ORA_NAME=", &d->m_OraName},
                                            {L" ,FDO_ORA_GEOMCOLUMN=", &d->m_OraGeomColumn},
                                            {L" ,FDO_SPATIALTABLE_OWNER=", &d->m_SpatialTableOwner},
                                            {L" ,FDO_SPATIALTABLE_NAME=", &d->m_SpatialTableName},
                                            {L" ,FDO_SPATIALTABLE_GEOMCOLUMN=", &d->m_SpatialTableGeomColumn},
                                            {L" ,FDO_POINT_X_COLUMN=", &d->m_PointXColumn},
                                            {L" ,FDO_POINT_Y_COLUMN=", &d->m_PointYColumn},
                                            {L" ,FDO_POINT_Z_COLUMN=", &d->m_PointZColumn},
                                            {L" ,FDO_LAYER_GTYPE=", &d->m_LayerGType},
                                            {L" ,FDO_IDENTITY=", &d->m_Identity},
                                            {L" ,FDO_SEQUENCE_NAME=", &d->m_SequenceName}}) +
                     L"  WHERE FDO_CLASS_NAME = :1 ";
    ExecuteNonQuery(conn, sql, {fdoClassName});
    return true;
}

int c_FDO_Api::NorvOracle_GetNorvFdoClassRecords(FdoIConnection* conn, const wchar_t* tableName,
                                                 c_OraNorvFdoClassDataCollection* records) {
    if (IsBlank(tableName)) return 0;
    FdoStringP sql =
        FdoStringP(L" SELECT k.FDO_CLASS_NAME, k.FDO_ORA_OWNER, k.FDO_ORA_NAME, k.FDO_ORA_GEOMCOLUMN,  "
                   L"k.FDO_SPATIALTABLE_OWNER, k.FDO_SPATIALTABLE_NAME, k.FDO_SPATIALTABLE_GEOMCOLUMN,  "
                   L"k.FDO_POINT_X_COLUMN, k.FDO_POINT_Y_COLUMN, k.FDO_POINT_Z_COLUMN,  "
                   L"k.FDO_LAYER_GTYPE, k.FDO_IDENTITY, k.FDO_SEQUENCE_NAME,  "
                   L"k.fdo_srid, k.fdo_diminfo, k.fdo_cs_name, k.fdo_wktext, k.fdo_sdo_root_mbr  FROM ") +
        CheckName(tableName, true) + L" k";
    FdoPtr<FdoISQLDataReader> reader = ExecuteReader(conn, sql);
    int count = 0;
    while (reader->ReadNext()) {
        FdoPtr<c_OraNorvFdoClassData> r = new c_OraNorvFdoClassData();
        r->m_FdoClassName = ReadString(reader, L"FDO_CLASS_NAME");
        r->m_OraOwner = ReadString(reader, L"FDO_ORA_OWNER");
        r->m_OraName = ReadString(reader, L"FDO_ORA_NAME");
        r->m_OraGeomColumn = ReadString(reader, L"FDO_ORA_GEOMCOLUMN");
        r->m_SpatialTableOwner = ReadString(reader, L"FDO_SPATIALTABLE_OWNER");
        r->m_SpatialTableName = ReadString(reader, L"FDO_SPATIALTABLE_NAME");
        r->m_SpatialTableGeomColumn = ReadString(reader, L"FDO_SPATIALTABLE_GEOMCOLUMN");
        r->m_PointXColumn = ReadString(reader, L"FDO_POINT_X_COLUMN");
        r->m_PointYColumn = ReadString(reader, L"FDO_POINT_Y_COLUMN");
        r->m_PointZColumn = ReadString(reader, L"FDO_POINT_Z_COLUMN");
        r->m_LayerGType = ReadString(reader, L"FDO_LAYER_GTYPE");
        r->m_Identity = ReadString(reader, L"FDO_IDENTITY");
        r->m_SequenceName = ReadString(reader, L"FDO_SEQUENCE_NAME");
        if (records) records->Add(r);
        count++;
    }
    reader->Close();
    return count;
}
