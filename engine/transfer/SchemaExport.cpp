// Schema export to FDO schema XML, merging of schema collections and deep
// copies of schema elements for the schema editor.
//
// A schema element belongs to one schema, so everything that moves a class
// into another schema moves a copy: the collection it came from is never
// changed by a merge.
#include "transfer/SchemaSelection.h"
#include "transfer/StoreAccess.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/LastError.h>

#include <Fdo.h>
#include <FdoCommon/FdoCommonSchemaUtil.h>

using gxf::StoreRole;

namespace {

// The candidates run NewName_, NewName2_ ... NewName127_. When all of those
// are taken the count goes on (NewName128_ ...), so a merge never fails for
// want of a name.
FdoStringP FreeMergedClassName(FdoClassCollection* classes, const FdoStringP& className) {
    FdoStringP name = FdoStringP(L"NewName_") + className;
    for (int n = 2; classes->Contains(name); n++) name = FdoStringP::Format(L"NewName%d_", n) + className;
    return name;
}

void MergeClasses(FdoFeatureSchema* target, FdoFeatureSchema* addition) {
    FdoPtr<FdoClassCollection> targetClasses = target->GetClasses();
    FdoPtr<FdoClassCollection> addedClasses = addition->GetClasses();
    for (FdoInt32 i = 0; i < addedClasses->GetCount(); i++) {
        FdoPtr<FdoClassDefinition> added = addedClasses->GetItem(i);
        FdoPtr<FdoClassDefinition> copy = FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(added);
        if (targetClasses->Contains(added->GetName()))
            copy->SetName(FreeMergedClassName(targetClasses, added->GetName()));
        targetClasses->Add(copy);
    }
}

}  // namespace

int c_FDO_Api::GXF_ExportSchema(const wchar_t* providerName, const wchar_t* connString, const wchar_t* classList,
                                const wchar_t* schemaFile) {
    try {
        FdoPtr<FdoIConnection> connection;
        if (int rc = gxf::OpenStore(StoreRole::Source, providerName, connString, connection)) return rc;
        if (!GetSupportCommand(connection, FdoCommandType_DescribeSchema)) {
            connection->Close();
            return gxf::Fail(GXF_Result_MissingCommand, gxf::kNoDescribeSchemaText);
        }
        FdoPtr<FdoFeatureSchemaCollection> schemas = gxf::DescribeAllSchemas(connection);
        if (classList && *classList) schemas = gxf::SelectListedClasses(schemas, classList);
        if (!schemaFile || !*schemaFile)
            throw FdoException::Create(L"c_FDO_Api::GXF_ExportSchema: no schema file name was given.");
        schemas->WriteXml(schemaFile);
        connection->Close();
        return GXF_Result_OK;
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

int c_FDO_Api::AppendSchemaCollection(FdoFeatureSchemaCollection* target, FdoFeatureSchemaCollection* additions,
                                      bool merge) {
    try {
        if (!target || !additions) return GXF_Result_NullSchemaCollection;
        for (FdoInt32 i = 0; i < additions->GetCount(); i++) {
            FdoPtr<FdoFeatureSchema> addition = additions->GetItem(i);
            FdoPtr<FdoFeatureSchema> existing = target->FindItem(addition->GetName());
            if (!existing) {
                target->Add(addition);
                continue;
            }
            if (!merge) return GXF_Result_SchemaExists;
            MergeClasses(existing, addition);
        }
        return GXF_Result_OK;
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

FdoFeatureClass* c_FDO_Api::DeepCopyFdoFeatureClass(FdoFeatureClass* featureClass) {
    try {
        if (!featureClass) return nullptr;
        FdoPtr<FdoCommonSchemaCopyContext> context = FdoCommonSchemaCopyContext::Create(nullptr);
        return FdoCommonSchemaUtil::DeepCopyFdoFeatureClass(featureClass, context);
    } catch (FdoException* e) {
        gxf::FailWithException(e);
        return nullptr;
    }
}

FdoClassDefinition* c_FDO_Api::DeepCopyFdoClassDefinition(FdoClassDefinition* classDefinition) {
    try {
        if (!classDefinition) return nullptr;
        FdoPtr<FdoCommonSchemaCopyContext> context = FdoCommonSchemaCopyContext::Create(nullptr);
        return FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(classDefinition, context);
    } catch (FdoException* e) {
        gxf::FailWithException(e);
        return nullptr;
    }
}

FdoFeatureSchema* c_FDO_Api::DeepCopyFdoFeatureSchema(FdoFeatureSchema* schema, bool withClasses) {
    try {
        if (!schema) return nullptr;
        if (withClasses) return FdoCommonSchemaUtil::DeepCopyFdoFeatureSchema(schema);
        FdoPtr<FdoFeatureSchema> copy = FdoFeatureSchema::Create(schema->GetName(), schema->GetDescription());
        FdoCommonSchemaUtil::CopySchemaAttributes(schema, copy);
        return FDO_SAFE_ADDREF(copy.p);
    } catch (FdoException* e) {
        gxf::FailWithException(e);
        return nullptr;
    }
}
