// Envelopes: of every kind (arcs with their true extent), straight from FGF
// bytes, and the envelope value class and factory methods.
#include "GeometryTestSupport.h"

#include <cmath>

using namespace geomtest;

namespace {

struct Box {
    double minX, minY, maxX, maxY;
};

void ExpectBox(FdoString* text, Box box) {
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(text);
    FdoPtr<FdoIEnvelope> e = g->GetEnvelope();
    ASSERT_FALSE(e->GetIsEmpty()) << text;
    EXPECT_NEAR(e->GetMinX(), box.minX, 1e-12) << text;
    EXPECT_NEAR(e->GetMinY(), box.minY, 1e-12) << text;
    EXPECT_NEAR(e->GetMaxX(), box.maxX, 1e-12) << text;
    EXPECT_NEAR(e->GetMaxY(), box.maxY, 1e-12) << text;

    Bytes fgf = FgfOf(text);
    FdoFgfBounds b = FdoFgfBounds::Compute(fgf.data(), static_cast<FdoInt32>(fgf.size()));
    EXPECT_EQ(b.minX, e->GetMinX());
    EXPECT_EQ(b.maxY, e->GetMaxY());
}

}  // namespace

TEST(EnvelopeOfGeometry, LinearKinds) {
    ExpectBox(L"POINT (1 2)", {1, 2, 1, 2});
    ExpectBox(L"LINESTRING (0 5, -3 1, 2 2)", {-3, 1, 2, 5});
    ExpectBox(L"POLYGON ((0 0, 10 0, 10 10, 0 0), (20 20, 21 20, 20 20))", {0, 0, 21, 20});
    ExpectBox(L"MULTIPOLYGON (((0 0, 1 0, 1 1, 0 0)), ((5 5, 6 5, 6 6, 5 5)))", {0, 0, 6, 6});
    ExpectBox(L"GEOMETRYCOLLECTION (POINT (-1 -1), LINESTRING (0 0, 3 4))", {-1, -1, 3, 4});
}

TEST(EnvelopeOfGeometry, ArcsCountWithTheirBulge) {
    // Half circle above the chord from (0 0) to (2 0).
    ExpectBox(L"CURVESTRING (0 0 (CIRCULARARCSEGMENT (1 1, 2 0)))", {0, 0, 2, 1});
    // Three quarters of the unit circle, counter-clockwise, then the same arc clockwise:
    // both pass (-1 0) although no control point lies there.
    ExpectBox(L"CURVESTRING (1 0 (CIRCULARARCSEGMENT (0 1, 0 -1)))", {-1, -1, 1, 1});
    ExpectBox(L"CURVESTRING (0 -1 (CIRCULARARCSEGMENT (0 1, 1 0)))", {-1, -1, 1, 1});
    // A short arc stays inside its control points' box.
    ExpectBox(L"CURVESTRING (1 0 (CIRCULARARCSEGMENT (0.7071067811865476 0.7071067811865476, 0 1)))", {0, 0, 1, 1});
    // Start equal to end: the full circle through the mid point.
    ExpectBox(L"CURVEPOLYGON ((0 0 (CIRCULARARCSEGMENT (2 0, 0 0))))", {0, -1, 2, 1});
    // Collinear control points bound like a line.
    ExpectBox(L"MULTICURVESTRING ((0 0 (CIRCULARARCSEGMENT (1 1, 2 2))))", {0, 0, 2, 2});
}

TEST(EnvelopeOfGeometry, ZIsKeptOnlyWhenPresent) {
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(L"LINESTRING XYZ (0 0 5, 1 1 -2)");
    FdoPtr<FdoIEnvelope> e = g->GetEnvelope();
    EXPECT_EQ(e->GetMinZ(), -2);
    EXPECT_EQ(e->GetMaxZ(), 5);
    g = Factory()->CreateGeometry(L"LINESTRING XYM (0 0 5, 1 1 -2)");
    e = g->GetEnvelope();
    EXPECT_TRUE(std::isnan(e->GetMinZ()));
    EXPECT_EQ(e->GetMaxX(), 1);
}

TEST(EnvelopeOfGeometry, RingsAndSegments) {
    FdoPtr<FdoICurvePolygon> p =
        static_cast<FdoICurvePolygon*>(Factory()->CreateGeometry(L"CURVEPOLYGON ((0 0 (CIRCULARARCSEGMENT (1 1, 2 0), LINESTRINGSEGMENT (0 0))))"));
    FdoPtr<FdoIRing> ring = p->GetExteriorRing();
    FdoPtr<FdoIEnvelope> e = ring->GetEnvelope();
    EXPECT_EQ(e->GetMaxY(), 1);
    FdoPtr<FdoICurveSegmentAbstract> arc = ring->GetItem(0);
    e = arc->GetEnvelope();
    EXPECT_EQ(e->GetMaxX(), 2);
}

TEST(EnvelopeOfGeometry, NothingToBoundIsEmpty) {
    Bytes emptyCollection = B().I(7).I(0);
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometryFromFgf(emptyCollection.data(), 8);
    FdoPtr<FdoIEnvelope> e = g->GetEnvelope();
    EXPECT_TRUE(e->GetIsEmpty());
    FdoFgfBounds b = FdoFgfBounds::Compute(Bytes(B().I(1).I(0).D(NAN).D(NAN)).data(), 24);
    EXPECT_TRUE(b.IsEmpty());
}

TEST(EnvelopeImpl, StartsEmptyAndExpands) {
    FdoPtr<FdoEnvelopeImpl> e = FdoEnvelopeImpl::Create();
    EXPECT_TRUE(e->GetIsEmpty());
    EXPECT_TRUE(std::isnan(e->GetMinX()));
    FdoPtr<FdoIDirectPosition> xy = Factory()->CreatePositionXY(3, 4);
    e->Expand(xy);
    EXPECT_FALSE(e->GetIsEmpty());
    EXPECT_TRUE(std::isnan(e->GetMinZ()));
    FdoPtr<FdoIDirectPosition> xyz = Factory()->CreatePositionXYZ(-1, 10, 7);
    e->Expand(xyz);
    const FdoDouble* o = e->GetOrdinates();
    EXPECT_EQ(o[0], -1);
    EXPECT_EQ(o[1], 4);
    EXPECT_EQ(o[2], 7);
    EXPECT_EQ(o[3], 3);
    EXPECT_EQ(o[4], 10);
    EXPECT_EQ(o[5], 7);
    FdoPtr<FdoEnvelopeImpl> empty = FdoEnvelopeImpl::Create();
    e->Expand(empty.p);
    EXPECT_EQ(e->GetMaxX(), 3);
    FdoPtr<FdoIEnvelope> other = Factory()->CreateEnvelopeXY(0, 0, 20, 1);
    e->Expand(other.p);
    EXPECT_EQ(e->GetMaxX(), 20);
    EXPECT_EQ(e->GetMinZ(), 7);
}

TEST(EnvelopeImpl, FactoryForms) {
    FdoPtr<FdoIEnvelope> xy = Factory()->CreateEnvelopeXY(0, 1, 2, 3);
    EXPECT_TRUE(std::isnan(xy->GetMinZ()));
    EXPECT_EQ(xy->GetMaxY(), 3);
    FdoPtr<FdoIEnvelope> xyz = Factory()->CreateEnvelopeXYZ(0, 1, 2, 3, 4, 5);
    EXPECT_EQ(xyz->GetMinZ(), 2);
    EXPECT_EQ(xyz->GetMaxX(), 3);
    FdoPtr<FdoIDirectPosition> ll = Factory()->CreatePositionXYZ(0, 0, -1);
    FdoPtr<FdoIDirectPosition> ur = Factory()->CreatePositionXYZ(5, 6, 9);
    FdoPtr<FdoIEnvelope> fromPositions = Factory()->CreateEnvelope(ll, ur);
    EXPECT_EQ(fromPositions->GetMaxZ(), 9);
    const double xym[6] = {0, 1, 99, 4, 5, 99};
    FdoPtr<FdoIEnvelope> fromOrdinates = Factory()->CreateEnvelope(FdoDimensionality_M, xym);
    EXPECT_EQ(fromOrdinates->GetMaxX(), 4);
    EXPECT_EQ(fromOrdinates->GetMaxY(), 5);
    EXPECT_TRUE(std::isnan(fromOrdinates->GetMaxZ()));
    FdoPtr<FdoIEnvelope> copy = Factory()->CreateEnvelope(xyz);
    EXPECT_EQ(copy->GetMaxZ(), 5);
}

TEST(EnvelopeImpl, PolygonFromEnvelope) {
    FdoPtr<FdoIEnvelope> xy = Factory()->CreateEnvelopeXY(0, 0, 2, 1);
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(xy.p);
    EXPECT_STREQ(g->GetText(), L"POLYGON ((0 0, 2 0, 2 1, 0 1, 0 0))");
    FdoPtr<FdoIEnvelope> xyz = Factory()->CreateEnvelopeXYZ(0, 0, 3, 2, 1, 8);
    g = Factory()->CreateGeometry(xyz.p);
    EXPECT_STREQ(g->GetText(), L"POLYGON XYZ ((0 0 3, 2 0 3, 2 1 3, 0 1 3, 0 0 3))");
    FdoPtr<FdoEnvelopeImpl> empty = FdoEnvelopeImpl::Create();
    EXPECT_TRUE(Contains(FailureOf([&] { FdoPtr<FdoIGeometry> p = Factory()->CreateGeometry(empty.p); }), L"empty envelope"));
}
