// Schema apply: FDO feature schemas, FDO schema XML files and the schema of
// another data store applied to a data store.
//
// The apply from another data store is the step a copy task takes before it
// copies features, so it is forgiving: spatial contexts are created best
// effort, and a failing apply leaves its text as the last error without
// failing the operation (the copy that follows reports what is missing).
#include "transfer/SchemaSelection.h"
#include "transfer/SourceSchemaApply.h"
#include "transfer/StoreAccess.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/LastError.h>

#include <Fdo.h>

using gxf::StoreRole;

namespace {

void ApplyOne(FdoIConnection* connection, bool ignoreStates, FdoFeatureSchema* schema) {
    gxf::RequireConnection(connection, L"GXF_ApplySchema");
    if (!schema) throw FdoException::Create(L"c_FDO_Api::GXF_ApplySchema: no feature schema was given.");
    FdoPtr<FdoIApplySchema> apply =
        static_cast<FdoIApplySchema*>(connection->CreateCommand(FdoCommandType_ApplySchema));
    apply->SetFeatureSchema(schema);
    apply->SetIgnoreStates(ignoreStates);
    apply->Execute();
}

}  // namespace

int c_FDO_Api::GXF_ApplySchema(const wchar_t* providerName, const wchar_t* connString, bool ignoreStates,
                               FdoFeatureSchema* schema, long /*reserved*/) {
    try {
        FdoPtr<FdoIConnection> connection;
        if (int rc = gxf::OpenStore(StoreRole::Source, providerName, connString, connection)) return rc;
        ApplyOne(connection, ignoreStates, schema);
        connection->Close();
        return GXF_Result_OK;
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

int c_FDO_Api::GXF_ApplySchema(FdoIConnection* connection, bool ignoreStates, FdoFeatureSchema* schema,
                               long /*reserved*/) {
    try {
        ApplyOne(connection, ignoreStates, schema);
        return GXF_Result_OK;
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

int c_FDO_Api::GXF_ApplySchemaCollection(const wchar_t* providerName, const wchar_t* connString, bool ignoreStates,
                                         FdoFeatureSchemaCollection* schemas, long reserved) {
    try {
        for (FdoInt32 i = 0; schemas && i < schemas->GetCount(); i++) {
            FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(i);
            if (int rc = GXF_ApplySchema(providerName, connString, ignoreStates, schema, reserved)) return rc;
        }
        return GXF_Result_OK;
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

int c_FDO_Api::GXF_ApplySchemaCollection(FdoIConnection* connection, bool ignoreStates,
                                         FdoFeatureSchemaCollection* schemas, long reserved) {
    try {
        for (FdoInt32 i = 0; schemas && i < schemas->GetCount(); i++) {
            FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(i);
            if (int rc = GXF_ApplySchema(connection, ignoreStates, schema, reserved)) return rc;
        }
        return GXF_Result_OK;
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

int c_FDO_Api::GXF_ApplySchemaFromXML(const wchar_t* providerName, const wchar_t* connString, bool ignoreStates,
                                      const wchar_t* schemaFile, long reserved) {
    try {
        if (!schemaFile || !*schemaFile)
            throw FdoException::Create(L"c_FDO_Api::GXF_ApplySchemaFromXML: no schema file name was given.");
        FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
        schemas->ReadXml(schemaFile);
        return GXF_ApplySchemaCollection(providerName, connString, ignoreStates, schemas, reserved);
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

int gxf::ApplySchemaFromSource(const wchar_t* destProvider, const wchar_t* destConnString, const wchar_t* srcProvider,
                               const wchar_t* srcConnString, const wchar_t* classList, bool createSpatialContexts,
                               bool castDataTypes, long srid, FdoStringP& applyFailure) {
    applyFailure = L"";
    try {
        FdoPtr<FdoIConnection> source;
        if (int rc = gxf::OpenStore(StoreRole::Source, srcProvider, srcConnString, source)) return rc;
        FdoPtr<FdoIConnection> destination;
        if (int rc = gxf::OpenStore(StoreRole::Destination, destProvider, destConnString, destination)) return rc;

        if (!c_FDO_Api::GetSupportCommand(source, FdoCommandType_DescribeSchema)) {
            source->Close();
            return gxf::Fail(GXF_Result_MissingCommand, gxf::kNoDescribeSchemaText);
        }
        if (createSpatialContexts) c_FDO_Api::CreateSpatialContextFromFdoSource(source, destination, nullptr, srid);

        FdoPtr<FdoFeatureSchemaCollection> schemas = gxf::DescribeAllSchemas(source);
        if (classList && *classList) {
            auto cast = [&](FdoClassDefinition* classDef) {
                if (castDataTypes) c_FDO_Api::CopyFdoClass_CastDataTypes(source, destination, classDef);
            };
            schemas = gxf::SelectListedClasses(schemas, classList, cast);
        }
        source->Close();

        // Best effort: a failure is left as the last error text.
        if (c_FDO_Api::GXF_ApplySchemaCollection(destination, true, schemas, srid) != GXF_Result_OK)
            applyFailure = c_FDO_Api::GXF_GetLastError();

        destination->Close();
        return GXF_Result_OK;
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

int c_FDO_Api::GXF_ApplySchemaFromFdoSource(const wchar_t* destProvider, const wchar_t* destConnString,
                                            const wchar_t* srcProvider, const wchar_t* srcConnString,
                                            const wchar_t* classList, bool createSpatialContexts,
                                            bool castDataTypes, long srid) {
    FdoStringP applyFailure;
    return gxf::ApplySchemaFromSource(destProvider, destConnString, srcProvider, srcConnString, classList,
                                      createSpatialContexts, castDataTypes, srid, applyFailure);
}
