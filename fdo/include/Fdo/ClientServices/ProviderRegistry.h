// The provider registry: the providers this process can connect through.
//
// Providers are compiled in; nothing is loaded from disk and no registry
// file is read. Each entry carries a connection factory, the function that
// makes a new connection of that provider. Registration is explicit: a
// provider library offers a registration function that calls
// FdoProviderRegistry::RegisterBuiltIn, and the program that links the
// provider calls it once at start (a static initialiser may call it too:
// the process registry is created on first use, whichever comes first, and
// registering a name again only replaces its entry).
//
// FdoFeatureAccessManager::GetProviderRegistry() hands out the process
// registry. FdoProviderRegistry::Create() makes a private, empty one, which
// FdoConnectionManager::Create can serve (tests use this).
#pragma once

#include <Fdo/ClientServices/Provider.h>

#include <map>
#include <mutex>
#include <string>

class FdoIConnection;

// Makes a new connection (new reference); may throw FdoException.
typedef FdoIConnection* (*FdoConnectionFactory)();

class FDO_API IProviderRegistry : public FdoIDisposable {
public:
    // Borrowed: owned by the registry and changed by it.
    virtual const FdoProviderCollection* GetProviders() const = 0;
    virtual void RegisterProvider(FdoString* name, FdoString* displayName, FdoString* description,
                                  FdoString* version, FdoString* fdoVersion, FdoString* libraryPath,
                                  bool isManaged) = 0;
    virtual void UnregisterProvider(FdoString* name) = 0;
};

class FDO_API FdoProviderRegistry : public IProviderRegistry {
public:
    static FdoProviderRegistry* Create();

    // Adds (or replaces) a compiled-in provider in the process registry.
    // libraryPath is found from the factory's address.
    static void RegisterBuiltIn(FdoString* name, FdoString* displayName, FdoString* description,
                                FdoString* version, FdoString* fdoVersion, FdoConnectionFactory factory);

    const FdoProviderCollection* GetProviders() const override { return m_providers; }
    // name is "Company.Provider.Version..." with at least one version part;
    // anything else throws FdoClientServiceException. An entry made this way
    // has no factory until SetConnectionFactory gives it one.
    void RegisterProvider(FdoString* name, FdoString* displayName, FdoString* description,
                          FdoString* version, FdoString* fdoVersion, FdoString* libraryPath,
                          bool isManaged) override;
    // Unknown names throw "FDO Provider '<name>' Not Registered".
    void UnregisterProvider(FdoString* name) override;

    void SetConnectionFactory(FdoString* name, FdoConnectionFactory factory);
    // Null when the provider has none; unknown names throw.
    FdoConnectionFactory GetConnectionFactory(FdoString* name) const;

    // The registered name that a requested name stands for: the same name;
    // else, among names with the same company and provider parts whose
    // version starts with every version part requested (compared as
    // numbers), the highest version. Empty when none.
    FdoStringP ResolveName(FdoString* requestedName) const;

protected:
    FdoProviderRegistry();
    void Dispose() override { delete this; }

private:
    // Adds or replaces an entry; the caller holds the lock.
    void Put(FdoString* name, FdoString* displayName, FdoString* description, FdoString* version,
             FdoString* fdoVersion, FdoString* libraryPath, bool isManaged);

    FdoPtr<FdoProviderCollection> m_providers;
    std::map<std::wstring, FdoConnectionFactory> m_factories;
    mutable std::mutex m_mutex;
};
