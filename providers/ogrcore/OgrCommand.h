// The plumbing every command shares: its connection, parameter values,
// timeout and transaction (none: the stores here commit on their own), and
// for feature commands the class name and filter.
//
// The command keeps its connection alive; the Store is the same object seen
// through the provider interface, so a raw pointer to it is safe.
#pragma once

#include <ogrcore/OgrCommandSettings.h>
#include <ogrcore/OgrStore.h>

namespace ogrcore {

template <class I>
class Command : public I {
public:
    FdoIConnection* GetConnection() override { return FDO_SAFE_ADDREF(m_connection.p); }
    FdoITransaction* GetTransaction() override { return nullptr; }
    void SetTransaction(FdoITransaction* value) override {
        if (value) throw FdoCommandException::Create(L"Transactions are not supported by this provider.");
    }
    FdoInt32 GetCommandTimeout() override { return m_timeout; }
    void SetCommandTimeout(FdoInt32 value) override { m_timeout = value; }
    FdoParameterValueCollection* GetParameterValues() override { return FDO_SAFE_ADDREF(m_parameters.p); }
    void Prepare() override {}
    void Cancel() override {}

protected:
    Command(FdoIConnection* connection, Store* store)
        : m_connection(FDO_SAFE_ADDREF(connection)), m_store(store),
          m_parameters(FdoParameterValueCollection::Create()) {}
    void Dispose() override { delete this; }

    FdoPtr<FdoIConnection> m_connection;
    Store* m_store;
    FdoPtr<FdoParameterValueCollection> m_parameters;
    FdoInt32 m_timeout = 0;
};

template <class I>
class FeatureCommand : public FeatureSettings<Command<I>> {
protected:
    using FeatureSettings<Command<I>>::FeatureSettings;

    // The class map of the named class; throws when no class was named.
    ClassMap* Target() {
        this->m_store->CheckOpen();
        if (!this->m_className)
            throw FdoCommandException::Create(L"The command has no feature class name.");
        return this->m_store->GetClassMap(this->m_className);
    }
};

}  // namespace ogrcore
