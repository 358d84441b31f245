// FdoICommand: what every command has, whatever it does. Commands come from
// FdoIConnection::CreateCommand, are configured through their setters and
// run by their own Execute; one command object may be executed many times.
#pragma once

#include <Fdo/Commands/ParameterValue.h>
#include <Fdo/Connections/ITransaction.h>

class FdoIConnection;

class FDO_API FdoICommand : public FdoIDisposable {
public:
    // New references.
    virtual FdoIConnection* GetConnection() = 0;
    virtual FdoITransaction* GetTransaction() = 0;
    virtual void SetTransaction(FdoITransaction* value) = 0;
    // Milliseconds; 0 waits for ever.
    virtual FdoInt32 GetCommandTimeout() = 0;
    virtual void SetCommandTimeout(FdoInt32 value) = 0;
    // The values bound to the parameters of the command's expressions; new
    // reference, owned and kept by the command.
    virtual FdoParameterValueCollection* GetParameterValues() = 0;
    virtual void Prepare() = 0;
    virtual void Cancel() = 0;
};
