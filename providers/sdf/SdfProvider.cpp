// Registration of OSGeo.SDF with the process provider registry.
#include "SdfProvider.h"

#include "../BuiltInProviders.h"
#include "SdfConnection.h"

namespace {

FdoIConnection* CreateSdfConnection() { return sdf::SdfConnection::Create(); }

}  // namespace

void FdoSdfProvider_Register() {
    FdoProviderRegistry::RegisterBuiltIn(sdf::kProviderName, sdf::kProviderDisplayName, sdf::kProviderDescription,
                                         sdf::kProviderVersion, sdf::kFdoVersion, CreateSdfConnection);
}
