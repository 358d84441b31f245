// FdoICreateSpatialContext: adds a spatial context to a data store, or
// replaces one of the same name when UpdateExisting is set.
#pragma once

#include <Fdo/Commands/ICommand.h>
#include <Fdo/Common/ByteArray.h>
#include <Fdo/Common/Enums.h>

class FDO_API FdoICreateSpatialContext : public FdoICommand {
public:
    // Strings are borrowed.
    virtual FdoString* GetName() = 0;
    virtual void SetName(FdoString* value) = 0;
    virtual FdoString* GetDescription() = 0;
    virtual void SetDescription(FdoString* value) = 0;
    virtual FdoString* GetCoordinateSystem() = 0;
    virtual void SetCoordinateSystem(FdoString* value) = 0;
    virtual FdoString* GetCoordinateSystemWkt() = 0;
    virtual void SetCoordinateSystemWkt(FdoString* value) = 0;
    virtual FdoSpatialContextExtentType GetExtentType() = 0;
    virtual void SetExtentType(FdoSpatialContextExtentType value) = 0;
    // FGF polygon; new reference, or null.
    virtual FdoByteArray* GetExtent() = 0;
    virtual void SetExtent(FdoByteArray* value) = 0;
    virtual double GetXYTolerance() = 0;
    virtual void SetXYTolerance(double value) = 0;
    virtual double GetZTolerance() = 0;
    virtual void SetZTolerance(double value) = 0;
    virtual bool GetUpdateExisting() = 0;
    virtual void SetUpdateExisting(bool value) = 0;
    virtual void Execute() = 0;
};
