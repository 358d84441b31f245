// FdoITransaction: a transaction begun on a connection; commands given it
// run inside it until Commit or Rollback.
#pragma once

#include <Fdo/Common/IDisposable.h>

class FdoIConnection;

class FDO_API FdoITransaction : public FdoIDisposable {
public:
    // New reference.
    virtual FdoIConnection* GetConnection() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
};
