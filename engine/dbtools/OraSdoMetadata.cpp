// Oracle spatial metadata (ALL_SDO_GEOM_METADATA): list rows and the
// geometry columns that lack one, read and write the dimension array and
// SRID of a column, delete a row, and help fill new metadata with the extent
// and the SRIDs of the stored geometries.
//
// Names that are bound stay exact; names put between quotes have their
// quotes doubled; names pasted unquoted (the extent and SRID queries) must be
// plain identifiers.
#include <GeoxferApi/DimInfoData.h>
#include <GeoxferApi/FDO_Api.h>

#include "dbtools/SqlText.h"

using namespace gxf::dbtools;

namespace {

// "SDO_DIM_ARRAY(SDO_DIM_ELEMENT('X', -180, 180, 0.05),...)".
FdoStringP DimArrayText(c_DimInfoDataCollection* dims) {
    FdoStringP text = L"SDO_DIM_ARRAY(";
    for (FdoInt32 i = 0; i < dims->GetCount(); i++) {
        FdoPtr<c_DimInfoData> d = dims->GetItem(i);
        if (i > 0) text += L",";
        text += FdoStringP::Format(L"SDO_DIM_ELEMENT('%ls', %ls, %ls, %ls)", W(QuoteText(d->m_DimName)),
                                   W(FormatG(d->m_LowerBound)), W(FormatG(d->m_UpperBound)),
                                   W(FormatG(d->m_Tolerance)));
    }
    return text + L")";
}

}  // namespace

int c_FDO_Api::NorvOracle_GetTablesInSdoMetadata(FdoIConnection* conn, const wchar_t* owner,
                                                 FdoStringCollection* result) {
    FdoPtr<FdoISQLDataReader> reader;
    if (!IsBlank(owner))
        reader = ExecuteReader(conn,
                               L" SELECT owner,table_name,column_name,SRID FROM all_sdo_geom_metadata a WHERE "
                               L"a.owner=:1 order by owner,table_name",
                               {owner});
    else
        reader = ExecuteReader(conn,
                               L" SELECT owner,table_name,column_name,SRID FROM all_sdo_geom_metadata a WHERE "
                               L"owner<>'MDSYS' order by owner,table_name");
    int count = 0;
    while (reader->ReadNext()) {
        FdoStringP srid = ReadIsNull(reader, L"SRID")
                              ? FdoStringP(L"NULL")
                              : FdoStringP::Format(L"%ld", static_cast<long>(ReadInt32(reader, L"SRID")));
        if (result) {
            result->Add(ReadString(reader, L"OWNER"));
            result->Add(ReadString(reader, L"TABLE_NAME"));
            result->Add(ReadString(reader, L"COLUMN_NAME"));
            result->Add(srid);
        }
        count++;
    }
    reader->Close();
    return count;
}

int c_FDO_Api::NorvOracle_GetTablesWithSdoGeometry(FdoIConnection* conn, const wchar_t* owner,
                                                   FdoStringCollection* result) {
    FdoPtr<FdoISQLDataReader> reader;
    if (!IsBlank(owner))
        reader = ExecuteReader(conn,
                               L" SELECT owner,table_name,column_name FROM all_tab_columns a WHERE a.owner<>'MDSYS' "
                               L"and a.owner=:1 AND data_type='SDO_GEOMETRY'  MINUS SELECT "
                               L"owner,table_name,column_name from all_sdo_geom_metadata b where b.owner=:2",
                               {owner, owner});
    else
        reader = ExecuteReader(conn,
                               L" SELECT owner,table_name,column_name FROM all_tab_columns a WHERE "
                               L"data_type='SDO_GEOMETRY' MINUS SELECT owner,table_name,column_name from "
                               L"all_sdo_geom_metadata b ");
    return AppendRowStrings(reader, {L"OWNER", L"TABLE_NAME", L"COLUMN_NAME"}, result);
}

int c_FDO_Api::NorvOracle_GetMetadataDimInfo(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                             const wchar_t* column, c_DimInfoDataCollection* dims, long& srid) {
    FdoPtr<FdoISQLDataReader> reader = ExecuteReader(
        conn,
        L" SELECT SRID,SDO_DIMNAME,SDO_LB,SDO_UB,SDO_TOLERANCE FROM all_sdo_geom_metadata a,  TABLE(select diminfo "
        L"from all_sdo_geom_metadata where owner=a.owner and table_name=a.table_name and column_name = "
        L"a.column_name) b  where a.owner=:1 and a.table_name=:2 and a.column_name=:3 ",
        {owner, table, column});
    int count = 0;
    while (reader->ReadNext()) {
        srid = ReadIsNull(reader, L"SRID") ? 0 : ReadInt32(reader, L"SRID");
        auto number = [&](FdoString* c) { return ReadIsNull(reader, c) ? 0.0 : ReadDouble(reader, c); };
        FdoPtr<c_DimInfoData> d = new c_DimInfoData(ReadString(reader, L"SDO_DIMNAME"), number(L"SDO_LB"),
                                                     number(L"SDO_UB"), number(L"SDO_TOLERANCE"));
        if (dims) dims->Add(d);
        count++;
    }
    reader->Close();
    return count;
}

int c_FDO_Api::NorvOracle_SetMetadataDimInfo(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                             const wchar_t* column, c_DimInfoDataCollection* dims, long srid) {
    if (!dims) return 0;
    FdoStringP array = DimArrayText(dims);

    // The row is looked up with the names as passed. An insert stores them
    // upper-cased, so a row written earlier from the same lower-case names
    // is looked up upper-cased too; otherwise a second write would add a
    // second row for the same column instead of updating the first.
    FdoPtr<c_DimInfoDataCollection> current = c_DimInfoDataCollection::Create();
    long currentSrid = 0;
    FdoStringP o(owner), t(table), c(column);
    bool exists = NorvOracle_GetMetadataDimInfo(conn, o, t, c, current, currentSrid) > 0;
    if (!exists && (o != o.Upper() || t != t.Upper() || c != c.Upper()) &&
        NorvOracle_GetMetadataDimInfo(conn, o.Upper(), t.Upper(), c.Upper(), current, currentSrid) > 0) {
        exists = true;
        o = o.Upper();
        t = t.Upper();
        c = c.Upper();
    }

    if (exists) {
        FdoStringP sql = srid > 0
                             ? FdoStringP::Format(L"UPDATE all_sdo_geom_metadata SET diminfo=%ls , srid = %ld ",
                                                  W(array), srid)
                             : FdoStringP::Format(L"UPDATE all_sdo_geom_metadata SET diminfo = %ls , srid = NULL ",
                                                  W(array));
        sql += L" WHERE owner=:1 and table_name=:2 and column_name=:3 ";
        return ExecuteNonQuery(conn, sql, {o, t, c});
    }
    FdoStringP sql = L"INSERT INTO all_sdo_geom_metadata (owner,table_name,column_name,diminfo,srid) VALUES ";
    FdoStringP qo = QuoteText(o), qt = QuoteText(t), qc = QuoteText(c);
    if (srid > 0)
        sql += FdoStringP::Format(L"(UPPER('%ls'),UPPER('%ls'),UPPER('%ls'),%ls,%ld) ", W(qo), W(qt), W(qc),
                                  W(array), srid);
    else
        sql += FdoStringP::Format(L"(UPPER('%ls'),UPPER('%ls'),UPPER('%ls'),%ls,NULL) ", W(qo), W(qt), W(qc),
                                  W(array));
    return ExecuteNonQuery(conn, sql);
}

int c_FDO_Api::NorvOracle_DeleteSdoMetadata(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                            const wchar_t* column) {
    FdoStringP o = QuoteText(FdoStringP(owner).Upper()), t = QuoteText(FdoStringP(table).Upper()),
               c = QuoteText(FdoStringP(column).Upper());
    return ExecuteNonQuery(
        conn, FdoStringP::Format(
                  L"DELETE ALL_SDO_GEOM_METADATA WHERE OWNER='%ls' and TABLE_NAME='%ls' and column_name='%ls'",
                  W(o), W(t), W(c)));
}

bool c_FDO_Api::NorvOracle_GetGeometriesMBR(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                            const wchar_t* column, double* mbr, long& dimensions) {
    FdoStringP c = CheckName(column), o = CheckName(owner), t = CheckName(table);
    FdoPtr<FdoISQLDataReader> reader =
        ExecuteReader(conn, FdoStringP::Format(L"SELECT SDO_AGGR_MBR(a.%ls) as MBR FROM %ls.%ls a", W(c), W(o), W(t)));
    bool result = false;
    if (reader->ReadNext() && !ReadIsNull(reader, L"MBR")) {
        FdoPtr<FdoByteArray> fgf = reader->GetGeometry(L"MBR");
        FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
        FdoPtr<FdoIGeometry> geometry = factory->CreateGeometryFromFgf(fgf);
        result = true;
        auto* polygon = dynamic_cast<FdoIPolygon*>(geometry.p);
        FdoPtr<FdoILinearRing> ring = polygon ? polygon->GetExteriorRing() : nullptr;
        if (ring) {
            FdoInt32 dim = ring->GetDimensionality();
            long n = 2 + ((dim & FdoDimensionality_Z) ? 1 : 0) + ((dim & FdoDimensionality_M) ? 1 : 0);
            dimensions = n;
            FdoInt32 positions = ring->GetCount();
            const double* ord = ring->GetOrdinates();
            if (positions > 0 && n <= 4 && mbr && ord) {
                for (long i = 0; i < n; i++) mbr[i] = mbr[n + i] = ord[i];
                for (FdoInt32 p = 0; p < positions; p++)
                    for (long i = 0; i < n; i++) {
                        double v = ord[p * n + i];
                        if (v < mbr[i]) mbr[i] = v;
                        if (v > mbr[n + i]) mbr[n + i] = v;
                    }
            }
        }
    }
    reader->Close();
    return result;
}

int c_FDO_Api::NorvOracle_FindSridInGeometries(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                               const wchar_t* column, FdoStringCollection* srids) {
    FdoStringP c = CheckName(column), o = CheckName(owner), t = CheckName(table);
    FdoPtr<FdoISQLDataReader> reader = ExecuteReader(
        conn, FdoStringP::Format(L"SELECT distinct a.%ls.sdo_srid as SRID from %ls.%ls a", W(c), W(o), W(t)));
    int count = 0;
    while (reader->ReadNext()) {
        FdoStringP srid = ReadIsNull(reader, L"SRID")
                              ? FdoStringP(L"NULL")
                              : FdoStringP::Format(L"%ld", static_cast<long>(ReadInt32(reader, L"SRID")));
        if (srids) srids->Add(srid);
        count++;
    }
    reader->Close();
    return count;
}
