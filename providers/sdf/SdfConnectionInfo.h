// SdfConnectionInfo: the provider's names and the connection properties
// File (required) and ReadOnly (FALSE/TRUE, unset means writable).
#pragma once

#include <Fdo.h>
#include <FdoCommon/FdoCommonConnPropDictionary.h>

namespace sdf {

class SdfConnectionInfo : public FdoIConnectionInfo {
public:
    static SdfConnectionInfo* Create() { return new SdfConnectionInfo(); }

    FdoString* GetProviderName() override;
    FdoString* GetProviderDisplayName() override;
    FdoString* GetProviderDescription() override;
    FdoString* GetProviderVersion() override;
    FdoString* GetFeatureDataObjectsVersion() override;
    FdoIConnectionPropertyDictionary* GetConnectionProperties() override {
        return FDO_SAFE_ADDREF(m_properties.p);
    }
    FdoProviderDatastoreType GetProviderDatastoreType() override { return FdoProviderDatastoreType_File; }
    FdoStringCollection* GetDependentFileNames() override;

    FdoCommonConnPropDictionary* Properties() { return m_properties; }
    // The file of the open store (empty when closed).
    void SetOpenFile(FdoString* fileName) { m_openFile = fileName; }

protected:
    SdfConnectionInfo();
    void Dispose() override { delete this; }

private:
    FdoPtr<FdoCommonConnPropDictionary> m_properties;
    FdoStringP m_openFile;
};

}  // namespace sdf
