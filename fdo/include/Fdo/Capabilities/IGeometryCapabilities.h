// FdoIGeometryCapabilities: which geometries a connection stores, and the
// ring orientation it expects for polygons. Arrays are borrowed.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/IDisposable.h>

class FDO_API FdoIGeometryCapabilities : public FdoIDisposable {
public:
    virtual FdoGeometryType* GetGeometryTypes(FdoInt32& length) = 0;
    virtual FdoGeometryComponentType* GetGeometryComponentTypes(FdoInt32& length) = 0;
    // A mask of FdoDimensionality values (XY is always supported).
    virtual FdoInt32 GetDimensionalities() = 0;
    virtual FdoPolygonVertexOrderRule GetPolygonVertexOrderRule(FdoGeometryType geometryType) = 0;
    // True when the rule is enforced rather than merely preferred.
    virtual bool GetPolygonVertexOrderStrictness(FdoGeometryType geometryType) = 0;
};
