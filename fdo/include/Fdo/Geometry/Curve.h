// Curved geometry: arc and line segments, the rings and strings made of
// them, and the curve polygon.
//
// A segment knows its own start; inside the FGF bytes of a curve string or
// ring only the first start is stored and each later segment starts where
// the previous one ended, so segments passed to the factory are taken to be
// continuous.
#pragma once

#include <Fdo/Geometry/Geometry.h>

class FDO_API FdoICurveSegmentAbstract : public FdoIDisposable {
public:
    virtual FdoIEnvelope* GetEnvelope() const = 0;
    virtual FdoIDirectPosition* GetStartPosition() const = 0;
    virtual FdoIDirectPosition* GetEndPosition() const = 0;
    virtual FdoBoolean GetIsClosed() const = 0;
    virtual FdoGeometryComponentType GetDerivedType() const = 0;
    virtual FdoInt32 GetDimensionality() const = 0;
};

class FDO_API FdoICircularArcSegment : public FdoICurveSegmentAbstract {
public:
    virtual FdoIDirectPosition* GetMidPoint() const = 0;
};

class FDO_API FdoILineStringSegment : public FdoICurveSegmentAbstract {
public:
    // Positions including the start.
    virtual FdoInt32 GetCount() const = 0;
    virtual FdoIDirectPosition* GetItem(FdoInt32 index) const = 0;
    virtual void GetItemByMembers(FdoInt32 index, FdoDouble* x, FdoDouble* y, FdoDouble* z,
                                  FdoDouble* m, FdoInt32* dimensionality) const = 0;
    virtual const FdoDouble* GetOrdinates() const = 0;
    virtual FdoDirectPositionCollection* GetPositions() const = 0;
};

FDO_DECLARE_GEOMETRY_COLLECTION(FdoCurveSegmentCollection, FdoICurveSegmentAbstract);

class FDO_API FdoIRing : public FdoIRingAbstract {
public:
    virtual FdoInt32 GetCount() const = 0;
    virtual FdoICurveSegmentAbstract* GetItem(FdoInt32 index) const = 0;
    virtual FdoCurveSegmentCollection* GetCurveSegments() const = 0;
};

class FDO_API FdoICurveString : public FdoICurveAbstract {
public:
    virtual FdoInt32 GetCount() const = 0;
    virtual FdoICurveSegmentAbstract* GetItem(FdoInt32 index) const = 0;
    virtual FdoCurveSegmentCollection* GetCurveSegments() const = 0;
};

class FDO_API FdoICurvePolygon : public FdoISurfaceAbstract {
public:
    // Null only for an empty curve polygon.
    virtual FdoIRing* GetExteriorRing() const = 0;
    virtual FdoInt32 GetInteriorRingCount() const = 0;
    virtual FdoIRing* GetInteriorRing(FdoInt32 index) const = 0;
};

FDO_DECLARE_GEOMETRY_COLLECTION(FdoRingCollection, FdoIRing);
FDO_DECLARE_GEOMETRY_COLLECTION(FdoCurveStringCollection, FdoICurveString);
FDO_DECLARE_GEOMETRY_COLLECTION(FdoCurvePolygonCollection, FdoICurvePolygon);
