// FdoFgfGeometryFactory: checks caller input (null collections, null items,
// mixed dimensionalities) and hands the values to the geometry objects.
// Conversions all go through FGF bytes: WKB and text are converted to FGF
// first and read by the one FGF reader.
#include <Fdo/Geometry/FgfBytes.h>
#include <Fdo/Geometry/FgfGeometryFactory.h>

#include "ByteCursor.h"
#include "GeometryImpl.h"

#include <cmath>

using namespace fdogeom;

namespace {

template <class T, class C>
std::vector<FdoPtr<T>> Items(C* collection, const wchar_t* what) {
    if (!collection)
        throw FdoException::Create(FdoStringP::Format(L"The %ls collection is null.", what));
    std::vector<FdoPtr<T>> items;
    items.reserve(static_cast<size_t>(collection->GetCount()));
    for (FdoInt32 i = 0; i < collection->GetCount(); i++) {
        items.emplace_back(collection->GetItem(i));
        if (!items.back())
            throw FdoException::Create(FdoStringP::Format(L"The %ls collection holds a null item.", what));
    }
    return items;
}

FdoByteArray* ToByteArray(const std::vector<FdoByte>& bytes) {
    return FdoByteArray::Create(bytes.data(), static_cast<FdoInt32>(bytes.size()));
}

void CheckPosition(const FdoIDirectPosition* p) {
    if (!p) Throw(L"The position is null.");
    CheckDim(p->GetDimensionality());
}

}  // namespace

FdoFgfGeometryFactory* FdoFgfGeometryFactory::GetInstance() {
    static FdoFgfGeometryFactory* instance = new FdoFgfGeometryFactory();
    return FDO_SAFE_ADDREF(instance);
}

// ------------------------------------------------------------ conversions

FdoIGeometry* FdoFgfGeometryFactory::CreateGeometryFromFgf(FdoByteArray* fgf) {
    if (!fgf) Throw(L"The FGF byte array is null.");
    return ReadFgf(fgf->GetData(), static_cast<size_t>(fgf->GetCount()));
}

FdoIGeometry* FdoFgfGeometryFactory::CreateGeometryFromFgf(const FdoByte* fgf, FdoInt32 count) {
    if (count < 0) Throw(L"Invalid negative FGF byte count.");
    return ReadFgf(fgf, static_cast<size_t>(count));
}

FdoByteArray* FdoFgfGeometryFactory::GetFgf(FdoIGeometry* geometry) {
    std::vector<FdoByte> fgf;
    WriteFgf(geometry, fgf);
    return ToByteArray(fgf);
}

FdoIGeometry* FdoFgfGeometryFactory::CreateGeometryFromWkb(FdoByteArray* wkb) {
    if (!wkb) Throw(L"The WKB byte array is null.");
    return CreateGeometryFromWkb(wkb->GetData(), wkb->GetCount());
}

FdoIGeometry* FdoFgfGeometryFactory::CreateGeometryFromWkb(const FdoByte* wkb, FdoInt32 count) {
    std::vector<FdoByte> fgf;
    FdoFgfWkb::WkbToFgf(wkb, count, fgf);
    return ReadFgf(fgf.data(), fgf.size());
}

FdoByteArray* FdoFgfGeometryFactory::GetWkb(FdoIGeometry* geometry) {
    std::vector<FdoByte> fgf, wkb;
    WriteFgf(geometry, fgf);
    FdoFgfWkb::FgfToWkb(fgf.data(), static_cast<FdoInt32>(fgf.size()), wkb);
    return ToByteArray(wkb);
}

FdoIGeometry* FdoFgfGeometryFactory::CreateGeometry(FdoString* text) {
    std::vector<FdoByte> fgf;
    ParseText(text, fgf);
    return ReadFgf(fgf.data(), fgf.size());
}

FdoIGeometry* FdoFgfGeometryFactory::CreateGeometry(FdoIGeometry* geometry) {
    std::vector<FdoByte> fgf;
    WriteFgf(geometry, fgf);
    return ReadFgf(fgf.data(), fgf.size());
}

FdoIGeometry* FdoFgfGeometryFactory::CreateGeometry(FdoIEnvelope* env) {
    if (!env) Throw(L"The envelope is null.");
    if (env->GetIsEmpty()) Throw(L"Cannot make a polygon from an empty envelope.");
    double x0 = env->GetMinX(), y0 = env->GetMinY(), x1 = env->GetMaxX(), y1 = env->GetMaxY();
    bool hasZ = !std::isnan(env->GetMinZ()) && !std::isnan(env->GetMaxZ());
    double z = env->GetMinZ();
    std::vector<FdoDouble> ords;
    const double corners[5][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}, {x0, y0}};
    for (const auto& c : corners) {
        ords.push_back(c[0]);
        ords.push_back(c[1]);
        if (hasZ) ords.push_back(z);
    }
    FdoInt32 dim = hasZ ? FdoDimensionality_Z : FdoDimensionality_XY;
    std::vector<FdoPtr<FdoILinearRing>> rings;
    rings.emplace_back(LinearRingImpl::Create(dim, std::move(ords)));
    return PolygonImpl::Create(dim, std::move(rings));
}

// ------------------------------------------------------------ positions, envelopes

FdoIDirectPosition* FdoFgfGeometryFactory::CreatePositionXY(FdoDouble x, FdoDouble y) {
    return FdoDirectPositionImpl::Create(x, y);
}

FdoIDirectPosition* FdoFgfGeometryFactory::CreatePositionXYZ(FdoDouble x, FdoDouble y, FdoDouble z) {
    return FdoDirectPositionImpl::Create(x, y, z);
}

FdoIDirectPosition* FdoFgfGeometryFactory::CreatePositionXYM(FdoDouble x, FdoDouble y, FdoDouble m) {
    return FdoDirectPositionImpl::Create(x, y, 0, m, FdoDimensionality_M);
}

FdoIDirectPosition* FdoFgfGeometryFactory::CreatePositionXYZM(FdoDouble x, FdoDouble y, FdoDouble z, FdoDouble m) {
    return FdoDirectPositionImpl::Create(x, y, z, m, FdoDimensionality_Z | FdoDimensionality_M);
}

FdoIDirectPosition* FdoFgfGeometryFactory::CreatePosition(FdoIDirectPosition* position) {
    return FdoDirectPositionImpl::Create(position);
}

FdoIEnvelope* FdoFgfGeometryFactory::CreateEnvelopeXY(FdoDouble minX, FdoDouble minY, FdoDouble maxX,
                                                      FdoDouble maxY) {
    return FdoEnvelopeImpl::Create(minX, minY, maxX, maxY);
}

FdoIEnvelope* FdoFgfGeometryFactory::CreateEnvelopeXYZ(FdoDouble minX, FdoDouble minY, FdoDouble minZ,
                                                       FdoDouble maxX, FdoDouble maxY, FdoDouble maxZ) {
    return FdoEnvelopeImpl::Create(minX, minY, minZ, maxX, maxY, maxZ);
}

FdoIEnvelope* FdoFgfGeometryFactory::CreateEnvelope(FdoIDirectPosition* lowerLeft, FdoIDirectPosition* upperRight) {
    CheckPosition(lowerLeft);
    CheckPosition(upperRight);
    FdoPtr<FdoEnvelopeImpl> e = FdoEnvelopeImpl::Create(lowerLeft->GetX(), lowerLeft->GetY(), upperRight->GetX(),
                                                        upperRight->GetY());
    if ((lowerLeft->GetDimensionality() & FdoDimensionality_Z) &&
        (upperRight->GetDimensionality() & FdoDimensionality_Z)) {
        e->SetMinZ(lowerLeft->GetZ());
        e->SetMaxZ(upperRight->GetZ());
    }
    return e.Detach();
}

FdoIEnvelope* FdoFgfGeometryFactory::CreateEnvelope(FdoInt32 dimensionality, const FdoDouble* ordinates) {
    CheckDim(dimensionality);
    if (!ordinates) Throw(L"The ordinate array is null.");
    const FdoDouble* ll = ordinates;
    const FdoDouble* ur = ordinates + Stride(dimensionality);
    if (dimensionality & FdoDimensionality_Z) return FdoEnvelopeImpl::Create(ll[0], ll[1], ll[2], ur[0], ur[1], ur[2]);
    return FdoEnvelopeImpl::Create(ll[0], ll[1], ur[0], ur[1]);
}

FdoIEnvelope* FdoFgfGeometryFactory::CreateEnvelope(FdoIEnvelope* envelope) {
    return FdoEnvelopeImpl::Create(envelope);
}

// ------------------------------------------------------------ linear kinds

FdoIPoint* FdoFgfGeometryFactory::CreatePoint(FdoIDirectPosition* position) {
    CheckPosition(position);
    FdoDouble ords[4];
    LoadPosition(position, position->GetDimensionality(), ords);
    return PointImpl::Create(position->GetDimensionality(), ords);
}

FdoIPoint* FdoFgfGeometryFactory::CreatePoint(FdoInt32 dimensionality, const FdoDouble* ordinates) {
    return PointImpl::Create(dimensionality, ordinates);
}

FdoILineString* FdoFgfGeometryFactory::CreateLineString(FdoDirectPositionCollection* positions) {
    FdoInt32 dim;
    std::vector<FdoDouble> ords = PositionList::FromCollection(positions, &dim);
    return LineStringImpl::Create(dim, std::move(ords));
}

FdoILineString* FdoFgfGeometryFactory::CreateLineString(FdoInt32 dimensionality, FdoInt32 numOrdinates,
                                                        const FdoDouble* ordinates) {
    return LineStringImpl::Create(dimensionality, PositionList::FromArray(dimensionality, numOrdinates, ordinates));
}

FdoILinearRing* FdoFgfGeometryFactory::CreateLinearRing(FdoDirectPositionCollection* positions) {
    FdoInt32 dim;
    std::vector<FdoDouble> ords = PositionList::FromCollection(positions, &dim);
    return LinearRingImpl::Create(dim, std::move(ords));
}

FdoILinearRing* FdoFgfGeometryFactory::CreateLinearRing(FdoInt32 dimensionality, FdoInt32 numOrdinates,
                                                        const FdoDouble* ordinates) {
    return LinearRingImpl::Create(dimensionality, PositionList::FromArray(dimensionality, numOrdinates, ordinates));
}

FdoIPolygon* FdoFgfGeometryFactory::CreatePolygon(FdoILinearRing* exteriorRing, FdoLinearRingCollection* interiorRings) {
    if (!exteriorRing) Throw(L"The exterior ring of a polygon is null.");
    std::vector<FdoPtr<FdoILinearRing>> rings;
    rings.emplace_back(FDO_SAFE_ADDREF(exteriorRing));
    if (interiorRings)
        for (auto& r : Items<FdoILinearRing>(interiorRings, L"interior ring")) rings.push_back(r);
    return PolygonImpl::Create(exteriorRing->GetDimensionality(), std::move(rings));
}

FdoIMultiPoint* FdoFgfGeometryFactory::CreateMultiPoint(FdoPointCollection* points) {
    return MultiPointImpl::Create(Items<FdoIPoint>(points, L"point"));
}

FdoIMultiPoint* FdoFgfGeometryFactory::CreateMultiPoint(FdoInt32 dimensionality, FdoInt32 numOrdinates,
                                                        const FdoDouble* ordinates) {
    std::vector<FdoDouble> ords = PositionList::FromArray(dimensionality, numOrdinates, ordinates);
    std::vector<FdoPtr<FdoIPoint>> points;
    for (size_t i = 0; i < ords.size(); i += static_cast<size_t>(Stride(dimensionality)))
        points.emplace_back(PointImpl::Create(dimensionality, ords.data() + i));
    return MultiPointImpl::Create(std::move(points));
}

FdoIMultiLineString* FdoFgfGeometryFactory::CreateMultiLineString(FdoLineStringCollection* lineStrings) {
    return MultiLineStringImpl::Create(Items<FdoILineString>(lineStrings, L"line string"));
}

FdoIMultiPolygon* FdoFgfGeometryFactory::CreateMultiPolygon(FdoPolygonCollection* polygons) {
    return MultiPolygonImpl::Create(Items<FdoIPolygon>(polygons, L"polygon"));
}

FdoIMultiGeometry* FdoFgfGeometryFactory::CreateMultiGeometry(FdoGeometryCollection* geometries) {
    return MultiGeometryImpl::Create(Items<FdoIGeometry>(geometries, L"geometry"));
}

// ------------------------------------------------------------ curves

FdoICircularArcSegment* FdoFgfGeometryFactory::CreateCircularArcSegment(FdoIDirectPosition* start,
                                                                        FdoIDirectPosition* midPoint,
                                                                        FdoIDirectPosition* end) {
    CheckPosition(start);
    CheckPosition(midPoint);
    CheckPosition(end);
    FdoInt32 dim = start->GetDimensionality();
    if (midPoint->GetDimensionality() != dim || end->GetDimensionality() != dim)
        Throw(L"The positions of a circular arc segment must have one dimensionality.");
    std::vector<FdoDouble> ords(3 * static_cast<size_t>(Stride(dim)));
    LoadPosition(start, dim, ords.data());
    LoadPosition(midPoint, dim, ords.data() + Stride(dim));
    LoadPosition(end, dim, ords.data() + 2 * Stride(dim));
    return ArcSegmentImpl::Create(dim, std::move(ords));
}

FdoILineStringSegment* FdoFgfGeometryFactory::CreateLineStringSegment(FdoDirectPositionCollection* positions) {
    FdoInt32 dim;
    std::vector<FdoDouble> ords = PositionList::FromCollection(positions, &dim);
    return LineStringSegmentImpl::Create(dim, std::move(ords));
}

FdoILineStringSegment* FdoFgfGeometryFactory::CreateLineStringSegment(FdoInt32 dimensionality, FdoInt32 numOrdinates,
                                                                      const FdoDouble* ordinates) {
    return LineStringSegmentImpl::Create(dimensionality,
                                         PositionList::FromArray(dimensionality, numOrdinates, ordinates));
}

FdoIRing* FdoFgfGeometryFactory::CreateRing(FdoCurveSegmentCollection* segments) {
    return RingImpl::Create(Items<FdoICurveSegmentAbstract>(segments, L"curve segment"));
}

FdoICurveString* FdoFgfGeometryFactory::CreateCurveString(FdoCurveSegmentCollection* segments) {
    return CurveStringImpl::Create(Items<FdoICurveSegmentAbstract>(segments, L"curve segment"));
}

FdoICurvePolygon* FdoFgfGeometryFactory::CreateCurvePolygon(FdoIRing* exteriorRing, FdoRingCollection* interiorRings) {
    if (!exteriorRing) Throw(L"The exterior ring of a curve polygon is null.");
    std::vector<FdoPtr<FdoIRing>> rings;
    rings.emplace_back(FDO_SAFE_ADDREF(exteriorRing));
    if (interiorRings)
        for (auto& r : Items<FdoIRing>(interiorRings, L"interior ring")) rings.push_back(r);
    return CurvePolygonImpl::Create(exteriorRing->GetDimensionality(), std::move(rings));
}

FdoIMultiCurveString* FdoFgfGeometryFactory::CreateMultiCurveString(FdoCurveStringCollection* curveStrings) {
    return MultiCurveStringImpl::Create(Items<FdoICurveString>(curveStrings, L"curve string"));
}

FdoIMultiCurvePolygon* FdoFgfGeometryFactory::CreateMultiCurvePolygon(FdoCurvePolygonCollection* curvePolygons) {
    return MultiCurvePolygonImpl::Create(Items<FdoICurvePolygon>(curvePolygons, L"curve polygon"));
}
