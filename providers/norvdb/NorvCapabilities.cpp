// What the three providers can do, stated once: the commands implemented
// (SQL included), every FDO data type (NorvTypeMap reads each back as
// itself), the geometry kinds FGF carries, and the filters the common
// evaluator decides.
#include "NorvConnection.h"

#include <FdoCommon/FdoCommonCapabilities.h>

namespace norvdb {

FdoICommandCapabilities* NorvConnection::GetCommandCapabilities() {
    return FdoCommonCommandCapabilities::Create({
        .commands = {FdoCommandType_Select, FdoCommandType_Insert, FdoCommandType_DescribeSchema,
                     FdoCommandType_ApplySchema, FdoCommandType_GetSpatialContexts,
                     FdoCommandType_CreateSpatialContext, FdoCommandType_SQLCommand},
        .parameters = true,
    });
}

FdoISchemaCapabilities* NorvConnection::GetSchemaCapabilities() {
    std::vector<FdoDataType> all = {FdoDataType_Boolean, FdoDataType_Byte,   FdoDataType_DateTime,
                                    FdoDataType_Decimal, FdoDataType_Double, FdoDataType_Int16,
                                    FdoDataType_Int32,   FdoDataType_Int64,  FdoDataType_Single,
                                    FdoDataType_String,  FdoDataType_BLOB,   FdoDataType_CLOB};
    std::vector<FdoDataType> identity = {FdoDataType_Byte,  FdoDataType_Decimal, FdoDataType_Int16,
                                         FdoDataType_Int32, FdoDataType_Int64,   FdoDataType_String,
                                         FdoDataType_DateTime};
    return FdoCommonSchemaCapabilities::Create({
        .classTypes = {FdoClassType_Class, FdoClassType_FeatureClass},
        .dataTypes = all,
        .nameSizeLimits = {{FdoSchemaElementNameType_Datastore, 128}},
        .identityPropertyTypes = identity,
        .compositeId = true,
        .nullValueConstraints = true,
    });
}

FdoIConnectionCapabilities* NorvConnection::GetConnectionCapabilities() {
    return FdoCommonConnectionCapabilities::Create({
        .threadCapability = FdoThreadCapability_PerConnectionThreaded,
        .spatialContextTypes = {FdoSpatialContextExtentType_Static, FdoSpatialContextExtentType_Dynamic},
        .sql = true,
        .multipleSpatialContexts = true,
        .write = true,
        .flush = true,
    });
}

FdoIFilterCapabilities* NorvConnection::GetFilterCapabilities() {
    return FdoCommonFilterCapabilities::Create({
        .conditionTypes = {FdoConditionType_Comparison, FdoConditionType_Like, FdoConditionType_In,
                           FdoConditionType_Null, FdoConditionType_Spatial, FdoConditionType_Distance},
        .spatialOperations = {FdoSpatialOperations_Contains, FdoSpatialOperations_Crosses,
                              FdoSpatialOperations_Disjoint, FdoSpatialOperations_Equals,
                              FdoSpatialOperations_Intersects, FdoSpatialOperations_Overlaps,
                              FdoSpatialOperations_Touches, FdoSpatialOperations_Within,
                              FdoSpatialOperations_CoveredBy, FdoSpatialOperations_Inside,
                              FdoSpatialOperations_EnvelopeIntersects},
        .distanceOperations = {FdoDistanceOperations_Beyond, FdoDistanceOperations_Within},
    });
}

FdoIExpressionCapabilities* NorvConnection::GetExpressionCapabilities() {
    return FdoCommonExpressionCapabilities::Create({
        .expressionTypes = {FdoExpressionType_Basic, FdoExpressionType_Function, FdoExpressionType_Parameter},
    });
}



FdoIGeometryCapabilities* NorvConnection::GetGeometryCapabilities() {
    return FdoCommonGeometryCapabilities::Create({
        .geometryTypes = {FdoGeometryType_Point, FdoGeometryType_LineString, FdoGeometryType_Polygon,
                          FdoGeometryType_MultiPoint, FdoGeometryType_MultiLineString,
                          FdoGeometryType_MultiPolygon, FdoGeometryType_MultiGeometry,
                          FdoGeometryType_CurveString, FdoGeometryType_CurvePolygon,
                          FdoGeometryType_MultiCurveString, FdoGeometryType_MultiCurvePolygon},
        .componentTypes = {FdoGeometryComponentType_LinearRing, FdoGeometryComponentType_CircularArcSegment,
                           FdoGeometryComponentType_LineStringSegment, FdoGeometryComponentType_Ring},
        .dimensionalities = FdoDimensionality_XY | FdoDimensionality_Z | FdoDimensionality_M,
    });
}

}  // namespace norvdb
