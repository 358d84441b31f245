// The connection manager: makes connections by provider name.
//
// CreateConnection accepts the registered name ("OSGeo.SHP.4.2") or a name
// with fewer version parts ("OSGeo.SHP", "OSGeo.SHP.4"), which stands for the
// highest registered version that matches. Unknown names throw
// FdoClientServiceException "FDO Provider '<name>' Not Registered".
#pragma once

#include <Fdo/ClientServices/ProviderRegistry.h>

class FDO_API IConnectionManager : public FdoIDisposable {
public:
    // New reference to a closed connection.
    virtual FdoIConnection* CreateConnection(FdoString* providerName) = 0;
    // Compiled-in providers have no library to unload; this only checks
    // that the name is registered.
    virtual void FreeLibrary(FdoString* providerName) = 0;
};

class FDO_API FdoConnectionManager : public IConnectionManager {
public:
    // A manager over the given registry (kept by reference).
    static FdoConnectionManager* Create(FdoProviderRegistry* registry);

    FdoIConnection* CreateConnection(FdoString* providerName) override;
    void FreeLibrary(FdoString* providerName) override;

protected:
    explicit FdoConnectionManager(FdoProviderRegistry* registry);
    void Dispose() override { delete this; }

private:
    FdoStringP Resolve(FdoString* providerName) const;

    FdoPtr<FdoProviderRegistry> m_registry;
};
