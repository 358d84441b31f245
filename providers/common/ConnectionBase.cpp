// See ConnectionBase.h. A timeout of 0 (none) is accepted, as callers that
// set the default expect; any other is refused rather than ignored.
#include <common/ConnectionBase.h>

#include <FdoCommon/FdoCommonCapabilities.h>

namespace providercommon {

FdoString* ConnectionBase::GetConnectionString() { return Properties()->GetConnectionString(); }

void ConnectionBase::SetConnectionString(FdoString* value) {
    if (IsOpen())
        throw FdoConnectionException::Create(L"The connection string cannot change while the connection is open.");
    Properties()->SetConnectionString(value);
}

FdoConnectionState ConnectionBase::GetConnectionState() {
    return IsOpen() ? FdoConnectionState_Open : FdoConnectionState_Closed;
}

void ConnectionBase::SetConnectionTimeout(FdoInt32 value) {
    if (value == 0) return;
    throw FdoConnectionException::Create(
        FdoStringP::Format(L"Connection timeouts are not supported by %ls.", RefusingName()));
}

FdoITransaction* ConnectionBase::BeginTransaction() {
    throw FdoConnectionException::Create(FdoStringP::Format(
        L"Transactions are not supported by %ls; it commits its writes itself.", RefusingName()));
}

void ConnectionBase::SetConfiguration(FdoIoStream*) {
    throw FdoConnectionException::Create(
        FdoStringP::Format(L"Configuration files are not supported by %ls.", RefusingName()));
}

FdoIRasterCapabilities* ConnectionBase::GetRasterCapabilities() { return FdoCommonRasterCapabilities::Create(); }
FdoITopologyCapabilities* ConnectionBase::GetTopologyCapabilities() {
    return FdoCommonTopologyCapabilities::Create();
}

}  // namespace providercommon
