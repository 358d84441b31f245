// Default copy tasks: a new task filled from the source's schema, one class
// definition per source class, every own property mapped onto its namesake.
// The user then trims what is not wanted, so nothing here guesses: names are
// copied as the source spells them.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/GXF_CopyTask_API.h>
#include <GeoxferApi/LastError.h>

#include "copytask/LastErrorText.h"

#include "transfer/Connections.h"

#include <Fdo.h>

int c_GXF_CopyTask_API::CreateDeafultCopyTask(c_GXFCopyTaskDef* task, const wchar_t* srcProvider,
                                              const wchar_t* srcConnString, const wchar_t* /*destProvider*/,
                                              const wchar_t* /*destConnString*/) {
    try {
        FdoPtr<FdoIConnection> source = gxf::CreateConnection(srcProvider);
        if (!source) {
            SetLastErrorText(L"Unable to Create Source Connection");
            return GXF_Result_CreateSourceConnection;
        }
        if (!gxf::OpenConnection(source, srcConnString)) {
            SetLastErrorText(L"Unable to Open Source Connection");
            return GXF_Result_OpenSourceConnection;
        }
        if (!c_FDO_Api::GetSupportCommand(source, FdoCommandType_DescribeSchema)) {
            source->Close();
            SetLastErrorText(L"FDO Data Store doen't suport Describe Schema command!");
            return GXF_Result_MissingCommand;
        }
        if (!task) {
            // Nothing to fill: say so rather than dereference nothing.
            source->Close();
            throw FdoException::Create(L"c_GXF_CopyTask_API::CreateDeafultCopyTask: no copy task given!");
        }
        task->SetSourceProvider(srcProvider);
        task->SetSourceConnString(srcConnString);

        FdoPtr<FdoIDescribeSchema> describe =
            static_cast<FdoIDescribeSchema*>(source->CreateCommand(FdoCommandType_DescribeSchema));
        FdoPtr<FdoFeatureSchemaCollection> schemas = describe->Execute();
        FdoPtr<c_GXFClassCopyDefCollection> classDefs = task->GetClassCopyDefCollection();
        for (FdoInt32 s = 0; s < schemas->GetCount(); s++) {
            FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(s);
            FdoPtr<FdoClassCollection> classes = schema->GetClasses();
            for (FdoInt32 c = 0; c < classes->GetCount(); c++) {
                FdoPtr<FdoClassDefinition> sourceClass = classes->GetItem(c);
                FdoPtr<c_GXFClassCopyDef> classDef = CreateDeafultCopyClass(sourceClass);
                classDefs->Add(classDef);
            }
        }
        source->Close();
        return GXF_Result_OK;
    } catch (FdoException* e) {
        SetLastErrorText(e->GetExceptionMessage());
        e->Release();
        return GXF_Result_FdoException;
    }
}

c_GXFClassCopyDef* c_GXF_CopyTask_API::CreateDeafultCopyClass(FdoClassDefinition* sourceClass) {
    FdoPtr<c_GXFClassCopyDef> classDef = new c_GXFClassCopyDef();
    if (!sourceClass) return classDef.Detach();
    FdoStringP qualifiedName = sourceClass->GetQualifiedName();
    classDef->SetSourceClassName(qualifiedName);
    classDef->SetDestClassName(qualifiedName);
    FdoPtr<c_GXFPropertyCopyDefCollection> mappings = classDef->GetPropertyCopyDefCollection();
    FdoPtr<FdoPropertyDefinitionCollection> properties = sourceClass->GetProperties();
    for (FdoInt32 i = 0; i < properties->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> property = properties->GetItem(i);
        FdoPtr<c_GXFPropertyCopyDef> mapping = new c_GXFPropertyCopyDef();
        mapping->SetSourceProperty(property->GetName());
        mapping->SetDestProperty(property->GetName());
        mappings->Add(mapping);
    }
    return classDef.Detach();
}
