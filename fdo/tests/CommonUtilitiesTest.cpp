// The small common utilities providers and the engine share: the top-level
// AND chain of a filter and the names of enumeration values.
#include <Fdo.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Texts(const std::vector<FdoPtr<FdoFilter>>& filters) {
    std::wstring out;
    for (const auto& f : filters) out += std::wstring(out.empty() ? L"" : L" | ") + f->ToString();
    return out;
}

TEST(FilterConjuncts, TopLevelAndChainInOrderAndNothingBelowOrOrNot) {
    FdoPtr<FdoFilter> f = FdoFilter::Parse(L"A = 1 AND (B = 2 OR C = 3) AND NOT (D = 4 AND E = 5) AND ((F = 6 AND G = 7))");
    EXPECT_EQ(Texts(FdoCommonFilterSplitter::Conjuncts(f)),
              L"A = 1 | B = 2 OR C = 3 | NOT (D = 4 AND E = 5) | F = 6 | G = 7");
    FdoPtr<FdoFilter> single = FdoFilter::Parse(L"A = 1 OR B = 2");
    auto one = FdoCommonFilterSplitter::Conjuncts(single);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].p, single.p) << "the original node, not a copy";
    EXPECT_TRUE(FdoCommonFilterSplitter::Conjuncts(nullptr).empty());
}

TEST(EnumNames, EveryDataAndGeometryTypeHasItsNameAndReadsBack) {
    for (int i = FdoDataType_Boolean; i <= FdoDataType_CLOB; i++) {
        auto type = static_cast<FdoDataType>(i);
        FdoString* name = FdoCommonEnumNames::DataType(type);
        ASSERT_NE(name, nullptr) << i;
        FdoDataType back = FdoDataType_CLOB;
        EXPECT_TRUE(FdoCommonEnumNames::ParseDataType(FdoStringP(name).Upper(), back)) << i;
        EXPECT_EQ(back, type);
    }
    EXPECT_STREQ(FdoCommonEnumNames::DataType(FdoDataType_Int32), L"Int32");
    EXPECT_EQ(FdoCommonEnumNames::DataType(static_cast<FdoDataType>(12)), nullptr);

    for (FdoGeometryType type :
         {FdoGeometryType_Point, FdoGeometryType_LineString, FdoGeometryType_Polygon, FdoGeometryType_MultiPoint,
          FdoGeometryType_MultiLineString, FdoGeometryType_MultiPolygon, FdoGeometryType_MultiGeometry,
          FdoGeometryType_CurveString, FdoGeometryType_CurvePolygon, FdoGeometryType_MultiCurveString,
          FdoGeometryType_MultiCurvePolygon}) {
        FdoString* name = FdoCommonEnumNames::GeometryType(type);
        ASSERT_NE(name, nullptr) << type;
        FdoGeometryType back = FdoGeometryType_None;
        EXPECT_TRUE(FdoCommonEnumNames::ParseGeometryType(name, back)) << type;
        EXPECT_EQ(back, type);
    }
    EXPECT_EQ(FdoCommonEnumNames::GeometryType(static_cast<FdoGeometryType>(8)), nullptr) << "no type has value 8";
    EXPECT_STREQ(FdoCommonEnumNames::GeometryType(FdoGeometryType_None), L"None");
    EXPECT_STREQ(FdoCommonEnumNames::GeometryType(FdoGeometryType_MultiPolygon), L"MultiPolygon");
    EXPECT_EQ(FdoCommonEnumNames::GeometryType(static_cast<FdoGeometryType>(99)), nullptr);
}

TEST(EnumNames, LookupsRefuseUnknownNullAndPaddedNames) {
    FdoDataType d = FdoDataType_Byte;
    EXPECT_FALSE(FdoCommonEnumNames::ParseDataType(L"Integer", d));
    EXPECT_FALSE(FdoCommonEnumNames::ParseDataType(L" Int32", d));
    EXPECT_FALSE(FdoCommonEnumNames::ParseDataType(nullptr, d));
    EXPECT_EQ(d, FdoDataType_Byte) << "unchanged on failure";
    FdoGeometryType g = FdoGeometryType_Point;
    EXPECT_FALSE(FdoCommonEnumNames::ParseGeometryType(L"None", g)) << "no list of types holds None";
    EXPECT_FALSE(FdoCommonEnumNames::ParseGeometryType(L"Polygon ", g));
    EXPECT_EQ(g, FdoGeometryType_Point);
}

}  // namespace
