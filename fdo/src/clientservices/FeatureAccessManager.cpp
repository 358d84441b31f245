// The process singletons. They are never destroyed: connections and
// registrations may outlive any static destructor order we could pick, and
// the objects stay reachable, so leak checkers do not count them.
#include <Fdo/ClientServices/FeatureAccessManager.h>

#include "clientservices/ProcessRegistry.h"

FdoProviderRegistry* FdoProcessProviderRegistry() {
    static FdoProviderRegistry* registry = FdoProviderRegistry::Create();
    return registry;
}

namespace {

FdoConnectionManager* ProcessConnectionManager() {
    static FdoConnectionManager* manager = FdoConnectionManager::Create(FdoProcessProviderRegistry());
    return manager;
}

}  // namespace

IConnectionManager* FdoFeatureAccessManager::GetConnectionManager() {
    return FDO_SAFE_ADDREF(ProcessConnectionManager());
}

IProviderRegistry* FdoFeatureAccessManager::GetProviderRegistry() {
    return FDO_SAFE_ADDREF(FdoProcessProviderRegistry());
}
