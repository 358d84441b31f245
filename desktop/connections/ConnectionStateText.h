// The texts through which the connection dialogs report an opened (or not
// opened) connection's state, shared by "New FDO Connection" and the
// connection selector's "Test...".
#pragma once

#include <Fdo.h>

#include <QString>

// "Connection Sucesfully Open", or "Error: Connection is not opened! ..."
// naming the busy, closed, pending or unknown state.
QString ConnectionStateText(FdoConnectionState state);

// Opens the connection, returns the text of its state and closes it again
// when it opened. FDO errors propagate as FdoException*.
QString OpenAndDescribeState(FdoIConnection* connection);
