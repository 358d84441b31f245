// See OgrCommonCapabilities.h.
#include "OgrCommonCapabilities.h"

namespace ogrcore {

FdoIFilterCapabilities* EvaluatorFilterCapabilities() {
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

FdoIExpressionCapabilities* EvaluatorExpressionCapabilities(FdoFunctionDefinitionCollection* functions) {
    return FdoCommonExpressionCapabilities::Create({
        .expressionTypes = {FdoExpressionType_Basic, FdoExpressionType_Function, FdoExpressionType_Parameter},
        .functions = FDO_SAFE_ADDREF(functions),
    });
}

FdoIConnectionCapabilities* FileConnectionCapabilities(bool write) {
    return FdoCommonConnectionCapabilities::Create({
        .threadCapability = FdoThreadCapability_PerConnectionThreaded,
        .spatialContextTypes = {FdoSpatialContextExtentType_Static, FdoSpatialContextExtentType_Dynamic},
        .multipleSpatialContexts = true,
        .write = write,
        .flush = true,
    });
}

}  // namespace ogrcore
