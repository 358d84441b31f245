// How the engine makes connections from a provider name and a connection
// string. Internal to the engine.
#pragma once

#include <Fdo.h>

namespace gxf {

// A new connection for the provider, or null when the connection manager
// cannot make one (an unknown provider name included: the manager reports it
// by throwing, the engine by a result code).
FdoIConnection* CreateConnection(const wchar_t* providerName);

// Sets the connection string and opens; true when the state is Open.
// Exceptions of the provider propagate.
bool OpenConnection(FdoIConnection* connection, const wchar_t* connString);

// The provider name the connection reports.
FdoStringP ProviderNameOf(FdoIConnection* connection);

}  // namespace gxf
