// FdoIConnectionInfo: what a connection says about its provider, and the
// dictionary of its connection properties.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/StringCollection.h>
#include <Fdo/Connections/IConnectionPropertyDictionary.h>

class FDO_API FdoIConnectionInfo : public FdoIDisposable {
public:
    // Name with version suffix, as registered ("OSGeo.SHP.4.2"); borrowed.
    virtual FdoString* GetProviderName() = 0;
    virtual FdoString* GetProviderDisplayName() = 0;
    virtual FdoString* GetProviderDescription() = 0;
    virtual FdoString* GetProviderVersion() = 0;
    virtual FdoString* GetFeatureDataObjectsVersion() = 0;
    // New reference.
    virtual FdoIConnectionPropertyDictionary* GetConnectionProperties() = 0;
    virtual FdoProviderDatastoreType GetProviderDatastoreType() = 0;
    // The files that make up the open data store (file stores only); new
    // reference, empty when none or not applicable.
    virtual FdoStringCollection* GetDependentFileNames() = 0;
};
