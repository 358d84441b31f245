// FdoIGetSchemaNames: lists the schema names without describing the schemas,
// which is much cheaper on large stores.
#pragma once

#include <Fdo/Commands/ICommand.h>
#include <Fdo/Common/StringCollection.h>

class FDO_API FdoIGetSchemaNames : public FdoICommand {
public:
    // New reference.
    virtual FdoStringCollection* Execute() = 0;
};
