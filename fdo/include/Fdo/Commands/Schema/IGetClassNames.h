// FdoIGetClassNames: lists class names qualified as "Schema:Class" without
// describing the classes.
#pragma once

#include <Fdo/Commands/ICommand.h>
#include <Fdo/Common/StringCollection.h>

class FDO_API FdoIGetClassNames : public FdoICommand {
public:
    // Borrowed; empty for every schema.
    virtual FdoString* GetSchemaName() = 0;
    virtual void SetSchemaName(FdoString* value) = 0;
    // New reference; an unknown schema name throws.
    virtual FdoStringCollection* Execute() = 0;
};
