// Describing schemas and finding a class by name, shared by the copy paths.
#include "transfer/SchemaLookup.h"

namespace gxf {

FdoIDisposableCollection* FindClasses(FdoFeatureSchemaCollection* schemas, FdoString* className) {
    return schemas->FindClass(className ? className : L"");
}

FdoClassDefinition* FindSingleClass(FdoFeatureSchemaCollection* schemas, FdoString* className) {
    FdoPtr<FdoIDisposableCollection> found = FindClasses(schemas, className);
    if (found->GetCount() != 1) return nullptr;
    return static_cast<FdoClassDefinition*>(found->GetItem(0));
}

FdoGeometricPropertyDefinition* MainGeometryOf(FdoClassDefinition* classDef) {
    if (!classDef || classDef->GetClassType() != FdoClassType_FeatureClass) return nullptr;
    return static_cast<FdoFeatureClass*>(classDef)->GetGeometryProperty();
}

}  // namespace gxf
