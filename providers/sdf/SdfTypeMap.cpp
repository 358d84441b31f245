// FDO types to GeoPackage columns; the table is in SdfTypeMap.h.
#include "SdfTypeMap.h"

#include <ogrcore/OgrValues.h>

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
    OGRwkbGeometryType type = ogrcore::LayerGeometryType(p, true);
    if (wkbFlatten(type) != wkbUnknown) return type;
    // A class of single and multi shapes of one kind (what a shape file
    // holds) declares the single kind, as GDAL does for such a shape file,
    // so GIS programs show one layer of that kind; the multi shapes are
    // stored as they are, so each reads back with the type it was given.
    FdoInt32 count = 0;
    FdoGeometryType* types = p->GetSpecificGeometryTypes(count);
    if (count != 2) return type;
    auto has = [&](FdoGeometryType t) { return types[0] == t || types[1] == t; };
    OGRwkbGeometryType single = wkbUnknown;
    if (has(FdoGeometryType_Point) && has(FdoGeometryType_MultiPoint)) single = wkbPoint;
    else if (has(FdoGeometryType_LineString) && has(FdoGeometryType_MultiLineString)) single = wkbLineString;
    else if (has(FdoGeometryType_Polygon) && has(FdoGeometryType_MultiPolygon)) single = wkbPolygon;
    else return type;
    return OGR_GT_SetModifier(single, p->GetHasElevation(), p->GetHasMeasure());
}

}  // namespace sdf
