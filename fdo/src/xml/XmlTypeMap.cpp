// Tables of XmlTypeMap.h.
#include "xml/XmlTypeMap.h"

#include <algorithm>
#include <sstream>

using FdoXmlDom::Ns;

namespace FdoXmlTypeMap {

namespace {

struct SimpleType {
    Ns ns;
    FdoString* name;
    FdoDataType type;
};

// Written names first: DataTypeToXml takes the first entry of each type.
const SimpleType kSimpleTypes[] = {
    {Ns::Xs, L"boolean", FdoDataType_Boolean},
    {Ns::Xs, L"unsignedByte", FdoDataType_Byte},
    {Ns::Xs, L"dateTime", FdoDataType_DateTime},
    {Ns::Xs, L"decimal", FdoDataType_Decimal},
    {Ns::Xs, L"double", FdoDataType_Double},
    {Ns::Xs, L"short", FdoDataType_Int16},
    {Ns::Xs, L"int", FdoDataType_Int32},
    {Ns::Xs, L"long", FdoDataType_Int64},
    {Ns::Xs, L"float", FdoDataType_Single},
    {Ns::Xs, L"string", FdoDataType_String},
    {Ns::Xs, L"hexBinary", FdoDataType_BLOB},
    {Ns::Fdo, L"clob", FdoDataType_CLOB},
    // Also read.
    {Ns::Fdo, L"byte", FdoDataType_Byte},
    {Ns::Xs, L"date", FdoDataType_String},
    {Ns::Fdo, L"int16", FdoDataType_Int16},
    {Ns::Fdo, L"int32", FdoDataType_Int32},
    {Ns::Xs, L"unsignedShort", FdoDataType_Int32},
    {Ns::Fdo, L"int64", FdoDataType_Int64},
    {Ns::Xs, L"integer", FdoDataType_Int64},
    {Ns::Xs, L"nonNegativeInteger", FdoDataType_Int64},
    {Ns::Xs, L"nonPositiveInteger", FdoDataType_Int64},
    {Ns::Xs, L"positiveInteger", FdoDataType_Int64},
    {Ns::Xs, L"negativeInteger", FdoDataType_Int64},
    {Ns::Xs, L"unsignedLong", FdoDataType_Int64},
    {Ns::Xs, L"unsignedInt", FdoDataType_Int64},
    {Ns::Xs, L"ID", FdoDataType_String},
    {Ns::Xs, L"anyURI", FdoDataType_String},
};

struct Token {
    FdoString* text;
    int value;
};

const Token kGeometricTokens[] = {
    {L"point", FdoGeometricType_Point},
    {L"curve", FdoGeometricType_Curve},
    {L"surface", FdoGeometricType_Surface},
    {L"solid", FdoGeometricType_Solid},
};

// The order in which the writer lists them.
const Token kGeometryTokens[] = {
    {L"point", FdoGeometryType_Point},
    {L"multipoint", FdoGeometryType_MultiPoint},
    {L"linestring", FdoGeometryType_LineString},
    {L"multilinestring", FdoGeometryType_MultiLineString},
    {L"curvestring", FdoGeometryType_CurveString},
    {L"multicurvestring", FdoGeometryType_MultiCurveString},
    {L"polygon", FdoGeometryType_Polygon},
    {L"multipolygon", FdoGeometryType_MultiPolygon},
    {L"curvepolygon", FdoGeometryType_CurvePolygon},
    {L"multicurvepolygon", FdoGeometryType_MultiCurvePolygon},
    {L"multigeometry", FdoGeometryType_MultiGeometry},
};

std::vector<std::wstring> Split(FdoString* text) {
    std::vector<std::wstring> out;
    std::wistringstream in(text ? text : L"");
    std::wstring t;
    while (in >> t) out.push_back(t);
    return out;
}

struct GmlType {
    FdoString* name;
    int mask;
    std::vector<FdoGeometryType> specific;
};

const std::vector<GmlType>& GmlTypes() {
    static const std::vector<GmlType> table = {
        {L"AbstractGeometryType", FdoGeometricType_All, {}},
        {L"GeometryPropertyType", FdoGeometricType_All, {}},
        {L"GeometryAssociationType", FdoGeometricType_All, {}},
        {L"_Geometry", FdoGeometricType_All, {}},
        {L"Point", FdoGeometricType_Point, {FdoGeometryType_Point}},
        {L"PointType", FdoGeometricType_Point, {FdoGeometryType_Point}},
        {L"PointPropertyType", FdoGeometricType_Point, {FdoGeometryType_Point}},
        {L"MultiPoint", FdoGeometricType_Point, {FdoGeometryType_MultiPoint}},
        {L"MultiPointType", FdoGeometricType_Point, {FdoGeometryType_MultiPoint}},
        {L"MultiPointPropertyType", FdoGeometricType_Point, {FdoGeometryType_MultiPoint}},
        {L"LineString", FdoGeometricType_Curve, {FdoGeometryType_LineString}},
        {L"LineStringType", FdoGeometricType_Curve, {FdoGeometryType_LineString}},
        {L"LineStringPropertyType", FdoGeometricType_Curve, {FdoGeometryType_LineString}},
        {L"MultiLineString", FdoGeometricType_Curve, {FdoGeometryType_MultiLineString}},
        {L"MultiLineStringType", FdoGeometricType_Curve, {FdoGeometryType_MultiLineString}},
        {L"MultiLineStringPropertyType", FdoGeometricType_Curve, {FdoGeometryType_MultiLineString}},
        {L"Curve", FdoGeometricType_Curve, {FdoGeometryType_LineString, FdoGeometryType_CurveString}},
        {L"CurveType", FdoGeometricType_Curve, {FdoGeometryType_LineString, FdoGeometryType_CurveString}},
        {L"CurvePropertyType", FdoGeometricType_Curve,
         {FdoGeometryType_LineString, FdoGeometryType_CurveString}},
        {L"MultiCurve", FdoGeometricType_Curve,
         {FdoGeometryType_MultiLineString, FdoGeometryType_MultiCurveString}},
        {L"MultiCurveType", FdoGeometricType_Curve,
         {FdoGeometryType_MultiLineString, FdoGeometryType_MultiCurveString}},
        {L"MultiCurvePropertyType", FdoGeometricType_Curve,
         {FdoGeometryType_MultiLineString, FdoGeometryType_MultiCurveString}},
        {L"Polygon", FdoGeometricType_Surface, {FdoGeometryType_Polygon}},
        {L"PolygonType", FdoGeometricType_Surface, {FdoGeometryType_Polygon}},
        {L"PolygonPropertyType", FdoGeometricType_Surface, {FdoGeometryType_Polygon}},
        {L"MultiPolygon", FdoGeometricType_Surface, {FdoGeometryType_MultiPolygon}},
        {L"MultiPolygonType", FdoGeometricType_Surface, {FdoGeometryType_MultiPolygon}},
        {L"MultiPolygonPropertyType", FdoGeometricType_Surface, {FdoGeometryType_MultiPolygon}},
        {L"Surface", FdoGeometricType_Surface, {FdoGeometryType_Polygon, FdoGeometryType_CurvePolygon}},
        {L"SurfaceType", FdoGeometricType_Surface,
         {FdoGeometryType_Polygon, FdoGeometryType_CurvePolygon}},
        {L"SurfacePropertyType", FdoGeometricType_Surface,
         {FdoGeometryType_Polygon, FdoGeometryType_CurvePolygon}},
        {L"MultiSurface", FdoGeometricType_Surface,
         {FdoGeometryType_MultiPolygon, FdoGeometryType_MultiCurvePolygon}},
        {L"MultiSurfaceType", FdoGeometricType_Surface,
         {FdoGeometryType_MultiPolygon, FdoGeometryType_MultiCurvePolygon}},
        {L"MultiSurfacePropertyType", FdoGeometricType_Surface,
         {FdoGeometryType_MultiPolygon, FdoGeometryType_MultiCurvePolygon}},
        {L"MultiGeometry", FdoGeometricType_Point | FdoGeometricType_Curve | FdoGeometricType_Surface,
         {FdoGeometryType_MultiGeometry}},
        {L"MultiGeometryType", FdoGeometricType_Point | FdoGeometricType_Curve | FdoGeometricType_Surface,
         {FdoGeometryType_MultiGeometry}},
        {L"GeometryCollectionType", FdoGeometricType_Point | FdoGeometricType_Curve | FdoGeometricType_Surface,
         {FdoGeometryType_MultiGeometry}},
        {L"MultiGeometryPropertyType",
         FdoGeometricType_Point | FdoGeometricType_Curve | FdoGeometricType_Surface,
         {FdoGeometryType_MultiGeometry}},
    };
    return table;
}

}  // namespace

DataTypeLookup DataTypeFromXml(Ns ns, FdoString* localName, FdoDataType& out) {
    if (ns != Ns::Xs && ns != Ns::Fdo) return DataTypeLookup::NotSimple;
    for (const SimpleType& t : kSimpleTypes) {
        if (t.ns == ns && !wcscmp(t.name, localName ? localName : L"")) {
            out = t.type;
            return DataTypeLookup::Mapped;
        }
    }
    // The fdo namespace also names class-like types (ClassType,
    // RasterPropertyType, ...): only xs names are simple types for sure.
    return ns == Ns::Xs ? DataTypeLookup::Unmapped : DataTypeLookup::NotSimple;
}

FdoStringP DataTypeToXml(FdoDataType type) {
    for (const SimpleType& t : kSimpleTypes)
        if (t.type == type) return FdoStringP(t.ns == Ns::Xs ? L"xs:" : L"fdo:") + t.name;
    return L"xs:string";
}

bool GeometricTypesFromTokens(FdoString* text, int& mask, FdoStringP& badToken) {
    mask = 0;
    for (const std::wstring& t : Split(text)) {
        auto it = std::find_if(std::begin(kGeometricTokens), std::end(kGeometricTokens),
                               [&](const Token& k) { return t == k.text; });
        if (it == std::end(kGeometricTokens)) {
            badToken = FdoStringP(t);
            return false;
        }
        mask |= it->value;
    }
    return true;
}

FdoStringP GeometricTypesToTokens(int mask) {
    std::wstring out;
    for (const Token& t : kGeometricTokens)
        if (mask & t.value) out += std::wstring(t.text) + L" ";
    return FdoStringP(out);
}

bool GeometryTypesFromTokens(FdoString* text, std::vector<FdoGeometryType>& out, FdoStringP& badToken) {
    out.clear();
    for (const std::wstring& t : Split(text)) {
        auto it = std::find_if(std::begin(kGeometryTokens), std::end(kGeometryTokens),
                               [&](const Token& k) { return t == k.text; });
        if (it == std::end(kGeometryTokens)) {
            badToken = FdoStringP(t);
            return false;
        }
        auto type = static_cast<FdoGeometryType>(it->value);
        if (std::find(out.begin(), out.end(), type) == out.end()) out.push_back(type);
    }
    return true;
}

FdoStringP GeometryTypesToTokens(const FdoGeometryType* types, int count) {
    std::wstring out;
    for (const Token& t : kGeometryTokens)
        for (int i = 0; i < count; i++)
            if (types[i] == t.value) {
                out += std::wstring(t.text) + L" ";
                break;
            }
    return FdoStringP(out);
}

bool GmlGeometry(FdoString* localName, int& mask, std::vector<FdoGeometryType>& specific) {
    for (const GmlType& g : GmlTypes()) {
        if (!wcscmp(g.name, localName ? localName : L"")) {
            mask = g.mask;
            specific = g.specific;
            return true;
        }
    }
    return false;
}

std::vector<FdoGeometryType> TypesForMask(int mask) {
    std::vector<FdoGeometryType> out;
    if (mask & FdoGeometricType_Point) {
        out.push_back(FdoGeometryType_Point);
        out.push_back(FdoGeometryType_MultiPoint);
    }
    if (mask & FdoGeometricType_Curve) {
        out.push_back(FdoGeometryType_LineString);
        out.push_back(FdoGeometryType_MultiLineString);
        out.push_back(FdoGeometryType_CurveString);
        out.push_back(FdoGeometryType_MultiCurveString);
    }
    if (mask & FdoGeometricType_Surface) {
        out.push_back(FdoGeometryType_Polygon);
        out.push_back(FdoGeometryType_MultiPolygon);
        out.push_back(FdoGeometryType_CurvePolygon);
        out.push_back(FdoGeometryType_MultiCurvePolygon);
    }
    std::sort(out.begin(), out.end());
    return out;
}

}  // namespace FdoXmlTypeMap
