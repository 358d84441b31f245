// Registration of OSGeo.SHP with the process provider registry.
#include <Fdo.h>

#include "../BuiltInProviders.h"
#include "ShpConnection.h"

namespace {

FdoIConnection* CreateShpConnection() { return shp::ShpConnection::Create(); }

}  // namespace

void FdoShpProvider_Register() {
    FdoProviderRegistry::RegisterBuiltIn(shp::kProviderName, L"OSGeo FDO Provider for SHP",
                                         L"Read/write access to spatial and attribute data in shape files.",
                                         L"4.2.0.0", L"4.2.0.0", CreateShpConnection);
}
