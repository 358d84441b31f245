// c_API_NorvMsSqlSpatial: administration of the NorvFdoClass class-mapping
// table of the maker's SQL Server provider, by SQL sent through an open FDO
// connection that the caller owns.
//
// Table operations return true when the statement ran (not when a row
// changed); a null or empty table name returns false with nothing sent.
// Errors of the provider or the server propagate as FdoException.
#pragma once

#include <GeoxferApi/Export.h>
#include <GeoxferApi/MssNorvFdoClassData.h>

#include <Fdo/Common/StringP.h>

class FdoIConnection;

class GXF_API c_API_NorvMsSqlSpatial {
public:
    c_API_NorvMsSqlSpatial() = default;
    ~c_API_NorvMsSqlSpatial() = default;
    c_API_NorvMsSqlSpatial& operator=(const c_API_NorvMsSqlSpatial&) { return *this; }

    // The connection's provider name contains "Norv.MsSqlSpatial".
    static bool IsNorvMssProvider(FdoIConnection* conn);
    // The "NorvFdoClass" connection property (may be empty); false, with
    // tableName unchanged, for a connection of another provider.
    static bool GetProperty_NorvFdoClass(FdoIConnection* conn, FdoStringP& tableName);

    static bool CreateNorvFdoClassTable(FdoIConnection* conn, const wchar_t* tableName);
    static bool DropNorvFdoClassTable(FdoIConnection* conn, const wchar_t* tableName);
    static bool InsertNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName, c_MssNorvFdoClassData* data);
    // Changes the row keyed by fdoClassName; since the class name is written
    // too, this can rename the class.
    static bool UpdateNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName, const wchar_t* fdoClassName,
                                   c_MssNorvFdoClassData* data);
    static bool DeleteNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName, const wchar_t* fdoClassName);
    // Appends one record per row (the collection is not cleared); returns
    // the number appended.
    static int GetNorvFdoClassRecords(FdoIConnection* conn, const wchar_t* tableName,
                                      c_MssNorvFdoClassDataCollection* records);
};
