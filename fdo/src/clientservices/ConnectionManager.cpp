// Connections by provider name. Name resolution belongs to the registry;
// here the factory is called and its failures are reported with the
// provider's name.
#include <Fdo/ClientServices/ConnectionManager.h>
#include <Fdo/Connections/IConnection.h>

#include <exception>

FdoConnectionManager* FdoConnectionManager::Create(FdoProviderRegistry* registry) {
    if (!registry) throw FdoClientServiceException::Create(L"A connection manager needs a provider registry.");
    return new FdoConnectionManager(registry);
}

FdoConnectionManager::FdoConnectionManager(FdoProviderRegistry* registry)
    : m_registry(FDO_SAFE_ADDREF(registry)) {}

FdoStringP FdoConnectionManager::Resolve(FdoString* providerName) const {
    FdoStringP name = m_registry->ResolveName(providerName);
    if (name.IsEmpty())
        throw FdoClientServiceException::Create(
            FdoStringP::Format(L"FDO Provider '%ls' Not Registered", providerName ? providerName : L""));
    return name;
}

FdoIConnection* FdoConnectionManager::CreateConnection(FdoString* providerName) {
    FdoStringP name = Resolve(providerName);
    FdoConnectionFactory factory = m_registry->GetConnectionFactory(name);
    if (!factory)
        throw FdoClientServiceException::Create(FdoStringP::Format(
            L"FDO Provider '%ls' cannot be loaded: it is registered without a connection factory.",
            (FdoString*)name));

    FdoStringP failed = FdoStringP::Format(L"FDO Provider '%ls' failed to create a connection.", (FdoString*)name);
    FdoIConnection* connection = nullptr;
    try {
        connection = factory();
    } catch (FdoException* e) {
        FdoClientServiceException* wrapped = FdoClientServiceException::Create(failed, e);
        e->Release();
        throw wrapped;
    } catch (const std::exception& e) {
        throw FdoClientServiceException::Create(failed + L" " + FdoStringP(e.what()));
    }
    if (!connection) throw FdoClientServiceException::Create(failed);
    return connection;
}

void FdoConnectionManager::FreeLibrary(FdoString* providerName) { Resolve(providerName); }
