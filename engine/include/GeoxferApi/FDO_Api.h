// c_FDO_Api: the engine's transfer operations, grouped as static members.
//
// Operations that take provider names and connection strings return a result
// code (see LastError.h); those that take open connections throw FdoException.
#pragma once

#include <GeoxferApi/Export.h>

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/StringP.h>

class FdoIConnection;

class GXF_API c_FDO_Api {
public:
    // Pointer to the engine's own last error text; valid until the next
    // failure replaces it.
    static const wchar_t* GXF_GetLastError();

    // Provider kinds, told from the name the connection reports. The SDF and
    // SHP tests ignore case; the maker's providers are matched with exact case.
    static bool IsSdfProvider(FdoIConnection* connection);
    static bool IsShpProvider(FdoIConnection* connection);
    static bool IsNorvMssProvider(FdoIConnection* connection);
    static bool IsNorvInformixProvider(FdoIConnection* connection);
    static bool IsNorvOracleProvider(FdoIConnection* connection);

    // True when the connection's command capabilities list the command.
    static bool GetSupportCommand(FdoIConnection* connection, FdoCommandType command);

    // False for a connection that is not the maker's Oracle provider;
    // otherwise true with the connection property's value.
    static bool NorvOracleProvider_GetProperty_NorvFdoClass(FdoIConnection* connection, FdoStringP& value);
    static bool NorvOracleProvider_GetProperty_OracleSchema(FdoIConnection* connection, FdoStringP& value);
};
