// The factory's part-by-part construction, the accessors of each kind, the
// checks on caller input, and reference counting of shared parts.
#include "GeometryTestSupport.h"

#include <cmath>

using namespace geomtest;

namespace {

FdoDirectPositionCollection* Positions(std::initializer_list<std::pair<double, double>> xy) {
    FdoDirectPositionCollection* c = FdoDirectPositionCollection::Create();
    for (auto [x, y] : xy) {
        FdoPtr<FdoIDirectPosition> p = Factory()->CreatePositionXY(x, y);
        c->Add(p);
    }
    return c;
}

}  // namespace

TEST(GeometryFactory, IsOneSharedInstance) {
    FdoPtr<FdoFgfGeometryFactory> a = FdoFgfGeometryFactory::GetInstance();
    FdoInt32 count = a->GetRefCount();
    {
        FdoPtr<FdoFgfGeometryFactory> b = FdoFgfGeometryFactory::GetInstance();
        EXPECT_EQ(a.p, b.p);
        EXPECT_EQ(a->GetRefCount(), count + 1);
    }
    EXPECT_EQ(a->GetRefCount(), count);
}

TEST(GeometryFactory, BuildsLinearKindsFromParts) {
    FdoPtr<FdoDirectPositionCollection> outer = Positions({{0, 0}, {4, 0}, {4, 4}, {0, 0}});
    FdoPtr<FdoDirectPositionCollection> inner = Positions({{1, 1}, {2, 1}, {2, 2}, {1, 1}});
    FdoPtr<FdoILinearRing> exterior = Factory()->CreateLinearRing(outer);
    FdoPtr<FdoILinearRing> hole = Factory()->CreateLinearRing(inner);
    FdoPtr<FdoLinearRingCollection> holes = FdoLinearRingCollection::Create();
    holes->Add(hole);
    FdoPtr<FdoIPolygon> polygon = Factory()->CreatePolygon(exterior, holes);
    EXPECT_STREQ(polygon->GetText(), L"POLYGON ((0 0, 4 0, 4 4, 0 0), (1 1, 2 1, 2 2, 1 1))");
    EXPECT_EQ(polygon->GetInteriorRingCount(), 1);
    FdoPtr<FdoILinearRing> got = polygon->GetInteriorRing(0);
    EXPECT_EQ(got.p, hole.p);
    EXPECT_EQ(hole->GetRefCount(), 4);  // ours, the collection's, the polygon's, got

    FdoPtr<FdoPolygonCollection> polygons = FdoPolygonCollection::Create();
    polygons->Add(polygon);
    FdoPtr<FdoIMultiPolygon> multi = Factory()->CreateMultiPolygon(polygons);
    EXPECT_EQ(multi->GetCount(), 1);

    const double ords[] = {0, 0, 1, 1, 2, 3, 4, 5};
    FdoPtr<FdoILineString> line = Factory()->CreateLineString(FdoDimensionality_Z | FdoDimensionality_M, 8, ords);
    EXPECT_STREQ(line->GetText(), L"LINESTRING XYZM (0 0 1 1, 2 3 4 5)");
    double x, y, z, m;
    FdoInt32 dim;
    line->GetItemByMembers(1, &x, &y, &z, &m, &dim);
    EXPECT_EQ(m, 5);
    EXPECT_EQ(dim, 3);
    FdoPtr<FdoIDirectPosition> end = line->GetEndPosition();
    EXPECT_EQ(end->GetZ(), 4);
    EXPECT_FALSE(line->GetIsClosed());

    FdoPtr<FdoIMultiPoint> points = Factory()->CreateMultiPoint(FdoDimensionality_XY, 4, ords);
    EXPECT_STREQ(points->GetText(), L"MULTIPOINT (0 0, 1 1)");
}

TEST(GeometryFactory, BuildsCurvesFromSegments) {
    FdoPtr<FdoIDirectPosition> a = Factory()->CreatePositionXY(0, 0);
    FdoPtr<FdoIDirectPosition> b = Factory()->CreatePositionXY(1, 1);
    FdoPtr<FdoIDirectPosition> c = Factory()->CreatePositionXY(2, 0);
    FdoPtr<FdoICircularArcSegment> arc = Factory()->CreateCircularArcSegment(a, b, c);
    FdoPtr<FdoDirectPositionCollection> back = Positions({{2, 0}, {0, 0}});
    FdoPtr<FdoILineStringSegment> chord = Factory()->CreateLineStringSegment(back);
    FdoPtr<FdoCurveSegmentCollection> segments = FdoCurveSegmentCollection::Create();
    segments->Add(arc);
    segments->Add(chord);

    FdoPtr<FdoICurveString> curve = Factory()->CreateCurveString(segments);
    EXPECT_STREQ(curve->GetText(), L"CURVESTRING (0 0 (CIRCULARARCSEGMENT (1 1, 2 0), LINESTRINGSEGMENT (0 0)))");
    EXPECT_TRUE(curve->GetIsClosed());
    EXPECT_EQ(curve->GetCount(), 2);

    FdoPtr<FdoIRing> ring = Factory()->CreateRing(segments);
    FdoPtr<FdoICurvePolygon> polygon = Factory()->CreateCurvePolygon(ring, nullptr);
    EXPECT_STREQ(polygon->GetText(), L"CURVEPOLYGON ((0 0 (CIRCULARARCSEGMENT (1 1, 2 0), LINESTRINGSEGMENT (0 0))))");
    FdoPtr<FdoCurvePolygonCollection> polygons = FdoCurvePolygonCollection::Create();
    polygons->Add(polygon);
    FdoPtr<FdoIMultiCurvePolygon> multi = Factory()->CreateMultiCurvePolygon(polygons);
    FdoPtr<FdoCurveStringCollection> curves = FdoCurveStringCollection::Create();
    curves->Add(curve);
    FdoPtr<FdoIMultiCurveString> multiCurve = Factory()->CreateMultiCurveString(curves);

    FdoPtr<FdoGeometryCollection> all = FdoGeometryCollection::Create();
    all->Add(multi);
    all->Add(multiCurve);
    FdoPtr<FdoIMultiGeometry> collection = Factory()->CreateMultiGeometry(all);
    FdoPtr<FdoIGeometry> copy = Factory()->CreateGeometry(collection->GetText());
    EXPECT_STREQ(copy->GetText(), collection->GetText());
}

TEST(GeometryFactory, RejectsInconsistentInput) {
    FdoPtr<FdoDirectPositionCollection> mixed = Positions({{0, 0}});
    FdoPtr<FdoIDirectPosition> z = Factory()->CreatePositionXYZ(1, 1, 1);
    mixed->Add(z);
    EXPECT_TRUE(Contains(FailureOf([&] { FdoPtr<FdoILineString> l = Factory()->CreateLineString(mixed); }),
                         L"one dimensionality"));
    const double ords[] = {0, 0, 1};
    EXPECT_TRUE(Contains(FailureOf([&] { FdoPtr<FdoILineString> l = Factory()->CreateLineString(0, 3, ords); }),
                         L"3 ordinates do not make whole positions"));
    EXPECT_TRUE(Contains(FailureOf([&] { FdoPtr<FdoIPoint> p = Factory()->CreatePoint(9, ords); }),
                         L"Invalid dimensionality 9"));
    FdoPtr<FdoPointCollection> points = FdoPointCollection::Create();
    points->Add(nullptr);
    EXPECT_TRUE(Contains(FailureOf([&] { FdoPtr<FdoIMultiPoint> m = Factory()->CreateMultiPoint(points); }),
                         L"null item"));
    FdoPtr<FdoCurveSegmentCollection> none = FdoCurveSegmentCollection::Create();
    EXPECT_TRUE(Contains(FailureOf([&] { FdoPtr<FdoICurveString> c = Factory()->CreateCurveString(none); }),
                         L"at least one segment"));
    EXPECT_TRUE(Contains(FailureOf([&] { FdoPtr<FdoIPolygon> p = Factory()->CreatePolygon(nullptr, nullptr); }),
                         L"exterior ring"));
    FdoPtr<FdoDirectPositionCollection> one = Positions({{0, 0}});
    EXPECT_TRUE(Contains(FailureOf([&] { FdoPtr<FdoILineStringSegment> s = Factory()->CreateLineStringSegment(one); }),
                         L"at least two positions"));
    FdoPtr<FdoILineString> line = static_cast<FdoILineString*>(Factory()->CreateGeometry(L"LINESTRING (0 0, 1 1)"));
    EXPECT_TRUE(Contains(FailureOf([&] { FdoPtr<FdoIDirectPosition> p = line->GetItem(2); }), L"Item index out of bounds"));
}

TEST(GeometryFactory, PositionsReportOnlyTheirOrdinates) {
    FdoPtr<FdoIDirectPosition> xym = Factory()->CreatePositionXYM(1, 2, 3);
    EXPECT_EQ(xym->GetDimensionality(), FdoDimensionality_M);
    EXPECT_TRUE(std::isnan(xym->GetZ()));
    EXPECT_EQ(xym->GetM(), 3);
    FdoPtr<FdoIPoint> p = Factory()->CreatePoint(xym);
    EXPECT_STREQ(p->GetText(), L"POINT XYM (1 2 3)");
    FdoPtr<FdoIDirectPosition> copy = Factory()->CreatePosition(xym);
    EXPECT_EQ(copy->GetM(), 3);
}
