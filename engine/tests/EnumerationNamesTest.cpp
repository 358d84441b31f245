// Display names of FDO enumerations and their parsing, both ways, for every
// value including the ones without a name.
#include <GeoxferApi/FDO_Api.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Str(const wchar_t* s) { return s ? s : L"<null>"; }

}  // namespace

TEST(EnumerationNames, DataTypesBothWays) {
    const wchar_t* names[] = {L"Boolean", L"Byte",   L"DateTime", L"Decimal", L"Double", L"Int16",
                              L"Int32",   L"Int64",  L"Single",   L"String",  L"BLOB",   L"CLOB"};
    for (int v = 0; v < 12; v++) {
        EXPECT_EQ(Str(c_FDO_Api::FdoDataTypeToString(static_cast<FdoDataType>(v))), names[v]);
        FdoDataType parsed = FdoDataType_Boolean;
        ASSERT_TRUE(c_FDO_Api::FdoStringToDataType(names[v], parsed)) << names[v];
        EXPECT_EQ(parsed, v);
    }
    EXPECT_EQ(Str(c_FDO_Api::FdoDataTypeToString(static_cast<FdoDataType>(12))), L"Unknown FdoDataType");
    EXPECT_EQ(Str(c_FDO_Api::FdoDataTypeToString(static_cast<FdoDataType>(15))), L"Unknown FdoDataType");
}

TEST(EnumerationNames, DataTypeParsingIgnoresCaseOnly) {
    FdoDataType t = FdoDataType_String;
    EXPECT_TRUE(c_FDO_Api::FdoStringToDataType(L"int32", t));
    EXPECT_EQ(t, FdoDataType_Int32);
    EXPECT_TRUE(c_FDO_Api::FdoStringToDataType(L"blob", t));
    EXPECT_EQ(t, FdoDataType_BLOB);

    t = FdoDataType_Double;
    EXPECT_FALSE(c_FDO_Api::FdoStringToDataType(L" Int32", t));
    EXPECT_FALSE(c_FDO_Api::FdoStringToDataType(L"Int32 ", t));
    EXPECT_FALSE(c_FDO_Api::FdoStringToDataType(L"", t));
    EXPECT_FALSE(c_FDO_Api::FdoStringToDataType(nullptr, t));
    EXPECT_FALSE(c_FDO_Api::FdoStringToDataType(L"Unknown FdoDataType", t));
    EXPECT_EQ(t, FdoDataType_Double) << "a failed parse leaves the output unchanged";
}

TEST(EnumerationNames, GeometryTypesBothWays) {
    struct {
        int value;
        const wchar_t* name;
    } table[] = {{1, L"Point"},           {2, L"LineString"},     {3, L"Polygon"},     {4, L"MultiPoint"},
                 {5, L"MultiLineString"}, {6, L"MultiPolygon"},   {7, L"MultiGeometry"}, {10, L"CurveString"},
                 {11, L"CurvePolygon"},   {12, L"MultiCurveString"}, {13, L"MultiCurvePolygon"}};
    for (auto& row : table) {
        EXPECT_EQ(Str(c_FDO_Api::FdoGeometryTypeToString(static_cast<FdoGeometryType>(row.value))), row.name);
        FdoGeometryType parsed = FdoGeometryType_None;
        ASSERT_TRUE(c_FDO_Api::FdoStringToGeometryType(std::wstring(row.name).c_str(), parsed));
        EXPECT_EQ(parsed, row.value);
    }
    for (int unnamed : {0, 8, 9, 14, 15})
        EXPECT_EQ(c_FDO_Api::FdoGeometryTypeToString(static_cast<FdoGeometryType>(unnamed)), nullptr) << unnamed;

    FdoGeometryType t = FdoGeometryType_Polygon;
    EXPECT_TRUE(c_FDO_Api::FdoStringToGeometryType(L"multipolygon", t));
    EXPECT_EQ(t, FdoGeometryType_MultiPolygon);
    t = FdoGeometryType_Polygon;
    EXPECT_FALSE(c_FDO_Api::FdoStringToGeometryType(L"Circle", t));
    EXPECT_FALSE(c_FDO_Api::FdoStringToGeometryType(L"None", t));
    EXPECT_EQ(t, FdoGeometryType_Polygon);
}

TEST(EnumerationNames, GeometricTypesBothWays) {
    struct {
        int value;
        const wchar_t* name;
    } table[] = {{1, L"POINT"}, {2, L"CURVE"}, {4, L"SURFACE"}, {8, L"SOLID"}};
    for (auto& row : table) {
        EXPECT_EQ(Str(c_FDO_Api::FdoGeometricTypeToString(static_cast<FdoGeometricType>(row.value))), row.name);
        FdoGeometricType parsed = FdoGeometricType_Point;
        ASSERT_TRUE(c_FDO_Api::FdoStringToGeometricType(row.name, parsed));
        EXPECT_EQ(parsed, row.value);
    }
    for (int unnamed : {0, 3, 15})
        EXPECT_EQ(c_FDO_Api::FdoGeometricTypeToString(static_cast<FdoGeometricType>(unnamed)), nullptr) << unnamed;
    FdoGeometricType t = FdoGeometricType_Solid;
    EXPECT_TRUE(c_FDO_Api::FdoStringToGeometricType(L"surface", t));
    EXPECT_EQ(t, FdoGeometricType_Surface);
    EXPECT_FALSE(c_FDO_Api::FdoStringToGeometricType(L"LINE", t));
    EXPECT_EQ(t, FdoGeometricType_Surface);
}

TEST(EnumerationNames, LockAndClassTypesToText) {
    const wchar_t* locks[] = {L"None",        L"Shared",
                              L"Exclusive",   L"Transaction",
                              L"Unsupported", L"AllLongTransactionExclusive",
                              L"LongTransactionExclusive"};
    for (int v = 0; v < 7; v++) EXPECT_EQ(Str(c_FDO_Api::FdoLockTypeToString(static_cast<FdoLockType>(v))), locks[v]);
    EXPECT_EQ(Str(c_FDO_Api::FdoLockTypeToString(static_cast<FdoLockType>(7))), L"Unknown LockType");

    const wchar_t* classes[] = {L"Class",           L"FeatureClass",     L"NetworkClass",
                                L"NetworkLayerClass", L"NetworkNodeClass", L"NetworkLinkClass"};
    for (int v = 0; v < 6; v++)
        EXPECT_EQ(Str(c_FDO_Api::FdoClassTypeToString(static_cast<FdoClassType>(v))), classes[v]);
    EXPECT_EQ(Str(c_FDO_Api::FdoClassTypeToString(static_cast<FdoClassType>(6))), L"Unknown FdoClassType");
    EXPECT_EQ(Str(c_FDO_Api::FdoClassTypeToString(static_cast<FdoClassType>(7))), L"Unknown FdoClassType");
}

TEST(EnumerationNames, GeometricMaskBothWays) {
    EXPECT_EQ(std::wstring(c_FDO_Api::FdoGeometricTypesToString(15)), L"POINT+CURVE+SURFACE+SOLID");
    EXPECT_EQ(std::wstring(c_FDO_Api::FdoGeometricTypesToString(3)), L"POINT+CURVE");
    EXPECT_EQ(std::wstring(c_FDO_Api::FdoGeometricTypesToString(0)), L"");
    EXPECT_EQ(std::wstring(c_FDO_Api::FdoGeometricTypesToString(16 | 4)), L"SURFACE") << "other bits are ignored";

    int mask = -1;
    EXPECT_TRUE(c_FDO_Api::FdoStringToGeometricTypes(L"point+solid", mask));
    EXPECT_EQ(mask, 9);
    EXPECT_TRUE(c_FDO_Api::FdoStringToGeometricTypes(L"", mask));
    EXPECT_EQ(mask, 0);
    EXPECT_TRUE(c_FDO_Api::FdoStringToGeometricTypes(L"+CURVE++SURFACE+", mask)) << "empty pieces are dropped";
    EXPECT_EQ(mask, 6);
    EXPECT_FALSE(c_FDO_Api::FdoStringToGeometricTypes(L"POINT+LINE+SOLID", mask));
    EXPECT_EQ(mask, 1) << "the pieces before the unknown one stay";

    for (int m = 0; m < 16; m++) {
        int back = -1;
        ASSERT_TRUE(c_FDO_Api::FdoStringToGeometricTypes(c_FDO_Api::FdoGeometricTypesToString(m), back));
        EXPECT_EQ(back, m);
    }
}

TEST(EnumerationNames, GeometryListBothWays) {
    FdoGeometryType list[] = {FdoGeometryType_Point, FdoGeometryType_Polygon};
    EXPECT_EQ(std::wstring(c_FDO_Api::FdoGeometryTypesToString(list, 2)), L"Point,Polygon");
    EXPECT_EQ(std::wstring(c_FDO_Api::FdoGeometryTypesToString(list, 0)), L"");

    FdoGeometryType* types = nullptr;
    int count = -1;
    EXPECT_TRUE(c_FDO_Api::FdoStringToGeometryTypes(L"point,,MultiCurvePolygon,", types, count));
    ASSERT_EQ(count, 2);
    EXPECT_EQ(types[0], FdoGeometryType_Point);
    EXPECT_EQ(types[1], FdoGeometryType_MultiCurvePolygon);

    EXPECT_FALSE(c_FDO_Api::FdoStringToGeometryTypes(L"Point,Circle", types, count));
    EXPECT_EQ(count, 1);
    EXPECT_EQ(types[0], FdoGeometryType_Point);

    EXPECT_TRUE(c_FDO_Api::FdoStringToGeometryTypes(L"", types, count));
    EXPECT_EQ(count, 0);
}

TEST(EnumerationNames, UnnamedGeometryTypeKeepsItsPlaceAndFailsToReadBack) {
    FdoGeometryType list[] = {FdoGeometryType_Point, static_cast<FdoGeometryType>(8), FdoGeometryType_Polygon};
    FdoStringP text = c_FDO_Api::FdoGeometryTypesToString(list, 3);
    EXPECT_EQ(std::wstring(text), L"Point,Unknown,Polygon");
    FdoGeometryType* types = nullptr;
    int count = 0;
    EXPECT_FALSE(c_FDO_Api::FdoStringToGeometryTypes(text, types, count));
    EXPECT_EQ(count, 1);
}

TEST(EnumerationNames, GeometryListTakesAtMost64IntoOneSharedBuffer) {
    std::wstring text;
    for (int i = 0; i < 70; i++) text += i % 2 ? L"Polygon," : L"Point,";
    FdoGeometryType* types = nullptr;
    int count = 0;
    EXPECT_TRUE(c_FDO_Api::FdoStringToGeometryTypes(text.c_str(), types, count));
    ASSERT_EQ(count, 64);
    for (int i = 0; i < 64; i++) EXPECT_EQ(types[i], i % 2 ? FdoGeometryType_Polygon : FdoGeometryType_Point);

    // Past the 64th piece nothing is read, not even a bad name.
    EXPECT_TRUE(c_FDO_Api::FdoStringToGeometryTypes((text + L"Circle").c_str(), types, count));
    EXPECT_EQ(count, 64);

    // The buffer is one process-wide object: the next call overwrites it.
    FdoGeometryType* first = types;
    FdoGeometryType* second = nullptr;
    ASSERT_TRUE(c_FDO_Api::FdoStringToGeometryTypes(L"CurveString", second, count));
    EXPECT_EQ(first, second);
    EXPECT_EQ(first[0], FdoGeometryType_CurveString);
}
