// FdoITopologyCapabilities: topology support. No provider of this system
// maintains topology; the interface exists so a connection can say so.
#pragma once

#include <Fdo/Common/IDisposable.h>

class FDO_API FdoITopologyCapabilities : public FdoIDisposable {
public:
    virtual bool SupportsTopology() = 0;
    virtual bool SupportsTopologicalHierarchy() = 0;
};
