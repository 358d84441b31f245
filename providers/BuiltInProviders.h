// The registration functions of the providers compiled into FdoProviders,
// the one way a built-in provider is registered: each provider folder
// defines its function in its <Name>Provider.cpp, which adds the provider
// to the process registry; BuiltInProviders.cpp calls them all once when
// the library loads.
//
// FdoProviders exports nothing else: these are its whole interface (a test
// may take a provider away and register it again). Its unit tests link its
// objects directly and so reach the internals without exports.
#pragma once

#define FDO_PROVIDERS_API __attribute__((visibility("default")))

FDO_PROVIDERS_API void FdoShpProvider_Register();
FDO_PROVIDERS_API void FdoSdfProvider_Register();
FDO_PROVIDERS_API void FdoKmlProvider_Register();
FDO_PROVIDERS_API void FdoOgrProvider_Register();
FDO_PROVIDERS_API void FdoNorvOracleProvider_Register();
FDO_PROVIDERS_API void FdoNorvMsSqlSpatialProvider_Register();
FDO_PROVIDERS_API void FdoNorvInformixProvider_Register();
