// c_FDO_Api: the engine's transfer operations, grouped as static members.
//
// Operations that take provider names and connection strings return a result
// code (see LastError.h); those that take open connections throw FdoException.
#pragma once

#include <GeoxferApi/Export.h>

class GXF_API c_FDO_Api {
public:
    // Pointer to the engine's own last error text; valid until the next
    // failure replaces it.
    static const wchar_t* GXF_GetLastError();
};
