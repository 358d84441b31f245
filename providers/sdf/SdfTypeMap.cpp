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
    return ogrcore::LayerGeometryType(p, true);
}

}  // namespace sdf
