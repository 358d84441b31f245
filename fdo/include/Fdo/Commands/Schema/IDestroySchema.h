// FdoIDestroySchema: removes a feature schema and its data from a data store.
#pragma once

#include <Fdo/Commands/ICommand.h>

class FDO_API FdoIDestroySchema : public FdoICommand {
public:
    // Borrowed.
    virtual FdoString* GetSchemaName() = 0;
    virtual void SetSchemaName(FdoString* value) = 0;
    virtual void Execute() = 0;
};
