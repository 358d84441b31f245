// Registration of the three embedded database stand-ins.
#pragma once

#include <Fdo.h>

FDO_API void FdoNorvOracleProvider_Register();
FDO_API void FdoNorvMsSqlSpatialProvider_Register();
FDO_API void FdoNorvInformixProvider_Register();
