// c_FDO_Api: the engine's transfer operations, grouped as static members.
//
// Operations that take provider names and connection strings return a result
// code (see LastError.h); those that take open connections throw FdoException.
#pragma once

#include <GeoxferApi/Export.h>

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/StringP.h>

class FdoIConnection;
// Used by the class copy, value conversion and schema creation members.
class FdoClassDefinition;
class FdoDataValue;
class FdoFeatureSchemaCollection;
class FdoIFeatureReader;
class FdoPropertyDefinition;
class FdoPropertyDefinitionCollection;
class FdoStringCollection;

class GXF_API c_FDO_Api {
public:
    // Pointer to the engine's own last error text; valid until the next
    // failure replaces it.
    static const wchar_t* GXF_GetLastError();

    // Provider kinds, told from the name the connection reports. The SDF and
    // SHP tests ignore case; the maker's providers are matched with exact case.
    static bool IsSdfProvider(FdoIConnection* connection);
    static bool IsShpProvider(FdoIConnection* connection);
    static bool IsNorvMssProvider(FdoIConnection* connection);
    static bool IsNorvInformixProvider(FdoIConnection* connection);
    static bool IsNorvOracleProvider(FdoIConnection* connection);

    // True when the connection's command capabilities list the command.
    static bool GetSupportCommand(FdoIConnection* connection, FdoCommandType command);

    // False for a connection that is not the maker's Oracle provider;
    // otherwise true with the connection property's value.
    static bool NorvOracleProvider_GetProperty_NorvFdoClass(FdoIConnection* connection, FdoStringP& value);
    static bool NorvOracleProvider_GetProperty_OracleSchema(FdoIConnection* connection, FdoStringP& value);

    // --- Class copy, value conversion, destination schema creation, read test ---
    // These work on open connections owned by the caller and raise
    // FdoException on failure; they never touch the last error text.

    // Copies the named source classes into the destination (creating the
    // destination classes first unless skipCreateSchema) and returns the
    // number of features inserted over all classes.
    static long CopyFdoClass(FdoIConnection* source, FdoIConnection* destination, FdoStringCollection* classNames,
                             long oracleSrid, int batchSize, bool skipCreateSchema, const wchar_t* filter);

    // The current feature's value of a data property, converted from the
    // source data type to the destination data type. A null source value
    // gives a null value of the destination type; null pointer = no value.
    static FdoDataValue* ReaderGetDataPropertyValue(FdoIFeatureReader* reader, const wchar_t* propertyName,
                                                    FdoDataType sourceType, FdoDataType destinationType);

    // Builds and applies in the destination one class per source class name;
    // appends one destination class name per source class to destinationNames.
    static void CopyFdoClass_CreateSchema(FdoIConnection* source, FdoIConnection* destination,
                                          FdoStringCollection* classNames, long oracleSrid,
                                          FdoStringCollection* destinationNames);

    // Adapts the class's data properties to what the destination accepts.
    // The source connection may be null.
    static void CopyFdoClass_CastDataTypes(FdoIConnection* source, FdoIConnection* destination,
                                           FdoClassDefinition* classDefinition);

    // The table part of an owner~table~geometry class name; always true.
    static bool GetTableNameFromNorvOracleClass(const wchar_t* className, FdoStringP& tableName);

    // First class whose name contains ~<className>~<geometryName>, ignoring
    // case (an owner~table~geometry name); a new reference, or null.
    static FdoClassDefinition* FindNorvClass(FdoFeatureSchemaCollection* schemas, const wchar_t* className,
                                             const wchar_t* geometryName);

    // First property whose name equals the given one ignoring case, a new
    // reference, or null.
    static FdoPropertyDefinition* FindPropertyCaseInsensitive(FdoPropertyDefinitionCollection* properties,
                                                              const wchar_t* name);

    // Runs the select `runs` times reading every value; returns the feature
    // count of the last run and the average seconds per run.
    static long RunSelectComm(FdoIConnection* connection, const wchar_t* className, const wchar_t* filter,
                              bool identityAndGeometryOnly, long runs, double& secondsPerRun);

    // --- Spatial contexts, schema apply and export, data store creation, enumeration names ---

    // Copies the source's spatial contexts (all, or the comma-separated names
    // matched without case) into the destination. 0, 2 or 12; a failed
    // creation leaves its text as the last error but still returns 0.
    static int CreateSpatialContextFromFdoSource(FdoIConnection* source, FdoIConnection* destination,
                                                 const wchar_t* contextNames, long srid);
    // One destination spatial context per record, in order. 0, 2 or 12.
    static int CreateSpatialContextCollection(FdoIConnection* destination,
                                              class c_FdoSpatialContextCollection* contexts, long srid);
    // True with both outputs set when the connection lists a context of that
    // name (compared without case). FDO errors propagate.
    static bool FindSpatialContextData(FdoIConnection* connection, const wchar_t* name,
                                       FdoStringP& coordinateSystem, FdoStringP& coordinateSystemWkt);

    // Schema apply. The trailing long is handed down and not read.
    static int GXF_ApplySchema(const wchar_t* providerName, const wchar_t* connString, bool ignoreStates,
                               class FdoFeatureSchema* schema, long reserved);
    static int GXF_ApplySchema(FdoIConnection* connection, bool ignoreStates, class FdoFeatureSchema* schema,
                               long reserved);
    static int GXF_ApplySchemaCollection(const wchar_t* providerName, const wchar_t* connString,
                                         bool ignoreStates, class FdoFeatureSchemaCollection* schemas,
                                         long reserved);
    static int GXF_ApplySchemaCollection(FdoIConnection* connection, bool ignoreStates,
                                         class FdoFeatureSchemaCollection* schemas, long reserved);
    static int GXF_ApplySchemaFromXML(const wchar_t* providerName, const wchar_t* connString, bool ignoreStates,
                                      const wchar_t* schemaFile, long reserved);
    // Applies the schema of the listed source classes (comma-separated;
    // Class, Schema:Class or Schema:*; empty = all) to the destination.
    static int GXF_ApplySchemaFromFdoSource(const wchar_t* destProvider, const wchar_t* destConnString,
                                            const wchar_t* srcProvider, const wchar_t* srcConnString,
                                            const wchar_t* classList, bool createSpatialContexts,
                                            bool castDataTypes, long srid);
    // Writes the schema of the listed classes to an FDO schema XML file.
    static int GXF_ExportSchema(const wchar_t* providerName, const wchar_t* connString, const wchar_t* classList,
                                const wchar_t* schemaFile);
    // Adds the additions' schemas to target; with merge, classes of a schema
    // present in both are added to it (renamed NewName_..., NewName2_... when
    // taken). 0, 1 (null argument), 10 (schema present, no merge) or 2.
    static int AppendSchemaCollection(class FdoFeatureSchemaCollection* target,
                                      class FdoFeatureSchemaCollection* additions, bool merge);
    // Deep copies (new reference), or null on an FDO error.
    static class FdoFeatureClass* DeepCopyFdoFeatureClass(class FdoFeatureClass* featureClass);
    static class FdoClassDefinition* DeepCopyFdoClassDefinition(class FdoClassDefinition* classDefinition);
    static class FdoFeatureSchema* DeepCopyFdoFeatureSchema(class FdoFeatureSchema* schema, bool withClasses);

    // Data store creation and one-call copies.
    static int GXF_CreateDataStore(const wchar_t* providerName, const wchar_t* dataStoreProperties);
    // Creates an empty SDF file with the first registered SDF provider.
    // False when there is none; FDO errors propagate.
    static bool CreateSdfFile(const wchar_t* fileName);
    static int GXF_CopyFdoToSDF(const wchar_t* srcProvider, const wchar_t* srcConnString, const wchar_t* classList,
                                const wchar_t* filter, const wchar_t* sdfFile, bool overwrite, long& featureCount);
    static int GXF_CopyFdoToSHP(const wchar_t* srcProvider, const wchar_t* srcConnString, const wchar_t* classList,
                                const wchar_t* filter, const wchar_t* destFolder, bool overwrite, long& featureCount);
    static int GXF_CopyFdoToFdo(const wchar_t* srcProvider, const wchar_t* srcConnString,
                                const wchar_t* destProvider, const wchar_t* destConnString,
                                const wchar_t* classList, const wchar_t* filter, bool skipSchemaCreation,
                                long& featureCount);

    // Display names of FDO enumerations and their parsing (names compared
    // without case). Names have static lifetime.
    static const wchar_t* FdoDataTypeToString(FdoDataType type);
    static bool FdoStringToDataType(const wchar_t* name, FdoDataType& type);
    static const wchar_t* FdoGeometryTypeToString(FdoGeometryType type);
    static bool FdoStringToGeometryType(const wchar_t* name, FdoGeometryType& type);
    static const wchar_t* FdoGeometricTypeToString(FdoGeometricType type);
    static bool FdoStringToGeometricType(const wchar_t* name, FdoGeometricType& type);
    static const wchar_t* FdoLockTypeToString(FdoLockType type);
    static const wchar_t* FdoClassTypeToString(FdoClassType type);
    // "POINT+CURVE" and back.
    static FdoStringP FdoGeometricTypesToString(int mask);
    static bool FdoStringToGeometricTypes(const wchar_t* text, int& mask);
    // "Point,Polygon" and back. The list returned points into one
    // process-wide buffer of 64 entries, valid until the next call.
    static FdoStringP FdoGeometryTypesToString(FdoGeometryType* types, int count);
    static bool FdoStringToGeometryTypes(const wchar_t* text, FdoGeometryType*& types, int& count);

    // --- Oracle metadata, spatial indexes, primary keys, NorvFdoClass table ---
    // SQL sent through the caller's open connection, which these leave open.
    // Changing operations return true when the statement ran (not when a row
    // changed); listings append to the collection given and return the rows
    // read. Provider and database errors propagate as FdoException. Text put
    // between quotes has its single quotes doubled; names pasted unquoted
    // must be plain identifiers or the call throws before sending anything.
    // The record classes are declared in OraNorvFdoClassData.h, DimInfoData.h
    // and SpatialIndexData.h.

    // The NorvFdoClass class-mapping table (tableName plain or owner-qualified;
    // null or empty: false, or 0 records, with nothing sent).
    static bool NorvOracle_CreateNorvFdoClassTable(FdoIConnection* conn, const wchar_t* tableName);
    static bool NorvOracle_DropNorvFdoClassTable(FdoIConnection* conn, const wchar_t* tableName);
    static bool NorvOracle_InsertNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName,
                                              class c_OraNorvFdoClassData* data);
    static bool NorvOracle_UpdateNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName,
                                              const wchar_t* fdoClassName, class c_OraNorvFdoClassData* data);
    static bool NorvOracle_DeleteNorvFdoClass(FdoIConnection* conn, const wchar_t* tableName,
                                              const wchar_t* fdoClassName);
    static int NorvOracle_GetNorvFdoClassRecords(FdoIConnection* conn, const wchar_t* tableName,
                                                 class c_OraNorvFdoClassDataCollection* records);

    // Spatial metadata (ALL_SDO_GEOM_METADATA). Lists are flat tuples:
    // owner, table, column, SRID per row / owner, table, column per row.
    static int NorvOracle_GetTablesInSdoMetadata(FdoIConnection* conn, const wchar_t* owner,
                                                 class FdoStringCollection* result);
    static int NorvOracle_GetTablesWithSdoGeometry(FdoIConnection* conn, const wchar_t* owner,
                                                   class FdoStringCollection* result);
    static int NorvOracle_GetMetadataDimInfo(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                             const wchar_t* column, class c_DimInfoDataCollection* dims,
                                             long& srid);
    static int NorvOracle_SetMetadataDimInfo(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                             const wchar_t* column, class c_DimInfoDataCollection* dims,
                                             long srid);
    static int NorvOracle_DeleteSdoMetadata(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                            const wchar_t* column);
    // mbr has room for 8 values: all minimums, then all maximums.
    static bool NorvOracle_GetGeometriesMBR(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                            const wchar_t* column, double* mbr, long& dimensions);
    static int NorvOracle_FindSridInGeometries(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                               const wchar_t* column, class FdoStringCollection* srids);

    // Spatial indexes (MDSYS.SPATIAL_INDEX).
    static int NorvOracle_GetTablesWithSpatialIndex(FdoIConnection* conn, const wchar_t* owner,
                                                    class c_SpatialIndexDataCollection* indexes);
    static int NorvOracle_GetSpatialTablesWithoutSpatialIndex(FdoIConnection* conn, const wchar_t* owner,
                                                              class FdoStringCollection* result);
    static bool NorvOracle_CheckIndexExists(FdoIConnection* conn, const wchar_t* tableOwner, const wchar_t* table,
                                            const wchar_t* indexName, FdoStringP& indexOwner);
    static bool NorvOracle_CreateSpatialIndex(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                              const wchar_t* column, const wchar_t* indexName,
                                              const wchar_t* layerGType);
    static bool NorvOracle_RebuildSpatialIndex(FdoIConnection* conn, const wchar_t* indexOwner,
                                               const wchar_t* indexName, const wchar_t* layerGType);
    static bool NorvOracle_DropIndex(FdoIConnection* conn, const wchar_t* indexOwner, const wchar_t* indexName);

    // Columns and primary keys of tables and views.
    static int NorvOracle_GetTableColumns(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                          class FdoStringCollection* result);
    static int NorvOracle_GetPkeyColumns(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                         class FdoStringCollection* result);
    static bool NorvOracle_IsView(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table);
    static bool NorvOracle_DropPrimaryKey(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table);
    static bool NorvOracle_CreatePrimaryKey(FdoIConnection* conn, const wchar_t* owner, const wchar_t* table,
                                            class FdoStringCollection* columns, const wchar_t* constraintName);
};
