// Building the destination classes of a class copy from the source classes.
//
// Each source class is deep-copied, its data types adapted to the
// destination, renamed to its table name when it comes from the maker's
// database providers (owner~table~geometry), and given the spatial context
// of its geometry in the destination. All classes go into one new schema,
// applied once at the end: a failure in any class creates none of them.
// Creating a spatial context is best effort (a context of that name may
// exist already, for instance when two classes share it); its errors are
// ignored.
#include <GeoxferApi/FDO_Api.h>

#include "transfer/SchemaLookup.h"

#include <Fdo.h>

namespace {

// The settings of a source spatial context that a destination context copies.
struct ContextSettings {
    FdoStringP name, description, coordinateSystem, coordinateSystemWkt;
    FdoSpatialContextExtentType extentType = FdoSpatialContextExtentType_Static;
    double xyTolerance = 0, zTolerance = 0;
};

// The source context whose name equals the association ignoring case; false
// when the association is empty or the source lists no such context.
bool FindSourceContext(FdoIConnection* source, FdoString* association, ContextSettings& found) {
    if (!association || !*association) return false;
    FdoPtr<FdoIGetSpatialContexts> get =
        static_cast<FdoIGetSpatialContexts*>(source->CreateCommand(FdoCommandType_GetSpatialContexts));
    get->SetActiveOnly(false);
    FdoPtr<FdoISpatialContextReader> reader = get->Execute();
    while (reader && reader->ReadNext()) {
        if (FdoStringP(reader->GetName()).ICompare(association) != 0) continue;
        found.name = reader->GetName();
        found.description = reader->GetDescription();
        found.coordinateSystem = reader->GetCoordinateSystem();
        found.coordinateSystemWkt = reader->GetCoordinateSystemWkt();
        found.extentType = reader->GetExtentType();
        found.xyTolerance = reader->GetXYTolerance();
        found.zTolerance = reader->GetZTolerance();
        return true;
    }
    return false;
}

// Creates the context in the destination under the given name; any FDO
// error is ignored (the extent is left to the provider).
void CreateContextIgnoringErrors(FdoIConnection* destination, FdoString* name, const ContextSettings& s) {
    try {
        FdoPtr<FdoICreateSpatialContext> create = static_cast<FdoICreateSpatialContext*>(
            destination->CreateCommand(FdoCommandType_CreateSpatialContext));
        if (!create) return;
        create->SetName(name);
        create->SetDescription(s.description);
        create->SetCoordinateSystem(s.coordinateSystem);
        create->SetCoordinateSystemWkt(s.coordinateSystemWkt);
        create->SetExtentType(s.extentType);
        create->SetXYTolerance(s.xyTolerance);
        create->SetZTolerance(s.zTolerance);
        create->Execute();
    } catch (FdoException* e) {
        e->Release();
    }
}

void GiveSpatialContext(FdoIConnection* source, FdoIConnection* destination, long oracleSrid,
                        FdoGeometricPropertyDefinition* geometry) {
    ContextSettings settings;
    if (!FindSourceContext(source, geometry->GetSpatialContextAssociation(), settings))
        throw FdoException::Create(L"c_FDO_Api::CopyFdoClass: Unable to find spatial context for geometry!");
    if (c_FDO_Api::IsNorvOracleProvider(destination)) {
        FdoStringP name = FdoStringP::Format(L"OracleSrid%ld", oracleSrid);
        CreateContextIgnoringErrors(destination, name, settings);
        geometry->SetSpatialContextAssociation(name);
    } else if (c_FDO_Api::GetSupportCommand(destination, FdoCommandType_CreateSpatialContext)) {
        CreateContextIgnoringErrors(destination, settings.name, settings);
    }
}

}  // namespace

void c_FDO_Api::CopyFdoClass_CreateSchema(FdoIConnection* source, FdoIConnection* destination,
                                          FdoStringCollection* classNames, long oracleSrid,
                                          FdoStringCollection* destinationNames) {
    FdoPtr<FdoFeatureSchemaCollection> sourceSchemas = gxf::DescribeAllSchemas(source);
    FdoPtr<FdoFeatureSchema> newSchema = FdoFeatureSchema::Create();
    FdoPtr<FdoClassCollection> newClasses = newSchema->GetClasses();
    const bool norvSource = IsNorvOracleProvider(source) || IsNorvMssProvider(source);

    for (FdoInt32 i = 0; classNames && i < classNames->GetCount(); i++) {
        FdoString* className = classNames->GetString(i);
        FdoPtr<FdoClassDefinition> sourceClass = gxf::FindSingleClass(sourceSchemas, className);
        if (!sourceClass)
            throw FdoException::Create(
                L"c_FDO_Api::CopyFdoClass: Unable to get class definition source with given class name!");
        FdoPtr<FdoFeatureSchema> sourceSchema = sourceClass->GetFeatureSchema();
        if (sourceSchema) newSchema->SetName(sourceSchema->GetName());

        // Only feature classes are copied; anything else is refused here
        // rather than handed to the feature class copy as the wrong type.
        if (sourceClass->GetClassType() != FdoClassType_FeatureClass)
            throw FdoException::Create(FdoStringP::Format(
                L"c_FDO_Api::CopyFdoClass: Class '%ls' is not a feature class and cannot be copied as one.",
                className));
        FdoPtr<FdoCommonSchemaCopyContext> context = FdoCommonSchemaCopyContext::Create(nullptr);
        FdoPtr<FdoFeatureClass> copy = FdoCommonSchemaUtil::DeepCopyFdoFeatureClass(
            static_cast<FdoFeatureClass*>(sourceClass.p), context);
        CopyFdoClass_CastDataTypes(source, destination, copy);

        FdoStringP destinationName = className;
        if (norvSource) {
            FdoStringP table;
            GetTableNameFromNorvOracleClass(className, table);
            if (table.GetLength() > 0) {
                destinationName = table;
                copy->SetName(table);
            }
        }
        destinationNames->Add(destinationName);
        newClasses->Add(copy);

        FdoPtr<FdoGeometricPropertyDefinition> geometry = copy->GetGeometryProperty();
        if (geometry) GiveSpatialContext(source, destination, oracleSrid, geometry);
    }

    FdoPtr<FdoIApplySchema> apply =
        static_cast<FdoIApplySchema*>(destination->CreateCommand(FdoCommandType_ApplySchema));
    apply->SetFeatureSchema(newSchema);
    apply->Execute();
}
