// Oracle spatial indexes (MDSYS.SPATIAL_INDEX): list them with their state,
// list geometry columns without one, test for an index by name, and create,
// rebuild and drop them.
//
// Index, owner, table and column names are pasted into the DDL unquoted and
// must be plain identifiers; the layer geometry type sits inside a quoted
// parameter text and has its quotes doubled, like every quoted value.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/SpatialIndexData.h>

#include "dbtools/SqlText.h"

using namespace gxf::dbtools;

int c_FDO_Api::NorvOracle_GetTablesWithSpatialIndex(FdoIConnection* conn, const wchar_t* owner,
                                                    c_SpatialIndexDataCollection* indexes) {
    FdoStringP sql =
        L"select a.sdo_index_owner, a.index_name, a.table_owner, a.table_name, a.column_name, a.sdo_index_type, "
        L"a.sdo_index_status, b.sdo_layer_gtype, b.sdo_index_geodetic, b.sdo_rtree_quality FROM ALL_SDO_INDEX_INFO a "
        L"LEFT JOIN ALL_SDO_INDEX_METADATA b  ON b.sdo_index_owner = a.sdo_index_owner and b.sdo_index_name = "
        L"a.index_name ";
    bool byOwner = !IsBlank(owner);
    if (byOwner) sql += L" WHERE a.table_owner=:1 ";
    sql += L" order by a.table_owner, a.table_name ";
    FdoPtr<FdoISQLDataReader> reader = byOwner ? ExecuteReader(conn, sql, {owner}) : ExecuteReader(conn, sql);
    int count = 0;
    while (reader->ReadNext()) {
        FdoPtr<c_SpatialIndexData> d = new c_SpatialIndexData();
        d->m_TableOwner = ReadString(reader, L"TABLE_OWNER");
        d->m_TableName = ReadString(reader, L"TABLE_NAME");
        d->m_ColumnName = ReadString(reader, L"COLUMN_NAME");
        d->m_IndexOwner = ReadString(reader, L"SDO_INDEX_OWNER");
        d->m_IndexName = ReadString(reader, L"INDEX_NAME");
        d->m_IndexType = ReadString(reader, L"SDO_INDEX_TYPE");
        d->m_LayerGType = ReadString(reader, L"SDO_LAYER_GTYPE");
        d->m_IndexGeodetic = ReadString(reader, L"SDO_INDEX_GEODETIC");
        d->m_IndexStatus = ReadString(reader, L"SDO_INDEX_STATUS");
        d->m_RtreeQualityIsNull = ReadIsNull(reader, L"SDO_RTREE_QUALITY");
        d->m_RtreeQuality = d->m_RtreeQualityIsNull ? 0 : ReadDouble(reader, L"SDO_RTREE_QUALITY");
        if (indexes) indexes->Add(d);
        count++;
    }
    reader->Close();
    return count;
}

int c_FDO_Api::NorvOracle_GetSpatialTablesWithoutSpatialIndex(FdoIConnection* conn, const wchar_t* owner,
                                                              FdoStringCollection* result) {
    bool byOwner = !IsBlank(owner);
    FdoStringP sql =
        L" SELECT owner,table_name,column_name FROM all_tab_columns a WHERE a.owner<>'MDSYS' AND "
        L"data_type='SDO_GEOMETRY' ";
    if (byOwner) sql += L" AND a.owner=UPPER(:1) ";
    sql += L" MINUS  SELECT b.table_owner, b.table_name, b.column_name  FROM ALL_SDO_INDEX_INFO b ";
    if (byOwner) sql += L" WHERE b.table_owner=UPPER(:2) ";
    FdoPtr<FdoISQLDataReader> reader = byOwner ? ExecuteReader(conn, sql, {owner, owner}) : ExecuteReader(conn, sql);
    return AppendRowStrings(reader, {L"OWNER", L"TABLE_NAME", L"COLUMN_NAME"}, result);
}

bool c_FDO_Api::NorvOracle_CheckIndexExists(FdoIConnection* conn, const wchar_t* tableOwner, const wchar_t* table,
                                            const wchar_t* indexName, FdoStringP& indexOwner) {
    FdoStringP o = QuoteText(tableOwner), t = QuoteText(table), i = QuoteText(indexName);
    FdoPtr<FdoISQLDataReader> reader = ExecuteReader(
        conn, FdoStringP::Format(
                  L"SELECT owner FROM all_indexes WHERE table_owner='%ls' and table_name='%ls' and index_name='%ls'",
                  W(o), W(t), W(i)));
    bool found = reader->ReadNext();
    if (found) indexOwner = ReadString(reader, L"OWNER");
    reader->Close();
    return found;
}

bool c_FDO_Api::NorvOracle_CreateSpatialIndex(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                              const wchar_t* column, const wchar_t* indexName,
                                              const wchar_t* layerGType) {
    FdoStringP i = CheckName(indexName), o = CheckName(owner), t = CheckName(table), c = CheckName(column);
    FdoStringP sql =
        FdoStringP::Format(L"CREATE INDEX %ls ON %ls.%ls (%ls) INDEXTYPE IS MDSYS.SPATIAL_INDEX ", W(i), W(o), W(t), W(c));
    if (!IsBlank(layerGType))
        sql += FdoStringP::Format(L" PARAMETERS ('layer_gtype= %ls')", W(QuoteText(layerGType)));
    ExecuteNonQuery(conn, sql);
    return true;
}

bool c_FDO_Api::NorvOracle_RebuildSpatialIndex(FdoIConnection* conn, const wchar_t* indexOwner,
                                               const wchar_t* indexName, const wchar_t* layerGType) {
    FdoStringP o = CheckName(indexOwner), i = CheckName(indexName);
    FdoStringP sql = FdoStringP::Format(L"ALTER INDEX %ls.%ls REBUILD ", W(o), W(i));
    if (!IsBlank(layerGType))
        sql += FdoStringP::Format(L"PARAMETERS ('layer_gtype= %ls')", W(QuoteText(layerGType)));
    ExecuteNonQuery(conn, sql);
    return true;
}

bool c_FDO_Api::NorvOracle_DropIndex(FdoIConnection* conn, const wchar_t* indexOwner, const wchar_t* indexName) {
    FdoStringP o = CheckName(indexOwner), i = CheckName(indexName);
    ExecuteNonQuery(conn, FdoStringP::Format(L"DROP INDEX %ls.%ls FORCE ", W(o), W(i)));
    return true;
}
