#include "connections/ConnectionStateText.h"

QString ConnectionStateText(FdoConnectionState state) {
    switch (state) {
        case FdoConnectionState_Open: return QStringLiteral("Connection Sucesfully Open");
        case FdoConnectionState_Busy: return QStringLiteral("Error: Connection is not opened! Connection Busy!");
        case FdoConnectionState_Closed: return QStringLiteral("Error: Connection is not opened! Connection Closed!");
        case FdoConnectionState_Pending:
            return QStringLiteral("Error: Connection is not opened! Connection Pending!");
    }
    return QStringLiteral("Error: Connection is not opened! Unknown connection state!");
}

QString OpenAndDescribeState(FdoIConnection* connection) {
    const FdoConnectionState state = connection->Open();
    const QString text = ConnectionStateText(state);
    if (state == FdoConnectionState_Open) connection->Close();
    return text;
}
