// The name tables, in the enumerations' own order.
#include <FdoCommon/FdoCommonEnumNames.h>

#include <cwchar>

namespace {

template <class E>
struct NameEntry {
    FdoString* name;
    E value;
};

const NameEntry<FdoDataType> kDataTypes[] = {
    {L"Boolean", FdoDataType_Boolean}, {L"Byte", FdoDataType_Byte},     {L"DateTime", FdoDataType_DateTime},
    {L"Decimal", FdoDataType_Decimal}, {L"Double", FdoDataType_Double}, {L"Int16", FdoDataType_Int16},
    {L"Int32", FdoDataType_Int32},     {L"Int64", FdoDataType_Int64},   {L"Single", FdoDataType_Single},
    {L"String", FdoDataType_String},   {L"BLOB", FdoDataType_BLOB},     {L"CLOB", FdoDataType_CLOB},
};

const NameEntry<FdoGeometryType> kGeometryTypes[] = {
    {L"Point", FdoGeometryType_Point},
    {L"LineString", FdoGeometryType_LineString},
    {L"Polygon", FdoGeometryType_Polygon},
    {L"MultiPoint", FdoGeometryType_MultiPoint},
    {L"MultiLineString", FdoGeometryType_MultiLineString},
    {L"MultiPolygon", FdoGeometryType_MultiPolygon},
    {L"MultiGeometry", FdoGeometryType_MultiGeometry},
    {L"CurveString", FdoGeometryType_CurveString},
    {L"CurvePolygon", FdoGeometryType_CurvePolygon},
    {L"MultiCurveString", FdoGeometryType_MultiCurveString},
    {L"MultiCurvePolygon", FdoGeometryType_MultiCurvePolygon},
};

template <class E, size_t N>
FdoString* NameOf(const NameEntry<E> (&table)[N], E value) {
    for (const auto& entry : table)
        if (entry.value == value) return entry.name;
    return nullptr;
}

template <class E, size_t N>
bool ValueOf(const NameEntry<E> (&table)[N], FdoString* name, E& value) {
    if (!name) return false;
    for (const auto& entry : table)
        if (wcscasecmp(entry.name, name) == 0) {
            value = entry.value;
            return true;
        }
    return false;
}

}  // namespace

FdoString* FdoCommonEnumNames::DataType(FdoDataType type) { return NameOf(kDataTypes, type); }

FdoString* FdoCommonEnumNames::GeometryType(FdoGeometryType type) {
    return type == FdoGeometryType_None ? L"None" : NameOf(kGeometryTypes, type);
}

bool FdoCommonEnumNames::ParseDataType(FdoString* name, FdoDataType& value) { return ValueOf(kDataTypes, name, value); }

bool FdoCommonEnumNames::ParseGeometryType(FdoString* name, FdoGeometryType& value) {
    return ValueOf(kGeometryTypes, name, value);
}
