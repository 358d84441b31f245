// FdoIUpdate: sets property values on the features a filter selects.
#pragma once

#include <Fdo/Commands/IFeatureCommand.h>
#include <Fdo/Commands/PropertyValue.h>

class FDO_API FdoIUpdate : public FdoIFeatureCommand {
public:
    // New reference to the command's own collection; edit it in place.
    virtual FdoPropertyValueCollection* GetPropertyValues() = 0;
    // The number of features updated.
    virtual FdoInt32 Execute() = 0;
};
