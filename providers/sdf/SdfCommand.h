// The parts every SDF command shares: the connection it came from, the
// parameter values, and the inert timeout/transaction settings (an SDF
// command runs at once inside the provider's own transactions). Feature
// commands add the class name and the filter.
#pragma once

#include "SdfConnection.h"

#include <Fdo.h>

namespace sdf {

template <class Interface>
class SdfCommand : public Interface {
public:
    FdoIConnection* GetConnection() override { return FDO_SAFE_ADDREF(static_cast<FdoIConnection*>(m_connection.p)); }
    FdoITransaction* GetTransaction() override { return nullptr; }
    void SetTransaction(FdoITransaction* /*value*/) override {}
    FdoInt32 GetCommandTimeout() override { return 0; }
    void SetCommandTimeout(FdoInt32 /*value*/) override {}
    FdoParameterValueCollection* GetParameterValues() override { return FDO_SAFE_ADDREF(m_parameters.p); }
    void Prepare() override {}
    void Cancel() override {}

protected:
    explicit SdfCommand(SdfConnection* connection)
        : m_connection(FDO_SAFE_ADDREF(connection)), m_parameters(FdoParameterValueCollection::Create()) {}
    void Dispose() override { delete this; }

    FdoPtr<SdfConnection> m_connection;
    FdoPtr<FdoParameterValueCollection> m_parameters;
};

template <class Interface>
class SdfFeatureCommand : public SdfCommand<Interface> {
public:
    FdoIdentifier* GetFeatureClassName() override { return FDO_SAFE_ADDREF(m_className.p); }
    void SetFeatureClassName(FdoIdentifier* value) override { m_className = FDO_SAFE_ADDREF(value); }
    void SetFeatureClassName(FdoString* value) override {
        m_className = value ? FdoIdentifier::Create(value) : nullptr;
    }
    FdoFilter* GetFilter() override { return FDO_SAFE_ADDREF(m_filter.p); }
    void SetFilter(FdoFilter* value) override { m_filter = FDO_SAFE_ADDREF(value); }
    void SetFilter(FdoString* text) override { m_filter = text && *text ? FdoFilter::Parse(text) : nullptr; }

protected:
    using SdfCommand<Interface>::SdfCommand;

    FdoPtr<FdoIdentifier> m_className;
    FdoPtr<FdoFilter> m_filter;
};

}  // namespace sdf
