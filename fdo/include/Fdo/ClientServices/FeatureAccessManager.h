// FdoFeatureAccessManager: the entry point to the process-wide provider
// registry and connection manager. Both are created on first use and live
// until the process ends; each call hands out a new reference.
#pragma once

#include <Fdo/ClientServices/ConnectionManager.h>
#include <Fdo/ClientServices/ProviderRegistry.h>

class FDO_API FdoFeatureAccessManager {
public:
    static IConnectionManager* GetConnectionManager();
    static IProviderRegistry* GetProviderRegistry();

    FdoFeatureAccessManager() = delete;
};
