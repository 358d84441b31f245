// Registration of the SDF provider with the process provider registry.
#include "SdfProvider.h"

#include "SdfConnection.h"

namespace sdf {

namespace {

FdoIConnection* CreateSdfConnection() { return SdfConnection::Create(); }

}  // namespace

void RegisterSdfProvider() {
    FdoProviderRegistry::RegisterBuiltIn(kProviderName, kProviderDisplayName, kProviderDescription, kProviderVersion,
                                         kFdoVersion, CreateSdfConnection);
}

}  // namespace sdf

// The registration hook BuiltInProviders.cpp calls.
void FdoSdfProvider_Register() { sdf::RegisterSdfProvider(); }
