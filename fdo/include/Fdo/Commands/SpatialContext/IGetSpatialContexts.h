// FdoIGetSpatialContexts: reads the spatial contexts (coordinate systems,
// extents, tolerances) of a data store.
#pragma once

#include <Fdo/Commands/ICommand.h>
#include <Fdo/Commands/SpatialContext/ISpatialContextReader.h>

class FDO_API FdoIGetSpatialContexts : public FdoICommand {
public:
    virtual bool GetActiveOnly() = 0;
    virtual void SetActiveOnly(bool value) = 0;
    // New reference.
    virtual FdoISpatialContextReader* Execute() = 0;
};
