// Aggregate geometry: collections of parts that are geometries themselves.
//
// Typed aggregates hold parts of one kind and one dimensionality; the
// multi-geometry holds any kind, including other multi-geometries. An
// aggregate's dimensionality is the union of its parts' (XY when empty).
#pragma once

#include <Fdo/Geometry/Curve.h>

class FDO_API FdoIGeometricAggregateAbstract : public FdoIGeometry {
public:
    virtual FdoInt32 GetCount() const = 0;
};

class FDO_API FdoIMultiPoint : public FdoIGeometricAggregateAbstract {
public:
    virtual FdoIPoint* GetItem(FdoInt32 index) const = 0;
};

class FDO_API FdoIMultiLineString : public FdoIGeometricAggregateAbstract {
public:
    virtual FdoILineString* GetItem(FdoInt32 index) const = 0;
};

class FDO_API FdoIMultiPolygon : public FdoIGeometricAggregateAbstract {
public:
    virtual FdoIPolygon* GetItem(FdoInt32 index) const = 0;
};

class FDO_API FdoIMultiGeometry : public FdoIGeometricAggregateAbstract {
public:
    virtual FdoIGeometry* GetItem(FdoInt32 index) const = 0;
};

class FDO_API FdoIMultiCurveString : public FdoIGeometricAggregateAbstract {
public:
    virtual FdoICurveString* GetItem(FdoInt32 index) const = 0;
};

class FDO_API FdoIMultiCurvePolygon : public FdoIGeometricAggregateAbstract {
public:
    virtual FdoICurvePolygon* GetItem(FdoInt32 index) const = 0;
};
