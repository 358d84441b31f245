// NorvConnection: a session with one emulated database, for any of the
// three dialects. Open finds the database folder under the data home from
// the connection properties, creates it when missing, and logs in; the
// commands reach the store through Database().
#pragma once

#include "NorvConnectionInfo.h"
#include "NorvDatabase.h"

#include <Fdo.h>
#include <common/ConnectionBase.h>

#include <memory>

namespace norvdb {

class NorvConnection : public providercommon::ConnectionBase {
public:
    static NorvConnection* Create(const NorvDialect& dialect) { return new NorvConnection(dialect); }

    FdoICommandCapabilities* GetCommandCapabilities() override;
    FdoISchemaCapabilities* GetSchemaCapabilities() override;
    FdoIConnectionCapabilities* GetConnectionCapabilities() override;
    FdoIFilterCapabilities* GetFilterCapabilities() override;
    FdoIExpressionCapabilities* GetExpressionCapabilities() override;
    FdoIGeometryCapabilities* GetGeometryCapabilities() override;

    FdoIConnectionInfo* GetConnectionInfo() override { return FDO_SAFE_ADDREF(m_info.p); }
    FdoConnectionState Open() override;
    void Close() override;
    FdoICommand* CreateCommand(FdoInt32 commandType) override;
    // Commits the rows of a pending insert transaction.
    void Flush() override;

    const NorvDialect& Dialect() const { return m_dialect; }
    // Throws when the connection is not open.
    NorvDatabase& Database();
    // The class-mapping table named by NorvFdoClass (empty when unset).
    FdoStringP MappingTable();
    // The owner new classes go to: OracleSchema when set, else the user's.
    std::string TargetOwner();
    // The folder of the database the properties name.
    std::filesystem::path DatabaseFolder();

protected:
    explicit NorvConnection(const NorvDialect& dialect);
    ~NorvConnection() override;
    void Dispose() override { delete this; }
    FdoCommonConnPropDictionary* Properties() override;
    bool IsOpen() override { return m_db != nullptr; }
    FdoString* RefusingName() override;

private:
    const NorvDialect& m_dialect;
    FdoPtr<NorvConnectionInfo> m_info;
    std::unique_ptr<NorvDatabase> m_db;
};

// The parts every command shares.
template <class Interface>
class NorvCommand : public Interface {
public:
    FdoIConnection* GetConnection() override { return FDO_SAFE_ADDREF(static_cast<FdoIConnection*>(m_connection.p)); }
    FdoITransaction* GetTransaction() override { return nullptr; }
    void SetTransaction(FdoITransaction*) override {}
    FdoInt32 GetCommandTimeout() override { return 0; }
    void SetCommandTimeout(FdoInt32) override {}
    FdoParameterValueCollection* GetParameterValues() override { return FDO_SAFE_ADDREF(m_parameters.p); }
    void Prepare() override {}
    void Cancel() override {}

protected:
    explicit NorvCommand(NorvConnection* connection)
        : m_connection(FDO_SAFE_ADDREF(connection)), m_parameters(FdoParameterValueCollection::Create()) {}
    void Dispose() override { delete this; }

    FdoPtr<NorvConnection> m_connection;
    FdoPtr<FdoParameterValueCollection> m_parameters;
};

}  // namespace norvdb
