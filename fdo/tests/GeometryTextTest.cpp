// Geometry text: every kind and dimensionality survives text -> FGF ->
// text, the Dim keyword decides the ordinates, numbers print with 15
// significant digits, and bad text fails with its position.
#include "GeometryTestSupport.h"

#include <cmath>
#include <limits>

using namespace geomtest;

TEST(GeometryText, EveryKindRoundTripsThroughFgf) {
    const FdoGeometryType types[] = {
        FdoGeometryType_Point,           FdoGeometryType_Point,           FdoGeometryType_Point,
        FdoGeometryType_Point,           FdoGeometryType_LineString,      FdoGeometryType_LineString,
        FdoGeometryType_Polygon,         FdoGeometryType_Polygon,         FdoGeometryType_MultiPoint,
        FdoGeometryType_MultiPoint,      FdoGeometryType_MultiLineString, FdoGeometryType_MultiPolygon,
        FdoGeometryType_CurveString,     FdoGeometryType_CurveString,     FdoGeometryType_CurvePolygon,
        FdoGeometryType_MultiCurveString, FdoGeometryType_MultiCurvePolygon, FdoGeometryType_MultiGeometry,
        FdoGeometryType_MultiGeometry,
    };
    ASSERT_EQ(std::size(types), Samples().size());
    for (size_t i = 0; i < Samples().size(); i++) {
        const std::wstring& text = Samples()[i];
        FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(text.c_str());
        EXPECT_EQ(g->GetDerivedType(), types[i]) << text;
        EXPECT_EQ(std::wstring(g->GetText()), text);
        EXPECT_EQ(TextOfFgf(FgfOf(text.c_str())), text);
        FdoPtr<FdoIGeometry> copy = Factory()->CreateGeometry(g.p);
        EXPECT_EQ(std::wstring(copy->GetText()), text);
    }
}

TEST(GeometryText, KeywordsAnyCaseAndLooseSpacing) {
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(L"  point xyz(1 2 3)\t");
    EXPECT_STREQ(g->GetText(), L"POINT XYZ (1 2 3)");
    g = Factory()->CreateGeometry(L"CurveString(0 0(CircularArcSegment(1 1,2 0)))");
    EXPECT_STREQ(g->GetText(), L"CURVESTRING (0 0 (CIRCULARARCSEGMENT (1 1, 2 0)))");
    g = Factory()->CreateGeometry(L"geometrycollection(\nPoint XY (1 2))");
    EXPECT_STREQ(g->GetText(), L"GEOMETRYCOLLECTION (POINT (1 2))");
}

TEST(GeometryText, DimKeywordDecidesTheOrdinatesKept) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"POINT (1 2 3 4)", L"POINT (1 2)"},
        {L"POINT XYZ (1 2)", L"POINT XYZ (1 2 0)"},
        {L"POINT XYM (1 2 3 4)", L"POINT XYM (1 2 3)"},
        {L"POINT XYZM (1 2 3)", L"POINT XYZM (1 2 3 0)"},
        {L"LINESTRING XYZ (0 0, 1 1 5)", L"LINESTRING XYZ (0 0 0, 1 1 5)"},
    };
    for (auto& [in, out] : cases) {
        FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(in);
        EXPECT_STREQ(g->GetText(), out) << in;
    }
    FdoPtr<FdoIPoint> p = static_cast<FdoIPoint*>(Factory()->CreateGeometry(L"POINT XYM (1 2 3)"));
    FdoPtr<FdoIDirectPosition> pos = p->GetPosition();
    EXPECT_EQ(pos->GetDimensionality(), FdoDimensionality_M);
    EXPECT_EQ(pos->GetM(), 3);
    EXPECT_TRUE(std::isnan(pos->GetZ()));
}

TEST(GeometryText, NumbersUseFifteenSignificantDigits) {
    const std::pair<double, const wchar_t*> cases[] = {
        {100, L"100"},
        {1.5, L"1.5"},
        {0.1, L"0.1"},
        {-2.25, L"-2.25"},
        {1.0 / 3, L"0.33333333333333"},
        {2.0 / 3, L"0.66666666666667"},
        {123456789012.345678, L"123456789012.346"},
        {999999999999999, L"999999999999999"},
        {1234567890123456.0, L"1.23456789012346e+15"},
        {1e20, L"1e+20"},
        {-0.0, L"0"},
        {-1e-20, L"0"},
        {2.5e-5, L"0.000025"},
    };
    for (auto& [value, text] : cases) {
        double ords[2] = {value, 0};
        FdoPtr<FdoIPoint> p = Factory()->CreatePoint(FdoDimensionality_XY, ords);
        EXPECT_EQ(std::wstring(p->GetText()), std::wstring(L"POINT (") + text + L" 0)") << value;
    }
}

TEST(GeometryText, ParsesNumberForms) {
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(L"LINESTRING (-1.5 2e3, 1E-2 -3.25e+1)");
    EXPECT_STREQ(g->GetText(), L"LINESTRING (-1.5 2000, 0.01 -32.5)");
}

TEST(GeometryText, BadTextNamesThePosition) {
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"", L"expected a geometry keyword at the end (position 1)"},
        {L"PONT (1 2)", L"expected a geometry keyword at position 1"},
        {L"POINT 1 2)", L"expected '(' at position 7"},
        {L"POINT (1)", L"expected a number at position 9"},
        {L"POINT (1 x)", L"expected a number at position 10"},
        {L"POINT (1 2", L"expected ')' at the end (position 11)"},
        {L"POINT (1 2) x", L"unexpected text after the geometry at position 13"},
        {L"POINT XYQ (1 2)", L"expected XY, XYZ, XYM, XYZM or '(' at position 7"},
        {L"POINT (.5 1)", L"expected a number at position 8"},
        {L"POINT (5. 1)", L"expected digits after the decimal point at position 10"},
        {L"POINT (+5 1)", L"expected a number at position 8"},
        {L"POINT (1e 1)", L"expected digits in the exponent at position 10"},
        {L"POINT (1e999 1)", L"number out of range at position 8"},
        {L"MULTIPOINT ((1 2), (3 4))", L"expected a number at position 13"},
        {L"POLYGON (0 0, 1 1)", L"expected '(' at position 10"},
        {L"LINESTRING ()", L"expected a number at position 13"},
        {L"CURVESTRING (0 0 (ARC (1 1, 2 0)))", L"expected CIRCULARARCSEGMENT or LINESTRINGSEGMENT at position 19"},
        {L"CURVESTRING (0 0 (CIRCULARARCSEGMENT (1 1)))", L"expected ',' at position 42"},
        {L"GEOMETRYCOLLECTION XY (POINT (1 2))", L"expected '(' at position 20"},
    };
    for (auto& [text, why] : cases) {
        std::wstring m = FailureOf([&] { FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(text); });
        EXPECT_TRUE(Contains(m, why)) << "text: " << Narrow(text) << "\nmessage: " << Narrow(m);
        EXPECT_TRUE(Contains(m, std::wstring(L"'") + text + L"'")) << Narrow(m);
    }
}

TEST(GeometryText, LongBadTextIsQuotedAroundTheFault) {
    std::wstring text = L"LINESTRING (";
    for (int i = 0; i < 500; i++) text += L"1 2, ";
    text += L"1 x)";
    std::wstring m = FailureOf([&] { FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(text.c_str()); });
    EXPECT_TRUE(Contains(m, L"at position " + std::to_wstring(text.size() - 1)));
    EXPECT_TRUE(Contains(m, L"1 2, 1 x)'"));
    EXPECT_LT(m.size(), 300u);
}

TEST(GeometryText, NestingIsBounded) {
    std::wstring deep;
    for (int i = 0; i < 40; i++) deep += L"GEOMETRYCOLLECTION (";
    deep += L"POINT (1 2)" + std::wstring(40, L')');
    EXPECT_TRUE(Contains(FailureOf([&] { FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(deep.c_str()); }),
                         L"nested too deeply"));
}
