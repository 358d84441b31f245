// LIBKML writes its document when the dataset closes; with no layer it
// writes an empty <Document>, which LIBKML and the KML driver both read.
#include "KmlDataStore.h"

#include <ogrcore/OgrError.h>
#include <ogrcore/OgrHandles.h>

#include "KmlConnection.h"

#include <filesystem>

namespace kml {

void CreateEmptyDocument(const std::string& path) {
    FdoStringP shown = ogrcore::Wide(path.c_str());
    std::error_code ec;
    if (std::filesystem::exists(path, ec))
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The KML file '%ls' already exists.", static_cast<FdoString*>(shown)));
    ogrcore::ErrorTrap trap;
    GDALDriverH driver = GDALGetDriverByName("LIBKML");
    GDALDatasetH ds = driver ? GDALCreate(driver, path.c_str(), 0, 0, 0, GDT_Unknown, nullptr) : nullptr;
    if (ds) GDALClose(ds);
    if (!ds || !std::filesystem::exists(path, ec))
        throw FdoCommandException::Create(trap.Describe(
            FdoStringP::Format(L"The KML file '%ls' cannot be created", static_cast<FdoString*>(shown))));
}

KmlCreateDataStore::KmlCreateDataStore(FdoIConnection* connection)
    : DataStoreSettings(kFileProperty, FdoCommonProp_FileName, connection, nullptr) {}

void KmlCreateDataStore::Execute() {
    m_properties->Validate();
    CreateEmptyDocument(ogrcore::Utf8(m_properties->GetProperty(kFileProperty)));
}

}  // namespace kml
