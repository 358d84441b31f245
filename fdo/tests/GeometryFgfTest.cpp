// FGF bytes: the layout of each kind byte for byte, and defensive reading
// of truncated, oversized, mistyped and deeply nested input.
#include "GeometryTestSupport.h"
#include "TestData.h"

#include <fstream>
#include <iterator>

using namespace geomtest;

TEST(FgfLayout, PointsCarryTypeDimAndOrdinates) {
    EXPECT_EQ(FgfOf(L"POINT (1 2)"), Bytes(B().I(1).I(0).D(1).D(2)));
    EXPECT_EQ(FgfOf(L"POINT XYZ (1 2 3)"), Bytes(B().I(1).I(1).D(1).D(2).D(3)));
    EXPECT_EQ(FgfOf(L"POINT XYM (1 2 4)"), Bytes(B().I(1).I(2).D(1).D(2).D(4)));
    EXPECT_EQ(FgfOf(L"POINT XYZM (1 2 3 4)"), Bytes(B().I(1).I(3).D(1).D(2).D(3).D(4)));
}

TEST(FgfLayout, LinearKinds) {
    EXPECT_EQ(FgfOf(L"LINESTRING (0 0, 1 2)"), Bytes(B().I(2).I(0).I(2).D(0).D(0).D(1).D(2)));
    EXPECT_EQ(FgfOf(L"POLYGON ((0 0, 1 0, 0 0), (5 5, 6 5, 5 5))"),
              Bytes(B().I(3).I(0).I(2).I(3).D(0).D(0).D(1).D(0).D(0).D(0).I(3).D(5).D(5).D(6).D(5).D(5).D(5)));
}

TEST(FgfLayout, AggregatesHaveNoDimOfTheirOwn) {
    EXPECT_EQ(FgfOf(L"MULTIPOINT XYZ (1 2 3, 4 5 6)"),
              Bytes(B().I(4).I(2).I(1).I(1).D(1).D(2).D(3).I(1).I(1).D(4).D(5).D(6)));
    EXPECT_EQ(FgfOf(L"GEOMETRYCOLLECTION (POINT (1 2), LINESTRING (0 0, 1 1))"),
              Bytes(B().I(7).I(2).I(1).I(0).D(1).D(2).I(2).I(0).I(2).D(0).D(0).D(1).D(1)));
}

TEST(FgfLayout, CurveSegmentsDoNotRepeatTheirStart) {
    Bytes expected = B().I(10).I(0).D(0).D(0).I(2)         // curve string, start, 2 segments
                         .I(130).D(1).D(1).D(2).D(0)        // arc: mid, end
                         .I(131).I(2).D(3).D(0).D(3).D(2);  // line: 2 positions after the start
    EXPECT_EQ(FgfOf(L"CURVESTRING (0 0 (CIRCULARARCSEGMENT (1 1, 2 0), LINESTRINGSEGMENT (3 0, 3 2)))"), expected);

    FdoPtr<FdoICurveString> c =
        static_cast<FdoICurveString*>(Factory()->CreateGeometryFromFgf(expected.data(), static_cast<FdoInt32>(expected.size())));
    FdoPtr<FdoICurveSegmentAbstract> line = c->GetItem(1);
    FdoPtr<FdoIDirectPosition> start = line->GetStartPosition();
    EXPECT_EQ(start->GetX(), 2);  // where the arc ended
    EXPECT_EQ(start->GetY(), 0);
    EXPECT_EQ(static_cast<FdoILineStringSegment*>(line.p)->GetCount(), 3);
}

TEST(FgfLayout, CurvePolygonRingsAreCurveBodies) {
    EXPECT_EQ(FgfOf(L"CURVEPOLYGON XYZ ((0 0 1 (LINESTRINGSEGMENT (1 0 1, 0 0 1))))"),
              Bytes(B().I(11).I(1).I(1).D(0).D(0).D(1).I(1).I(131).I(2).D(1).D(0).D(1).D(0).D(0).D(1)));
}

TEST(FgfLayout, ByteArrayAndPointerEntryPointsAgree) {
    Bytes fgf = FgfOf(L"POINT (7 8)");
    FdoPtr<FdoByteArray> a = FdoByteArray::Create(fgf.data(), static_cast<FdoInt32>(fgf.size()));
    FdoPtr<FdoIGeometry> g = Factory()->CreateGeometryFromFgf(a);
    EXPECT_STREQ(g->GetText(), L"POINT (7 8)");
}

// Every proper prefix of every sample must fail cleanly on every reader.
TEST(FgfMalformed, EveryTruncationThrows) {
    for (const std::wstring& text : Samples()) {
        Bytes fgf = FgfOf(text.c_str());
        for (size_t n = 0; n < fgf.size(); n++) {
            Bytes cut(fgf.begin(), fgf.begin() + static_cast<std::ptrdiff_t>(n));
            FdoInt32 len = static_cast<FdoInt32>(n);
            FailureOf([&] { FdoPtr<FdoIGeometry> g = Factory()->CreateGeometryFromFgf(cut.data(), len); });
            FailureOf([&] {
                std::vector<FdoByte> wkb;
                FdoFgfWkb::FgfToWkb(cut.data(), len, wkb);
            });
            FailureOf([&] { FdoFgfBounds::Compute(cut.data(), len); });
        }
    }
}

TEST(FgfMalformed, TrailingBytesAreRejected) {
    Bytes fgf = FgfOf(L"POINT (1 2)");
    fgf.push_back(0);
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfFgf(fgf); }), L"1 unexpected bytes after the end"));
}

TEST(FgfMalformed, CountsThatCannotFitAreRejectedBeforeAllocating) {
    Bytes huge = B().I(2).I(0).I(0x7fffffff).D(0).D(0);
    std::wstring m = FailureOf([&] { TextOfFgf(huge); });
    EXPECT_TRUE(Contains(m, L"Item index out of bounds")) << Narrow(m);
    EXPECT_TRUE(Contains(m, L"at byte 8")) << Narrow(m);
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfFgf(B().I(7).I(100000000)); }), L"part count 100000000"));
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfFgf(B().I(3).I(0).I(-1)); }), L"invalid ring count -1"));
}

TEST(FgfMalformed, UnknownCodesAndWrongPartsAreRejected) {
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfFgf(B().I(99).I(0)); }), L"unknown geometry type 99"));
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfFgf(B().I(1).I(7).D(0).D(0)); }), L"invalid dimensionality 7"));
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfFgf(B().I(10).I(0).D(0).D(0).I(1).I(129).D(1).D(1)); }),
                         L"unknown curve segment type 129"));
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfFgf(B().I(10).I(0).D(0).D(0).I(0)); }), L"invalid segment count 0"));
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfFgf(B().I(4).I(1).I(2).I(0).I(0)); }),
                         L"a LineString part is not a Point"));
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfFgf(B().I(4).I(2).I(1).I(0).D(0).D(0).I(1).I(1).D(0).D(0).D(0)); }),
                         L"one dimensionality"));
    EXPECT_TRUE(Contains(FailureOf([&] { Factory()->CreateGeometryFromFgf(nullptr, 8); }), L"Item index out of bounds"));
}

TEST(FgfMalformed, NestingIsBounded) {
    auto nested = [](int depth) {
        B b;
        for (int i = 0; i < depth; i++) b.I(7).I(1);
        return Bytes(b.I(1).I(0).D(1).D(2));
    };
    EXPECT_EQ(TextOfFgf(nested(3)), L"GEOMETRYCOLLECTION (GEOMETRYCOLLECTION (GEOMETRYCOLLECTION (POINT (1 2))))");
    Bytes deep = nested(100);
    EXPECT_TRUE(Contains(FailureOf([&] { TextOfFgf(deep); }), L"nested too deeply"));
    FailureOf([&] { FdoFgfBounds::Compute(deep.data(), static_cast<FdoInt32>(deep.size())); });
    FailureOf([&] {
        std::vector<FdoByte> wkb;
        FdoFgfWkb::FgfToWkb(deep.data(), static_cast<FdoInt32>(deep.size()), wkb);
    });
}

TEST(FgfMalformed, EmptyPartsAreKeptNotInvented) {
    FdoPtr<FdoIPolygon> p = static_cast<FdoIPolygon*>(Factory()->CreateGeometryFromFgf(Bytes(B().I(3).I(0).I(0)).data(), 12));
    FdoPtr<FdoILinearRing> ring = p->GetExteriorRing();
    EXPECT_EQ(ring.p, nullptr);
    EXPECT_EQ(p->GetInteriorRingCount(), 0);
    FdoPtr<FdoIEnvelope> e = p->GetEnvelope();
    EXPECT_TRUE(e->GetIsEmpty());
}

// The fuzzer's seeds double as regression inputs: each one is fed through
// every reader the fuzzer drives. The valid samples (fgf-, wkb-, text-)
// must read; the others (inputs that once broke a reader) must just fail
// cleanly or read.
TEST(FgfCorpus, SeedsReplayCleanly) {
    auto dir = geoxfer_test::SourceDir() / "fuzz" / "corpus" / "fgf";
    if (!std::filesystem::exists(dir)) GTEST_SKIP() << "no corpus at " << dir;
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        auto n = static_cast<FdoInt32>(bytes.size());
        std::string name = entry.path().filename().string();
        auto attempt = [&](const char* prefix, const std::function<FdoIGeometry*()>& read) {
            bool mustRead = name.starts_with(prefix);
            try {
                FdoPtr<FdoIGeometry> g = read();
                FdoPtr<FdoByteArray> wkb = Factory()->GetWkb(g);
                EXPECT_NE(g->GetText(), nullptr);
            } catch (FdoException* e) {
                if (mustRead) ADD_FAILURE() << name << ": " << Narrow(e->GetExceptionMessage());
                e->Release();
            }
        };
        attempt("fgf-", [&] { return Factory()->CreateGeometryFromFgf(bytes.data(), n); });
        attempt("wkb-", [&] { return Factory()->CreateGeometryFromWkb(bytes.data(), n); });
        attempt("text-", [&] { return Factory()->CreateGeometry(std::wstring(bytes.begin(), bytes.end()).c_str()); });
        files++;
    }
    EXPECT_GT(files, 0);
}
