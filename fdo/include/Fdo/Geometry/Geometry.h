// The geometry root and the linear kinds: point, line string, linear ring,
// polygon.
//
// Geometries are immutable values made by FdoFgfGeometryFactory. Getters
// that return objects hand out new references; GetText returns text owned
// by the geometry. Position lists can be read three ways: as position
// objects (GetItem), without allocating (GetItemByMembers), or as the flat
// ordinate array X Y [Z] [M] per position (GetOrdinates, borrowed).
#pragma once

#include <Fdo/Geometry/Envelope.h>

class FDO_API FdoIGeometry : public FdoIDisposable {
public:
    virtual FdoIEnvelope* GetEnvelope() const = 0;
    virtual FdoInt32 GetDimensionality() const = 0;
    virtual FdoGeometryType GetDerivedType() const = 0;
    // Geometry text, e.g. "POINT XYZ (1 2 3)"; valid while the geometry lives.
    virtual FdoString* GetText() = 0;
};

class FDO_API FdoIPoint : public FdoIGeometry {
public:
    virtual FdoIDirectPosition* GetPosition() const = 0;
    virtual void GetPositionByMembers(FdoDouble* x, FdoDouble* y, FdoDouble* z, FdoDouble* m,
                                      FdoInt32* dimensionality) const = 0;
    virtual const FdoDouble* GetOrdinates() const = 0;
};

class FDO_API FdoICurveAbstract : public FdoIGeometry {
public:
    virtual FdoIDirectPosition* GetStartPosition() const = 0;
    virtual FdoIDirectPosition* GetEndPosition() const = 0;
    virtual FdoBoolean GetIsClosed() const = 0;
};

class FDO_API FdoILineString : public FdoICurveAbstract {
public:
    virtual FdoInt32 GetCount() const = 0;
    virtual FdoIDirectPosition* GetItem(FdoInt32 index) const = 0;
    virtual void GetItemByMembers(FdoInt32 index, FdoDouble* x, FdoDouble* y, FdoDouble* z,
                                  FdoDouble* m, FdoInt32* dimensionality) const = 0;
    virtual const FdoDouble* GetOrdinates() const = 0;
    virtual FdoDirectPositionCollection* GetPositions() const = 0;
};

// Rings are parts of surfaces, not geometries of their own.
class FDO_API FdoIRingAbstract : public FdoIDisposable {
public:
    virtual FdoIEnvelope* GetEnvelope() const = 0;
    virtual FdoInt32 GetDimensionality() const = 0;
};

class FDO_API FdoILinearRing : public FdoIRingAbstract {
public:
    virtual FdoInt32 GetCount() const = 0;
    virtual FdoIDirectPosition* GetItem(FdoInt32 index) const = 0;
    virtual void GetItemByMembers(FdoInt32 index, FdoDouble* x, FdoDouble* y, FdoDouble* z,
                                  FdoDouble* m, FdoInt32* dimensionality) const = 0;
    virtual const FdoDouble* GetOrdinates() const = 0;
    virtual FdoDirectPositionCollection* GetPositions() const = 0;
};

class FDO_API FdoISurfaceAbstract : public FdoIGeometry {};

class FDO_API FdoIPolygon : public FdoISurfaceAbstract {
public:
    // Null only for an empty polygon (read from FGF or WKB with no rings).
    virtual FdoILinearRing* GetExteriorRing() const = 0;
    virtual FdoInt32 GetInteriorRingCount() const = 0;
    virtual FdoILinearRing* GetInteriorRing(FdoInt32 index) const = 0;
};

FDO_DECLARE_GEOMETRY_COLLECTION(FdoGeometryCollection, FdoIGeometry);
FDO_DECLARE_GEOMETRY_COLLECTION(FdoPointCollection, FdoIPoint);
FDO_DECLARE_GEOMETRY_COLLECTION(FdoLineStringCollection, FdoILineString);
FDO_DECLARE_GEOMETRY_COLLECTION(FdoLinearRingCollection, FdoILinearRing);
FDO_DECLARE_GEOMETRY_COLLECTION(FdoPolygonCollection, FdoIPolygon);
