// Registration of Norv.KML with the process provider registry.
#include <Fdo.h>

#include "../BuiltInProviders.h"
#include "KmlConnection.h"

namespace {

FdoIConnection* CreateKmlConnection() { return kml::KmlConnection::Create(); }

}  // namespace

void FdoKmlProvider_Register() {
    FdoProviderRegistry::RegisterBuiltIn(kml::kProviderName, L"Norv FDO Provider for KML",
                                         L"Read/write access to KML files; coordinates are WGS 84 longitude/latitude.",
                                         L"1.0.0.0", L"1.0.0.0", CreateKmlConnection);
}
