// The provider registry: entries, their connection factories and the
// resolution of short provider names.
#include <Fdo/ClientServices/ProviderRegistry.h>

#include "clientservices/ProcessRegistry.h"
#include "clientservices/ProviderName.h"

#include <dlfcn.h>

#include <memory>

namespace {

FdoClientServiceException* NotRegistered(FdoString* name) {
    return FdoClientServiceException::Create(
        FdoStringP::Format(L"FDO Provider '%ls' Not Registered", name ? name : L""));
}

// The file of the shared object (or program) holding the factory's code.
FdoStringP LibraryOf(FdoConnectionFactory factory) {
    Dl_info info{};
    if (factory && dladdr(reinterpret_cast<void*>(factory), &info) && info.dli_fname)
        return FdoStringP(info.dli_fname);
    return FdoStringP();
}

}  // namespace

FdoProviderRegistry* FdoProviderRegistry::Create() { return new FdoProviderRegistry(); }

FdoProviderRegistry::FdoProviderRegistry() : m_providers(FdoProviderCollection::Create()) {}

void FdoProviderRegistry::RegisterBuiltIn(FdoString* name, FdoString* displayName, FdoString* description,
                                          FdoString* version, FdoString* fdoVersion,
                                          FdoConnectionFactory factory) {
    if (!factory)
        throw FdoClientServiceException::Create(FdoStringP::Format(
            L"FDO Provider '%ls' cannot be registered without a connection factory.", name ? name : L""));
    FdoProviderRegistry* registry = FdoProcessProviderRegistry();
    std::lock_guard<std::mutex> lock(registry->m_mutex);
    registry->Put(name, displayName, description, version, fdoVersion, LibraryOf(factory), false);
    registry->m_factories[name] = factory;
}

void FdoProviderRegistry::RegisterProvider(FdoString* name, FdoString* displayName, FdoString* description,
                                           FdoString* version, FdoString* fdoVersion, FdoString* libraryPath,
                                           bool isManaged) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Put(name, displayName, description, version, fdoVersion, libraryPath, isManaged);
}

void FdoProviderRegistry::Put(FdoString* name, FdoString* displayName, FdoString* description,
                              FdoString* version, FdoString* fdoVersion, FdoString* libraryPath,
                              bool isManaged) {
    if (!FdoProviderName(name).wellFormed)
        throw FdoClientServiceException::Create(FdoStringP::Format(
            L"Invalid provider name '%ls': expected Company.Provider.Version, as in 'OSGeo.SHP.4.2'.",
            name ? name : L""));
    FdoPtr<FdoProvider> provider =
        FdoProvider::Create(name, displayName, description, version, fdoVersion, libraryPath, isManaged);
    m_providers->Put(provider);
}

void FdoProviderRegistry::UnregisterProvider(FdoString* name) {
    std::lock_guard<std::mutex> lock(m_mutex);
    FdoInt32 i = m_providers->IndexOf(name);
    if (i < 0) throw NotRegistered(name);
    m_providers->RemoveAt(i);
    m_factories.erase(name);
}

void FdoProviderRegistry::SetConnectionFactory(FdoString* name, FdoConnectionFactory factory) {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_providers->Contains(name)) throw NotRegistered(name);
    if (factory)
        m_factories[name] = factory;
    else
        m_factories.erase(name);
}

FdoConnectionFactory FdoProviderRegistry::GetConnectionFactory(FdoString* name) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_providers->Contains(name)) throw NotRegistered(name);
    auto it = m_factories.find(name);
    return it == m_factories.end() ? nullptr : it->second;
}

FdoStringP FdoProviderRegistry::ResolveName(FdoString* requestedName) const {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!requestedName || !*requestedName) return FdoStringP();
    if (m_providers->Contains(requestedName)) return FdoStringP(requestedName);

    FdoProviderName request(requestedName);
    FdoStringP best;
    std::unique_ptr<FdoProviderName> bestName;
    for (FdoInt32 i = 0; i < m_providers->GetCount(); i++) {
        FdoPtr<FdoProvider> provider = m_providers->GetItem(i);
        auto candidate = std::make_unique<FdoProviderName>(provider->GetName());
        if (!request.IsMatchedBy(*candidate)) continue;
        if (!bestName || FdoProviderName::CompareVersions(*candidate, *bestName) > 0) {
            best = provider->GetName();
            bestName = std::move(candidate);
        }
    }
    return best;
}
