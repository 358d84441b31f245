// FdoFgfGeometryFactory: the one place geometries are made.
//
// It builds every geometry kind from parts, from FGF bytes, from OGC WKB
// and from geometry text, and turns geometries back into FGF and WKB. It is
// a process-wide singleton (GetInstance hands out a new reference to it).
// Bad input of any form raises FdoException; nothing is trusted, since FGF
// and WKB arrive from files and databases.
//
// WKB is written little-endian with ISO type codes (Z +1000, M +2000,
// ZM +3000); curve kinds map to CompoundCurve (one component per segment),
// CurvePolygon, MultiCurve and MultiSurface. Reading also accepts big-endian
// input, the 0x80000000/0x40000000 Z/M flags and a 0x20000000 SRID prefix.
#pragma once

#include <Fdo/Common/ByteArray.h>
#include <Fdo/Geometry/Aggregate.h>

class FDO_API FdoFgfGeometryFactory : public FdoIDisposable {
public:
    static FdoFgfGeometryFactory* GetInstance();

    FdoIGeometry* CreateGeometryFromFgf(FdoByteArray* fgf);
    FdoIGeometry* CreateGeometryFromFgf(const FdoByte* fgf, FdoInt32 count);
    FdoByteArray* GetFgf(FdoIGeometry* geometry);
    FdoIGeometry* CreateGeometryFromWkb(FdoByteArray* wkb);
    FdoIGeometry* CreateGeometryFromWkb(const FdoByte* wkb, FdoInt32 count);
    FdoByteArray* GetWkb(FdoIGeometry* geometry);
    FdoIGeometry* CreateGeometry(FdoString* text);
    FdoIGeometry* CreateGeometry(FdoIGeometry* geometry);
    // Closed polygon around the envelope: XY, or XYZ at MinZ when Z is known.
    FdoIGeometry* CreateGeometry(FdoIEnvelope* envelope);

    FdoIDirectPosition* CreatePositionXY(FdoDouble x, FdoDouble y);
    FdoIDirectPosition* CreatePositionXYZ(FdoDouble x, FdoDouble y, FdoDouble z);
    FdoIDirectPosition* CreatePositionXYM(FdoDouble x, FdoDouble y, FdoDouble m);
    FdoIDirectPosition* CreatePositionXYZM(FdoDouble x, FdoDouble y, FdoDouble z, FdoDouble m);
    FdoIDirectPosition* CreatePosition(FdoIDirectPosition* position);

    FdoIEnvelope* CreateEnvelopeXY(FdoDouble minX, FdoDouble minY, FdoDouble maxX, FdoDouble maxY);
    FdoIEnvelope* CreateEnvelopeXYZ(FdoDouble minX, FdoDouble minY, FdoDouble minZ, FdoDouble maxX,
                                    FdoDouble maxY, FdoDouble maxZ);
    FdoIEnvelope* CreateEnvelope(FdoIDirectPosition* lowerLeft, FdoIDirectPosition* upperRight);
    // ordinates: the lower-left then the upper-right position, each with the
    // ordinates the dimensionality names (M values are ignored).
    FdoIEnvelope* CreateEnvelope(FdoInt32 dimensionality, const FdoDouble* ordinates);
    FdoIEnvelope* CreateEnvelope(FdoIEnvelope* envelope);

    // ordinates: X Y [Z] [M] per position, as the dimensionality says.
    FdoIPoint* CreatePoint(FdoIDirectPosition* position);
    FdoIPoint* CreatePoint(FdoInt32 dimensionality, const FdoDouble* ordinates);
    FdoILineString* CreateLineString(FdoDirectPositionCollection* positions);
    FdoILineString* CreateLineString(FdoInt32 dimensionality, FdoInt32 numOrdinates,
                                     const FdoDouble* ordinates);
    FdoILinearRing* CreateLinearRing(FdoDirectPositionCollection* positions);
    FdoILinearRing* CreateLinearRing(FdoInt32 dimensionality, FdoInt32 numOrdinates,
                                     const FdoDouble* ordinates);
    FdoIPolygon* CreatePolygon(FdoILinearRing* exteriorRing, FdoLinearRingCollection* interiorRings);
    FdoIMultiPoint* CreateMultiPoint(FdoPointCollection* points);
    FdoIMultiPoint* CreateMultiPoint(FdoInt32 dimensionality, FdoInt32 numOrdinates,
                                     const FdoDouble* ordinates);
    FdoIMultiLineString* CreateMultiLineString(FdoLineStringCollection* lineStrings);
    FdoIMultiPolygon* CreateMultiPolygon(FdoPolygonCollection* polygons);
    FdoIMultiGeometry* CreateMultiGeometry(FdoGeometryCollection* geometries);

    FdoICircularArcSegment* CreateCircularArcSegment(FdoIDirectPosition* start,
                                                     FdoIDirectPosition* midPoint,
                                                     FdoIDirectPosition* end);
    FdoILineStringSegment* CreateLineStringSegment(FdoDirectPositionCollection* positions);
    FdoILineStringSegment* CreateLineStringSegment(FdoInt32 dimensionality, FdoInt32 numOrdinates,
                                                   const FdoDouble* ordinates);
    FdoIRing* CreateRing(FdoCurveSegmentCollection* segments);
    FdoICurveString* CreateCurveString(FdoCurveSegmentCollection* segments);
    FdoICurvePolygon* CreateCurvePolygon(FdoIRing* exteriorRing, FdoRingCollection* interiorRings);
    FdoIMultiCurveString* CreateMultiCurveString(FdoCurveStringCollection* curveStrings);
    FdoIMultiCurvePolygon* CreateMultiCurvePolygon(FdoCurvePolygonCollection* curvePolygons);

protected:
    FdoFgfGeometryFactory() = default;
    void Dispose() override { delete this; }
};
