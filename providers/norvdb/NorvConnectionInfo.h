// NorvConnectionInfo: the provider's names and connection properties.
//   Norv.Oracle:       Username, Password, Service, OracleSchema, NorvFdoClass
//   Norv.MsSqlSpatial: Server, Database, Username, Password, NorvFdoClass
//   Norv.Informix:     DSN
// Property names are matched without regard to case (the common
// dictionary's rule).
#pragma once

#include "NorvDialect.h"

#include <Fdo.h>
#include <FdoCommon/FdoCommonConnPropDictionary.h>

namespace norvdb {

struct NorvProviderNames {
    FdoString* name;
    FdoString* displayName;
    FdoString* description;
};

class NorvConnectionInfo : public FdoIConnectionInfo {
public:
    static NorvConnectionInfo* Create(const NorvDialect& dialect);
    static const NorvProviderNames& Names(const NorvDialect& dialect);

    FdoString* GetProviderName() override { return Names(m_dialect).name; }
    FdoString* GetProviderDisplayName() override { return Names(m_dialect).displayName; }
    FdoString* GetProviderDescription() override { return Names(m_dialect).description; }
    FdoString* GetProviderVersion() override { return L"1.0.0.0"; }
    FdoString* GetFeatureDataObjectsVersion() override { return L"4.2.0.0"; }
    FdoIConnectionPropertyDictionary* GetConnectionProperties() override { return FDO_SAFE_ADDREF(m_properties.p); }
    FdoProviderDatastoreType GetProviderDatastoreType() override {
        return FdoProviderDatastoreType_DatabaseServer;
    }
    FdoStringCollection* GetDependentFileNames() override { return FdoStringCollection::Create(); }

    FdoCommonConnPropDictionary* Properties() { return m_properties; }

protected:
    explicit NorvConnectionInfo(const NorvDialect& dialect);
    void Dispose() override { delete this; }

private:
    const NorvDialect& m_dialect;
    FdoPtr<FdoCommonConnPropDictionary> m_properties;
};

}  // namespace norvdb
