// The registration functions of the providers compiled into FdoProviders.
// Each adds its provider to the process registry; BuiltInProviders.cpp
// calls them all once when the library loads.
#pragma once

void FdoShpProvider_Register();
void FdoSdfProvider_Register();
void FdoKmlProvider_Register();
void FdoOgrProvider_Register();
void FdoNorvOracleProvider_Register();
void FdoNorvMsSqlSpatialProvider_Register();
void FdoNorvInformixProvider_Register();
