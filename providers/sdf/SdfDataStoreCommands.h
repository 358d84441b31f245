// CreateDataStore and DestroyDataStore: make a new, empty SDF file (a
// GeoPackage with the provider's two tables and the Default spatial
// context) or delete one. Both take the data store property File and want
// the connection closed.
#pragma once

#include "SdfCommand.h"

#include <FdoCommon/FdoCommonConnPropDictionary.h>

namespace sdf {

class SdfCreateDataStore : public SdfCommand<FdoICreateDataStore> {
public:
    static SdfCreateDataStore* Create(SdfConnection* c) { return new SdfCreateDataStore(c); }
    FdoIDataStorePropertyDictionary* GetDataStoreProperties() override { return FDO_SAFE_ADDREF(m_properties.p); }
    void Execute() override;

protected:
    explicit SdfCreateDataStore(SdfConnection* c);

private:
    FdoPtr<FdoCommonDataStorePropDictionary> m_properties;
};

class SdfDestroyDataStore : public SdfCommand<FdoIDestroyDataStore> {
public:
    static SdfDestroyDataStore* Create(SdfConnection* c) { return new SdfDestroyDataStore(c); }
    FdoIDataStorePropertyDictionary* GetDataStoreProperties() override { return FDO_SAFE_ADDREF(m_properties.p); }
    void Execute() override;

protected:
    explicit SdfDestroyDataStore(SdfConnection* c);

private:
    FdoPtr<FdoCommonDataStorePropDictionary> m_properties;
};

}  // namespace sdf
