// OGC WKB: our output checked against byte strings computed by hand from
// the OGC layout (what GDAL reads and writes), round trips of every kind,
// and the input variants other writers produce: big-endian, flag-style Z/M,
// SRID prefixes, bare circular strings, plain polygons inside MultiSurface.
#include "GeometryTestSupport.h"

using namespace geomtest;

namespace {

std::string WkbHexOf(FdoString* text) {
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(text);
    FdoPtr<FdoByteArray> wkb = Factory()->GetWkb(g);
    return ToHex(Bytes(wkb->GetData(), wkb->GetData() + wkb->GetCount()));
}

const char* kOne = "000000000000F03F";
const char* kTwo = "0000000000000040";

}  // namespace

TEST(WkbWrite, MatchesHandComputedBytes) {
    EXPECT_EQ(WkbHexOf(L"POINT (1 2)"), "0101000000000000000000F03F0000000000000040");
    EXPECT_EQ(WkbHexOf(L"POINT XYZ (1 2 3)"), std::string("01E9030000") + kOne + kTwo + "0000000000000840");
    EXPECT_EQ(WkbHexOf(L"POINT XYM (1 2 4)"), std::string("01D1070000") + kOne + kTwo + "0000000000001040");
    EXPECT_EQ(WkbHexOf(L"POINT XYZM (1 2 3 4)"),
              std::string("01B90B0000") + kOne + kTwo + "0000000000000840" + "0000000000001040");
    EXPECT_EQ(WkbHexOf(L"LINESTRING (0 0, 1 1)"),
              std::string("010200000002000000") + "00000000000000000000000000000000" + kOne + kOne);
    EXPECT_EQ(WkbHexOf(L"MULTIPOINT XYZ (1 2 3, 4 5 6)").substr(0, 28), "01EC0300000200000001E9030000");
    // A collection states the union of its parts' dimensionality.
    EXPECT_EQ(WkbHexOf(L"GEOMETRYCOLLECTION (POINT XYZ (1 2 3), LINESTRING (0 0, 1 1))").substr(0, 18),
              "01EF03000002000000");
}

TEST(WkbWrite, CurveKindsUseIsoCurveCodes) {
    Bytes expected = B().Byte(1).I(9).I(2)
                         .Byte(1).I(8).I(3).D(0).D(0).D(1).D(1).D(2).D(0)
                         .Byte(1).I(2).I(3).D(2).D(0).D(3).D(0).D(3).D(2);
    EXPECT_EQ(WkbHexOf(L"CURVESTRING (0 0 (CIRCULARARCSEGMENT (1 1, 2 0), LINESTRINGSEGMENT (3 0, 3 2)))"), ToHex(expected));
    EXPECT_EQ(WkbHexOf(L"CURVESTRING XYZ (0 0 0 (LINESTRINGSEGMENT (1 1 1)))").substr(0, 10), "01F1030000");
    EXPECT_EQ(WkbHexOf(L"CURVEPOLYGON ((0 0 (LINESTRINGSEGMENT (1 0, 1 1, 0 0))))").substr(0, 20), "010A0000000100000001");
    EXPECT_EQ(WkbHexOf(L"MULTICURVESTRING ((0 0 (LINESTRINGSEGMENT (1 1))))").substr(0, 10), "010B000000");
    EXPECT_EQ(WkbHexOf(L"MULTICURVEPOLYGON (((0 0 (LINESTRINGSEGMENT (1 0, 0 0)))))").substr(0, 10), "010C000000");
}

TEST(WkbRoundTrip, EveryKindComesBackTheSame) {
    for (const std::wstring& text : Samples()) {
        Bytes fgf = FgfOf(text.c_str());
        std::vector<FdoByte> wkb, back;
        FdoFgfWkb::FgfToWkb(fgf.data(), static_cast<FdoInt32>(fgf.size()), wkb);
        FdoFgfWkb::WkbToFgf(wkb.data(), static_cast<FdoInt32>(wkb.size()), back);
        EXPECT_EQ(back, fgf) << text;

        FdoPtr<FdoIGeometry> g = Factory()->CreateGeometry(text.c_str());
        FdoPtr<FdoByteArray> objWkb = Factory()->GetWkb(g);
        EXPECT_EQ(Bytes(objWkb->GetData(), objWkb->GetData() + objWkb->GetCount()), wkb) << text;
        EXPECT_EQ(TextOfWkb(wkb), text);
    }
}

TEST(WkbRead, BigEndianAndFlagStyles) {
    EXPECT_EQ(TextOfWkb(B().Hex("00000000013FF00000000000004000000000000000")), L"POINT (1 2)");
    EXPECT_EQ(TextOfWkb(B().Hex("00800000013FF000000000000040000000000000004008000000000000")), L"POINT XYZ (1 2 3)");
    EXPECT_EQ(TextOfWkb(B().Hex("0000000BB93FF0000000000000400000000000000040080000000000004010000000000000")),
              L"POINT XYZM (1 2 3 4)");
    EXPECT_EQ(TextOfWkb(B().Byte(1).I(static_cast<FdoInt32>(0x40000001u)).D(1).D(2).D(4)), L"POINT XYM (1 2 4)");
    // Extended form with an SRID prefix.
    EXPECT_EQ(TextOfWkb(B().Byte(1).I(0x20000001).I(4326).D(1).D(2)), L"POINT (1 2)");
    // A big-endian collection holding a little-endian part.
    EXPECT_EQ(TextOfWkb(B().Hex("000000000400000002").Byte(1).I(1).D(1).D(2).Hex("00000000013FF00000000000003FF0000000000000")),
              L"MULTIPOINT (1 2, 1 1)");
}

TEST(WkbRead, CurvesFromOtherWriters) {
    EXPECT_EQ(TextOfWkb(B().Byte(1).I(8).I(5).D(0).D(0).D(1).D(1).D(2).D(0).D(3).D(-1).D(4).D(0)),
              L"CURVESTRING (0 0 (CIRCULARARCSEGMENT (1 1, 2 0), CIRCULARARCSEGMENT (3 -1, 4 0)))");
    EXPECT_EQ(TextOfWkb(B().Byte(1).I(12).I(1).Byte(1).I(3).I(1).I(4).D(0).D(0).D(1).D(0).D(1).D(1).D(0).D(0)),
              L"MULTICURVEPOLYGON (((0 0 (LINESTRINGSEGMENT (1 0, 1 1, 0 0)))))");
    EXPECT_EQ(TextOfWkb(B().Byte(1).I(11).I(1).Byte(1).I(2).I(2).D(0).D(0).D(1).D(1)),
              L"MULTICURVESTRING ((0 0 (LINESTRINGSEGMENT (1 1))))");
    EXPECT_EQ(TextOfWkb(B().Byte(1).I(10).I(1).Byte(1).I(8).I(3).D(0).D(0).D(2).D(0).D(0).D(0)),
              L"CURVEPOLYGON ((0 0 (CIRCULARARCSEGMENT (2 0, 0 0))))");
}

TEST(WkbRead, BadInputFailsCleanly) {
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfWkb(B().Byte(2).I(1).D(1).D(2)); }), L"invalid byte order marker 2"));
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfWkb(B().Byte(1).I(15).I(0)); }), L"WKB geometry type 15 is not supported"));
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfWkb(B().Byte(1).I(8).I(4).D(0).D(0).D(1).D(1).D(2).D(0).D(3).D(3)); }),
                         L"odd number of positions"));
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfWkb(B().Byte(1).I(4).I(1).Byte(1).I(2).I(0)); }),
                         L"a LineString cannot be a part of a MultiPoint"));
    // A compound curve whose component has another dimensionality.
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfWkb(B().Byte(1).I(9).I(1).Byte(1).I(1002).I(2).D(0).D(0).D(0).D(1).D(1).D(1)); }),
                         L"dimensionality differs"));
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfWkb(B().Byte(1).I(2).I(0x10000000).D(0).D(0)); }), L"Item index out of bounds"));

    for (const std::wstring& text : Samples()) {
        Bytes fgf = FgfOf(text.c_str());
        std::vector<FdoByte> wkb, out;
        FdoFgfWkb::FgfToWkb(fgf.data(), static_cast<FdoInt32>(fgf.size()), wkb);
        for (size_t n = 0; n < wkb.size(); n++)
            FailureOf([&] { FdoFgfWkb::WkbToFgf(wkb.data(), static_cast<FdoInt32>(n), out); });
    }
}
