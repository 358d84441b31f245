// c_FDO_MiscUtil: small helpers on connections, connection strings and files
// that the engine and the desktop program share.
#pragma once

#include <GeoxferApi/Export.h>

#include <Fdo/Common/StringP.h>

class GXF_API c_FDO_MiscUtil {
public:
    // True when a connection could be created and opened; otherwise false
    // with the reason in message. Never throws.
    static bool TestConnection(const wchar_t* providerName, const wchar_t* connString, FdoStringP& message);

    // True when the file can be opened for reading (path in the local 8-bit
    // code page, UTF-8 here).
    static bool FileExists(const char* path);

    // False when the file cannot be opened for reading, or when it could be
    // read but not deleted; true when it was deleted.
    static bool FileDelete(const wchar_t* path);

    // True when the connection string sets the property (name compared
    // without case), with its value copied into value; false otherwise,
    // value unchanged.
    static bool ParsePropertyFromString(const wchar_t* connString, const wchar_t* propertyName,
                                        FdoStringP& value);
};
