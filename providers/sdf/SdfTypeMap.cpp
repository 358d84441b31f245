// FDO types to GeoPackage columns; the table is in SdfTypeMap.h.
#include "SdfTypeMap.h"

#include <ogr_core.h>

namespace sdf {

SdfColumnType SdfTypeMap::Column(FdoDataPropertyDefinition* p) {
    switch (p->GetDataType()) {
        case FdoDataType_Boolean: return {OFTInteger, OFSTBoolean, 0};
        case FdoDataType_Byte:
        case FdoDataType_Int16: return {OFTInteger, OFSTInt16, 0};
        case FdoDataType_Int32: return {OFTInteger, OFSTNone, 0};
        case FdoDataType_Int64: return {OFTInteger64, OFSTNone, 0};
        case FdoDataType_Single: return {OFTReal, OFSTFloat32, 0};
        case FdoDataType_Double:
        case FdoDataType_Decimal: return {OFTReal, OFSTNone, 0};
        case FdoDataType_String: return {OFTString, OFSTNone, p->GetLength() > 0 ? p->GetLength() : 0};
        case FdoDataType_DateTime: return {OFTString, OFSTNone, 0};
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: return {OFTBinary, OFSTNone, 0};
    }
    throw FdoSchemaException::Create(FdoStringP::Format(L"Property '%ls' has an unknown data type (%d).",
                                                        p->GetName(), static_cast<int>(p->GetDataType())));
}

OGRwkbGeometryType SdfTypeMap::Geometry(FdoGeometricPropertyDefinition* p) {
    FdoInt32 count = 0;
    FdoGeometryType* types = p->GetSpecificGeometryTypes(count);
    OGRwkbGeometryType type = wkbUnknown;
    if (count == 1) {
        switch (types[0]) {
            case FdoGeometryType_Point: type = wkbPoint; break;
            case FdoGeometryType_LineString: type = wkbLineString; break;
            case FdoGeometryType_Polygon: type = wkbPolygon; break;
            case FdoGeometryType_MultiPoint: type = wkbMultiPoint; break;
            case FdoGeometryType_MultiLineString: type = wkbMultiLineString; break;
            case FdoGeometryType_MultiPolygon: type = wkbMultiPolygon; break;
            case FdoGeometryType_MultiGeometry: type = wkbGeometryCollection; break;
            case FdoGeometryType_CurveString: type = wkbCompoundCurve; break;
            case FdoGeometryType_CurvePolygon: type = wkbCurvePolygon; break;
            case FdoGeometryType_MultiCurveString: type = wkbMultiCurve; break;
            case FdoGeometryType_MultiCurvePolygon: type = wkbMultiSurface; break;
            default: break;
        }
    }
    if (p->GetHasElevation()) type = OGR_GT_SetZ(type);
    if (p->GetHasMeasure()) type = OGR_GT_SetM(type);
    return type;
}

FdoString* SdfTypeMap::Name(FdoDataType type) {
    switch (type) {
        case FdoDataType_Boolean: return L"Boolean";
        case FdoDataType_Byte: return L"Byte";
        case FdoDataType_DateTime: return L"DateTime";
        case FdoDataType_Decimal: return L"Decimal";
        case FdoDataType_Double: return L"Double";
        case FdoDataType_Int16: return L"Int16";
        case FdoDataType_Int32: return L"Int32";
        case FdoDataType_Int64: return L"Int64";
        case FdoDataType_Single: return L"Single";
        case FdoDataType_String: return L"String";
        case FdoDataType_BLOB: return L"BLOB";
        case FdoDataType_CLOB: return L"CLOB";
    }
    return L"unknown";
}

FdoString* SdfTypeMap::Name(FdoGeometryType type) {
    switch (type) {
        case FdoGeometryType_None: return L"None";
        case FdoGeometryType_Point: return L"Point";
        case FdoGeometryType_LineString: return L"LineString";
        case FdoGeometryType_Polygon: return L"Polygon";
        case FdoGeometryType_MultiPoint: return L"MultiPoint";
        case FdoGeometryType_MultiLineString: return L"MultiLineString";
        case FdoGeometryType_MultiPolygon: return L"MultiPolygon";
        case FdoGeometryType_MultiGeometry: return L"MultiGeometry";
        case FdoGeometryType_CurveString: return L"CurveString";
        case FdoGeometryType_CurvePolygon: return L"CurvePolygon";
        case FdoGeometryType_MultiCurveString: return L"MultiCurveString";
        case FdoGeometryType_MultiCurvePolygon: return L"MultiCurvePolygon";
    }
    return L"unknown";
}

}  // namespace sdf
