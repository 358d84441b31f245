// Registers Norv.Oracle, Norv.MsSqlSpatial and Norv.Informix with the
// process provider registry; each makes a NorvConnection of its dialect.
#include "../BuiltInProviders.h"
#include "NorvConnection.h"

namespace {

using norvdb::NorvConnection;
using norvdb::NorvConnectionInfo;
using norvdb::NorvDialect;

FdoIConnection* CreateOracle() { return NorvConnection::Create(NorvDialect::Oracle()); }
FdoIConnection* CreateMsSql() { return NorvConnection::Create(NorvDialect::MsSql()); }
FdoIConnection* CreateInformix() { return NorvConnection::Create(NorvDialect::Informix()); }

void Register(const NorvDialect& d, FdoConnectionFactory factory) {
    const auto& n = NorvConnectionInfo::Names(d);
    FdoProviderRegistry::RegisterBuiltIn(n.name, n.displayName, n.description, L"1.0.0.0", L"4.2.0.0", factory);
}

}  // namespace

void FdoNorvOracleProvider_Register() { Register(NorvDialect::Oracle(), CreateOracle); }
void FdoNorvMsSqlSpatialProvider_Register() { Register(NorvDialect::MsSql(), CreateMsSql); }
void FdoNorvInformixProvider_Register() { Register(NorvDialect::Informix(), CreateInformix); }
