// FdoIDelete: removes the features a filter selects (all when no filter).
#pragma once

#include <Fdo/Commands/IFeatureCommand.h>

class FDO_API FdoIDelete : public FdoIFeatureCommand {
public:
    // The number of features deleted.
    virtual FdoInt32 Execute() = 0;
};
