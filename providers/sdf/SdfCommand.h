// The parts every SDF command shares: the connection it came from, the
// parameter values, and the inert timeout/transaction settings (an SDF
// command runs at once inside the provider's own transactions). Feature
// commands add the class name and the filter.
#pragma once

#include "SdfConnection.h"

#include <Fdo.h>
#include <ogrcore/OgrCommandSettings.h>

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
using SdfFeatureCommand = ogrcore::FeatureSettings<SdfCommand<Interface>>;

}  // namespace sdf
