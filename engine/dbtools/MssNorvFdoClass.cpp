// The SQL Server NorvFdoClass class-mapping table of the maker's
// Norv.MsSqlSpatial provider: provider test, the table-name property, and
// create, drop, insert, update, delete and list of its rows.
//
// Same rules as the Oracle table: the table name is pasted unquoted and must
// be a plain (optionally schema-qualified) name, row values are quoted with
// their quotes doubled, the row key is bound as a parameter.
#include <GeoxferApi/API_NorvMsSqlSpatial.h>
#include <GeoxferApi/FDO_Api.h>

#include "dbtools/NorvFdoClassSql.h"
#include "dbtools/SqlText.h"

using namespace gxf::dbtools;

bool c_API_NorvMsSqlSpatial::IsNorvMssProvider(FdoIConnection* conn) { return c_FDO_Api::IsNorvMssProvider(conn); }

bool c_API_NorvMsSqlSpatial::GetProperty_NorvFdoClass(FdoIConnection* conn, FdoStringP& tableName) {
    if (!IsNorvMssProvider(conn)) return false;
    FdoPtr<FdoIConnectionInfo> info = conn->GetConnectionInfo();
    FdoPtr<FdoIConnectionPropertyDictionary> dict = info->GetConnectionProperties();
    tableName = dict->GetProperty(L"NorvFdoClass");
    return true;
}

bool c_API_NorvMsSqlSpatial::CreateNorvFdoClassTable(FdoIConnection* conn, const wchar_t* tableName) {
    if (IsBlank(tableName)) return false;
    ExecuteNonQuery(conn, FdoStringP(L" CREATE TABLE ") + CheckName(tableName, true) +
                              L" (\tFDO_UNIQUE_ID INTEGER IDENTITY PRIMARY KEY, FDO_SCHEMA VARCHAR(64), "
                              L"FDO_CLASS_NAME VARCHAR(64)  ,QUERY_SCHEMA VARCHAR(128) ,QUERY_NAME VARCHAR(128)  "
                              L",GEOM_TABLE_SCHEMA VARCHAR(128), GEOM_TABLE_NAME VARCHAR(128), GEOM_COLUMN "
                              L"VARCHAR(128)  ,CLASSIDENTITY VARCHAR(128), GEOMETRY_TYPE VARCHAR(128) ) ");
    return true;
}

bool c_API_NorvMsSqlSpatial::DropNorvFdoClassTable(FdoIConnection* conn, const wchar_t* tableName) {
    if (IsBlank(tableName)) return false;
    ExecuteNonQuery(conn, FdoStringP(L" DROP TABLE ") + CheckName(tableName, true));
    return true;
}

bool c_API_NorvMsSqlSpatial::DeleteNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName,
                                                const wchar_t* fdoClassName) {
    if (IsBlank(tableName)) return false;
    ExecuteNonQuery(conn, FdoStringP(L" DELETE ") + CheckName(tableName, true) + L" WHERE FDO_CLASS_NAME = :1 ",
                    {fdoClassName});
    return true;
}

bool c_API_NorvMsSqlSpatial::InsertNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName,
                                                c_MssNorvFdoClassData* d) {
    if (IsBlank(tableName) || !d) return false;
    FdoStringP sql = FdoStringP(L" INSERT INTO ") + CheckName(tableName, true) +
                     L" ( FDO_CLASS_NAME, FDO_SCHEMA , QUERY_SCHEMA , QUERY_NAME" +
                     L",GEOM_TABLE_SCHEMA , GEOM_TABLE_NAME , GEOM_COLUMN" + L", CLASSIDENTITY , GEOMETRY_TYPE ) ";
    sql += NorvFdoClassInsertValues(d->m_FdoClassName,
                                    {&d->m_FdoSchema, &d->m_QuerySchema, &d->m_QueryName, &d->m_GeomTableSchema,
                                     &d->m_GeomTableName, &d->m_GeomColumn, &d->m_ClassIdentity, &d->m_GeometryType});
    ExecuteNonQuery(conn, sql);
    return true;
}

bool c_API_NorvMsSqlSpatial::UpdateNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName,
                                                const wchar_t* fdoClassName, c_MssNorvFdoClassData* d) {
    if (IsBlank(tableName) || !d) return false;
    FdoStringP sql = FdoStringP(L" UPDATE ") + CheckName(tableName, true) +
                     NorvFdoClassUpdateSet(d->m_FdoClassName, {{L" ,FDO_SCHEMA=", &d->m_FdoSchema},
                                                               {L" ,QUERY_SCHEMA=", &d->m_QuerySchema},
                                                               {L" ,QUERY_NAME=", &d->m_QueryName},
                                                               {L" ,GEOM_TABLE_SCHEMA=", &d->m_GeomTableSchema},
                                                               {L" ,GEOM_TABLE_NAME=", &d->m_GeomTableName},
                                                               {L" ,GEOM_COLUMN=", &d->m_GeomColumn},
                                                               {L" ,CLASSIDENTITY=", &d->m_ClassIdentity},
                                                               {L" ,GEOMETRY_TYPE=", &d->m_GeometryType}}) +
                     L"  WHERE FDO_CLASS_NAME = :1<char(4000)> ";
    ExecuteNonQuery(conn, sql, {fdoClassName});
    return true;
}

int c_API_NorvMsSqlSpatial::GetNorvFdoClassRecords(FdoIConnection* conn, const wchar_t* tableName,
                                                   c_MssNorvFdoClassDataCollection* records) {
    if (IsBlank(tableName)) return 0;
    FdoStringP sql = FdoStringP(L" SELECT k.FDO_SCHEMA, k.FDO_CLASS_NAME  ,k.QUERY_SCHEMA, k.QUERY_NAME  "
                                L",k.GEOM_TABLE_SCHEMA ,k.GEOM_TABLE_NAME ,k.GEOM_COLUMN  ,k.CLASSIDENTITY , "
                                L"k.GEOMETRY_TYPE  FROM ") +
                     CheckName(tableName, true) + L" k";
    FdoPtr<FdoISQLDataReader> reader = ExecuteReader(conn, sql);
    int count = 0;
    while (reader->ReadNext()) {
        FdoPtr<c_MssNorvFdoClassData> r = new c_MssNorvFdoClassData();
        r->m_FdoSchema = ReadString(reader, L"FDO_SCHEMA");
        r->m_FdoClassName = ReadString(reader, L"FDO_CLASS_NAME");
        r->m_QuerySchema = ReadString(reader, L"QUERY_SCHEMA");
        r->m_QueryName = ReadString(reader, L"QUERY_NAME");
        r->m_GeomTableSchema = ReadString(reader, L"GEOM_TABLE_SCHEMA");
        r->m_GeomTableName = ReadString(reader, L"GEOM_TABLE_NAME");
        r->m_GeomColumn = ReadString(reader, L"GEOM_COLUMN");
        r->m_ClassIdentity = ReadString(reader, L"CLASSIDENTITY");
        r->m_GeometryType = ReadString(reader, L"GEOMETRY_TYPE");
        if (records) records->Add(r);
        count++;
    }
    reader->Close();
    return count;
}
