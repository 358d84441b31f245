// FdoIApplySchema: creates or changes a feature schema in a data store.
//
// With ignore-states false the element states drive the changes (Added
// creates, Modified alters, Deleted drops, Unchanged is skipped); with
// ignore-states true the schema is merged additively. On success the
// provider accepts the changes on the schema it was given.
#pragma once

#include <Fdo/Commands/ICommand.h>
#include <Fdo/Schema/FeatureSchema.h>

class FdoPhysicalSchemaMapping;

class FDO_API FdoIApplySchema : public FdoICommand {
public:
    // New references, or null.
    virtual FdoFeatureSchema* GetFeatureSchema() = 0;
    virtual void SetFeatureSchema(FdoFeatureSchema* value) = 0;
    virtual FdoPhysicalSchemaMapping* GetPhysicalMapping() = 0;
    virtual void SetPhysicalMapping(FdoPhysicalSchemaMapping* value) = 0;
    virtual bool GetIgnoreStates() = 0;
    virtual void SetIgnoreStates(bool ignoreStates) = 0;
    virtual void Execute() = 0;
};
