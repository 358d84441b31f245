// FdoIFilterCapabilities: which filter conditions and operators a connection
// evaluates. Arrays are borrowed; length receives their size.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/IDisposable.h>

// The kinds of filter condition.
enum FdoConditionType {
    FdoConditionType_Comparison = 0,
    FdoConditionType_Like = 1,
    FdoConditionType_In = 2,
    FdoConditionType_Null = 3,
    FdoConditionType_Spatial = 4,
    FdoConditionType_Distance = 5,
};

class FDO_API FdoIFilterCapabilities : public FdoIDisposable {
public:
    virtual FdoConditionType* GetConditionTypes(FdoInt32& length) = 0;
    virtual FdoSpatialOperations* GetSpatialOperations(FdoInt32& length) = 0;
    virtual FdoDistanceOperations* GetDistanceOperations(FdoInt32& length) = 0;
    virtual bool SupportsGeodesicDistance() = 0;
    // True when both sides of a spatial condition may be properties.
    virtual bool SupportsNonLiteralGeometricOperations() = 0;
};
