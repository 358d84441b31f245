// FdoISpatialContextReader: the spatial contexts of a data store, one per
// ReadNext. Strings are borrowed until the next ReadNext; the reader has no
// Close: releasing it ends the read.
#pragma once

#include <Fdo/Common/ByteArray.h>
#include <Fdo/Common/Enums.h>

class FDO_API FdoISpatialContextReader : public FdoIDisposable {
public:
    virtual FdoString* GetName() = 0;
    virtual FdoString* GetDescription() = 0;
    virtual FdoString* GetCoordinateSystem() = 0;
    virtual FdoString* GetCoordinateSystemWkt() = 0;
    virtual FdoSpatialContextExtentType GetExtentType() = 0;
    // The extent as an FGF polygon; new reference.
    virtual FdoByteArray* GetExtent() = 0;
    virtual double GetXYTolerance() = 0;
    virtual double GetZTolerance() = 0;
    virtual bool IsActive() = 0;
    virtual bool ReadNext() = 0;
};
