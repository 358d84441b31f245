// FdoIDescribeSchema: reads the feature schemas of a data store. The result
// is a detached copy with every element Unchanged, free to edit and apply
// elsewhere.
#pragma once

#include <Fdo/Commands/ICommand.h>
#include <Fdo/Common/StringCollection.h>
#include <Fdo/Schema/FeatureSchemaCollection.h>

class FDO_API FdoIDescribeSchema : public FdoICommand {
public:
    // Borrowed; empty for all schemas.
    virtual FdoString* GetSchemaName() = 0;
    virtual void SetSchemaName(FdoString* value) = 0;
    // The classes to describe, null for all; new reference.
    virtual FdoStringCollection* GetClassNames() = 0;
    virtual void SetClassNames(FdoStringCollection* value) = 0;
    // New reference; an unknown schema name throws.
    virtual FdoFeatureSchemaCollection* Execute() = 0;
};
