// Registration of OSGeo.OGR with the process provider registry.
#include <Fdo.h>

#include "../BuiltInProviders.h"
#include <ogrcore/OgrConnection.h>

namespace {

FdoIConnection* CreateOgrConnection() { return ogrprovider::OgrConnection::Create(); }

}  // namespace

void FdoOgrProvider_Register() {
    FdoProviderRegistry::RegisterBuiltIn(
        ogrprovider::kProviderName, L"OSGeo FDO Provider for OGR",
        L"Read/write access to any vector data source GDAL/OGR reads: GeoPackage, GeoJSON, FlatGeobuf, "
        L"PostgreSQL/PostGIS and more.",
        L"4.2.0.0", L"4.2.0.0", CreateOgrConnection);
}
