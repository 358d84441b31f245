// CreateDataStore and DestroyDataStore: make a new, empty SDF file (a
// GeoPackage with the provider's two tables and the Default spatial
// context) or delete one. Both take the data store property File and want
// the connection closed.
#pragma once

#include "SdfCommand.h"

#include <ogrcore/OgrCommandSettings.h>

namespace sdf {

class SdfCreateDataStore : public ogrcore::DataStoreSettings<SdfCommand<FdoICreateDataStore>> {
public:
    static SdfCreateDataStore* Create(SdfConnection* c) { return new SdfCreateDataStore(c); }
    void Execute() override;

protected:
    explicit SdfCreateDataStore(SdfConnection* c) : DataStoreSettings(L"File", FdoCommonProp_FileName, c) {}
};

class SdfDestroyDataStore : public ogrcore::DataStoreSettings<SdfCommand<FdoIDestroyDataStore>> {
public:
    static SdfDestroyDataStore* Create(SdfConnection* c) { return new SdfDestroyDataStore(c); }
    void Execute() override;

protected:
    explicit SdfDestroyDataStore(SdfConnection* c) : DataStoreSettings(L"File", FdoCommonProp_FileName, c) {}
};

}  // namespace sdf
