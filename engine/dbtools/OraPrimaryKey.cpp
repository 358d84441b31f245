// Columns and primary keys of Oracle tables and views. A view gets a
// declared, unenforced key (DISABLE NOVALIDATE); a table an enforced one.
// The form is chosen by asking the data dictionary whether the name is a
// view. Names go into the ALTER statements unquoted and must be plain
// identifiers.
#include <GeoxferApi/FDO_Api.h>

#include "dbtools/SqlText.h"

using namespace gxf::dbtools;

int c_FDO_Api::NorvOracle_GetTableColumns(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                          FdoStringCollection* result) {
    FdoPtr<FdoISQLDataReader> reader = ExecuteReader(
        conn, L" SELECT column_name,data_type FROM all_tab_columns a WHERE a.owner=:1 AND a.table_name=:2",
        {owner, table});
    return AppendRowStrings(reader, {L"COLUMN_NAME", L"DATA_TYPE"}, result);
}

int c_FDO_Api::NorvOracle_GetPkeyColumns(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                         FdoStringCollection* result) {
    FdoPtr<FdoISQLDataReader> reader =
        ExecuteReader(conn,
                      L"SELECT acc.column_name FROM all_constraints ac, all_cons_columns acc WHERE ac.owner = :1 and "
                      L"ac.table_name = :2 AND ac.constraint_type = 'P' AND ac.owner = acc.owner AND "
                      L"ac.constraint_name = acc.constraint_name",
                      {owner, table});
    return AppendRowStrings(reader, {L"COLUMN_NAME"}, result);
}

bool c_FDO_Api::NorvOracle_IsView(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table) {
    FdoPtr<FdoISQLDataReader> reader =
        ExecuteReader(conn, L"SELECT owner,view_name FROM all_views where owner=:1 and view_name=:2", {owner, table});
    bool found = reader->ReadNext();
    reader->Close();
    return found;
}

bool c_FDO_Api::NorvOracle_DropPrimaryKey(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table) {
    FdoStringP o = CheckName(owner), t = CheckName(table);
    FdoString* form = NorvOracle_IsView(conn, owner, table) ? L"ALTER VIEW %ls.%ls DROP primary key"
                                                           : L"ALTER TABLE %ls.%ls DROP primary key";
    ExecuteNonQuery(conn, FdoStringP::Format(form, W(o), W(t)));
    return true;
}

bool c_FDO_Api::NorvOracle_CreatePrimaryKey(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                            FdoStringCollection* columns, const wchar_t* constraintName) {
    FdoStringP o = CheckName(owner), t = CheckName(table), k = CheckName(constraintName);
    if (!columns || columns->GetCount() == 0)
        throw FdoException::Create(
            FdoStringP::Format(L"No key columns given for the primary key of %ls.%ls", W(o), W(t)));
    FdoStringP joined;
    for (FdoInt32 i = 0; i < columns->GetCount(); i++) {
        if (i > 0) joined += L",";
        joined += CheckName(columns->GetString(i));
    }
    FdoString* form = NorvOracle_IsView(conn, owner, table)
                          ? L"ALTER VIEW %ls.%ls ADD CONSTRAINT %ls primary key (%ls) DISABLE NOVALIDATE"
                          : L"ALTER TABLE %ls.%ls ADD CONSTRAINT %ls primary key (%ls)";
    ExecuteNonQuery(conn, FdoStringP::Format(form, W(o), W(t), W(k), W(joined)));
    return true;
}
