// The enumerations of the layer. Their numbers are part of the interface:
// tables, files and callers store them.
#pragma once

enum FdoDataType {
    FdoDataType_Boolean = 0,
    FdoDataType_Byte = 1,
    FdoDataType_DateTime = 2,
    FdoDataType_Decimal = 3,
    FdoDataType_Double = 4,
    FdoDataType_Int16 = 5,
    FdoDataType_Int32 = 6,
    FdoDataType_Int64 = 7,
    FdoDataType_Single = 8,
    FdoDataType_String = 9,
    FdoDataType_BLOB = 10,
    FdoDataType_CLOB = 11,
};

enum FdoPropertyType {
    FdoPropertyType_DataProperty = 0,
    FdoPropertyType_ObjectProperty = 1,
    FdoPropertyType_GeometricProperty = 2,
    FdoPropertyType_AssociationProperty = 3,
    FdoPropertyType_RasterProperty = 4,
};

enum FdoClassType {
    FdoClassType_Class = 0,
    FdoClassType_FeatureClass = 1,
    FdoClassType_NetworkClass = 2,
    FdoClassType_NetworkLayerClass = 3,
    FdoClassType_NetworkNodeClass = 4,
    FdoClassType_NetworkLinkClass = 5,
};

enum FdoGeometryType {
    FdoGeometryType_None = 0,
    FdoGeometryType_Point = 1,
    FdoGeometryType_LineString = 2,
    FdoGeometryType_Polygon = 3,
    FdoGeometryType_MultiPoint = 4,
    FdoGeometryType_MultiLineString = 5,
    FdoGeometryType_MultiPolygon = 6,
    FdoGeometryType_MultiGeometry = 7,
    FdoGeometryType_CurveString = 10,
    FdoGeometryType_CurvePolygon = 11,
    FdoGeometryType_MultiCurveString = 12,
    FdoGeometryType_MultiCurvePolygon = 13,
};

enum FdoGeometryComponentType {
    FdoGeometryComponentType_LinearRing = 129,
    FdoGeometryComponentType_CircularArcSegment = 130,
    FdoGeometryComponentType_LineStringSegment = 131,
    FdoGeometryComponentType_Ring = 132,
};

enum FdoGeometricType {
    FdoGeometricType_Point = 1,
    FdoGeometricType_Curve = 2,
    FdoGeometricType_Surface = 4,
    FdoGeometricType_Solid = 8,
};
#define FdoGeometricType_All 15

enum FdoDimensionality {
    FdoDimensionality_XY = 0,
    FdoDimensionality_Z = 1,
    FdoDimensionality_M = 2,
};

enum FdoConnectionState {
    FdoConnectionState_Busy = 0,
    FdoConnectionState_Closed = 1,
    FdoConnectionState_Open = 2,
    FdoConnectionState_Pending = 3,
};

enum FdoSpatialContextExtentType {
    FdoSpatialContextExtentType_Static = 0,
    FdoSpatialContextExtentType_Dynamic = 1,
};

enum FdoLockType {
    FdoLockType_None = 0,
    FdoLockType_Shared = 1,
    FdoLockType_Exclusive = 2,
    FdoLockType_Transaction = 3,
    FdoLockType_Unsupported = 4,
    FdoLockType_AllLongTransactionExclusive = 5,
    FdoLockType_LongTransactionExclusive = 6,
};

enum FdoOrderingOption { FdoOrderingOption_Ascending = 0, FdoOrderingOption_Descending = 1 };

enum FdoSpatialOperations {
    FdoSpatialOperations_Contains = 0,
    FdoSpatialOperations_Crosses = 1,
    FdoSpatialOperations_Disjoint = 2,
    FdoSpatialOperations_Equals = 3,
    FdoSpatialOperations_Intersects = 4,
    FdoSpatialOperations_Overlaps = 5,
    FdoSpatialOperations_Touches = 6,
    FdoSpatialOperations_Within = 7,
    FdoSpatialOperations_CoveredBy = 8,
    FdoSpatialOperations_Inside = 9,
    FdoSpatialOperations_EnvelopeIntersects = 10,
};

enum FdoComparisonOperations {
    FdoComparisonOperations_EqualTo = 0,
    FdoComparisonOperations_NotEqualTo = 1,
    FdoComparisonOperations_GreaterThan = 2,
    FdoComparisonOperations_GreaterThanOrEqualTo = 3,
    FdoComparisonOperations_LessThan = 4,
    FdoComparisonOperations_LessThanOrEqualTo = 5,
    FdoComparisonOperations_Like = 6,
};

enum FdoDistanceOperations { FdoDistanceOperations_Beyond = 0, FdoDistanceOperations_Within = 1 };
enum FdoBinaryLogicalOperations { FdoBinaryLogicalOperations_And = 0, FdoBinaryLogicalOperations_Or = 1 };
enum FdoUnaryLogicalOperations { FdoUnaryLogicalOperations_Not = 0 };
enum FdoBinaryOperations {
    FdoBinaryOperations_Add = 0,
    FdoBinaryOperations_Subtract = 1,
    FdoBinaryOperations_Multiply = 2,
    FdoBinaryOperations_Divide = 3,
};
enum FdoUnaryOperations { FdoUnaryOperations_Negate = 0 };

enum FdoSchemaElementState {
    FdoSchemaElementState_Added = 0,
    FdoSchemaElementState_Deleted = 1,
    FdoSchemaElementState_Detached = 2,
    FdoSchemaElementState_Modified = 3,
    FdoSchemaElementState_Unchanged = 4,
};

enum FdoExpressionItemType {
    FdoExpressionItemType_Identifier = 0,
    FdoExpressionItemType_ComputedIdentifier = 1,
    FdoExpressionItemType_SubSelectExpression = 2,
    FdoExpressionItemType_Parameter = 3,
    FdoExpressionItemType_Function = 4,
    FdoExpressionItemType_BinaryExpression = 5,
    FdoExpressionItemType_UnaryExpression = 6,
    FdoExpressionItemType_DataValue = 7,
    FdoExpressionItemType_GeometryValue = 8,
};

enum FdoLiteralValueType { FdoLiteralValueType_Data = 0, FdoLiteralValueType_Geometry = 1 };

enum FdoParameterDirection {
    FdoParameterDirection_Input = 0,
    FdoParameterDirection_Output = 1,
    FdoParameterDirection_InputOutput = 2,
    FdoParameterDirection_Return = 3,
};

enum FdoPropertyValueConstraintType {
    FdoPropertyValueConstraintType_Range = 1,
    FdoPropertyValueConstraintType_List = 2,
};

enum FdoThreadCapability {
    FdoThreadCapability_SingleThreaded = 0,
    FdoThreadCapability_PerConnectionThreaded = 1,
    FdoThreadCapability_PerCommandThreaded = 2,
    FdoThreadCapability_MultiThreaded = 3,
};

enum FdoProviderDatastoreType {
    FdoProviderDatastoreType_DatabaseServer = 0,
    FdoProviderDatastoreType_File = 1,
    FdoProviderDatastoreType_WebServer = 2,
    FdoProviderDatastoreType_Unknown = 3,
};

enum FdoSchemaElementNameType {
    FdoSchemaElementNameType_Datastore = 0,
    FdoSchemaElementNameType_Schema = 1,
    FdoSchemaElementNameType_Class = 2,
    FdoSchemaElementNameType_Property = 3,
    FdoSchemaElementNameType_Description = 4,
};

enum FdoPolygonVertexOrderRule {
    FdoPolygonVertexOrderRule_CCW = 0,
    FdoPolygonVertexOrderRule_CW = 1,
    FdoPolygonVertexOrderRule_None = 2,
};

enum FdoCommandType {
    FdoCommandType_Select = 0,
    FdoCommandType_Insert = 1,
    FdoCommandType_Delete = 2,
    FdoCommandType_Update = 3,
    FdoCommandType_DescribeSchema = 4,
    FdoCommandType_DescribeSchemaMapping = 5,
    FdoCommandType_ApplySchema = 6,
    FdoCommandType_DestroySchema = 7,
    FdoCommandType_ActivateSpatialContext = 8,
    FdoCommandType_CreateSpatialContext = 9,
    FdoCommandType_DestroySpatialContext = 10,
    FdoCommandType_GetSpatialContexts = 11,
    FdoCommandType_CreateMeasureUnit = 12,
    FdoCommandType_DestroyMeasureUnit = 13,
    FdoCommandType_GetMeasureUnits = 14,
    FdoCommandType_SQLCommand = 15,
    FdoCommandType_AcquireLock = 16,
    FdoCommandType_GetLockInfo = 17,
    FdoCommandType_GetLockedObjects = 18,
    FdoCommandType_GetLockOwners = 19,
    FdoCommandType_ReleaseLock = 20,
    FdoCommandType_ActivateLongTransaction = 21,
    FdoCommandType_DeactivateLongTransaction = 22,
    FdoCommandType_CommitLongTransaction = 23,
    FdoCommandType_CreateLongTransaction = 24,
    FdoCommandType_GetLongTransactions = 25,
    FdoCommandType_FreezeLongTransaction = 26,
    FdoCommandType_RollbackLongTransaction = 27,
    FdoCommandType_ActivateLongTransactionCheckpoint = 28,
    FdoCommandType_CreateLongTransactionCheckpoint = 29,
    FdoCommandType_GetLongTransactionCheckpoints = 30,
    FdoCommandType_RollbackLongTransactionCheckpoint = 31,
    FdoCommandType_ChangeLongTransactionPrivileges = 32,
    FdoCommandType_GetLongTransactionPrivileges = 33,
    FdoCommandType_ChangeLongTransactionSet = 34,
    FdoCommandType_GetLongTransactionsInSet = 35,
    FdoCommandType_NetworkShortestPath = 36,
    FdoCommandType_NetworkAllPaths = 37,
    FdoCommandType_NetworkReachableNodes = 38,
    FdoCommandType_NetworkReachingNodes = 39,
    FdoCommandType_NetworkNearestNeighbors = 40,
    FdoCommandType_NetworkWithinCost = 41,
    FdoCommandType_NetworkTSP = 42,
    FdoCommandType_ActivateTopologyArea = 43,
    FdoCommandType_DeactivateTopologyArea = 44,
    FdoCommandType_ActivateTopologyInCommandResult = 45,
    FdoCommandType_DeactivateTopologyInCommandResults = 46,
    FdoCommandType_SelectAggregates = 47,
    FdoCommandType_CreateDataStore = 48,
    FdoCommandType_DestroyDataStore = 49,
    FdoCommandType_ListDataStores = 50,
    FdoCommandType_GetSchemaNames = 51,
    FdoCommandType_GetClassNames = 52,
    FdoCommandType_ExtendedSelect = 53,
    FdoCommandType_FirstProviderCommand = 54,
};
