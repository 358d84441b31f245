// Class list matching of the schema operations; see SchemaSelection.h.
//
// Entries and class names are read as FDO identifiers so that "Schema:Class"
// splits the same way everywhere in the layer.
#include "transfer/SchemaSelection.h"

#include "transfer/StoreAccess.h"

#include <FdoCommon/FdoCommonSchemaUtil.h>

#include <cwchar>

namespace gxf {

namespace {

bool SameText(FdoString* a, FdoString* b) { return wcscasecmp(a ? a : L"", b ? b : L"") == 0; }

bool HasText(FdoString* s) { return s && *s; }

}  // namespace

bool ClassListEntryMatches(const wchar_t* entry, const wchar_t* qualifiedClassName) {
    FdoPtr<FdoIdentifier> wanted = FdoIdentifier::Create(entry);
    FdoPtr<FdoIdentifier> candidate = FdoIdentifier::Create(qualifiedClassName);
    bool bothQualified = HasText(wanted->GetSchemaName()) && HasText(candidate->GetSchemaName());
    if (bothQualified && !SameText(wanted->GetSchemaName(), candidate->GetSchemaName())) return false;
    if (SameText(wanted->GetName(), L"*")) return bothQualified;
    return SameText(wanted->GetName(), candidate->GetName());
}

FdoFeatureSchemaCollection* SelectListedClasses(FdoFeatureSchemaCollection* schemas, const wchar_t* classList,
                                                const std::function<void(FdoClassDefinition*)>& keep) {
    FdoPtr<FdoStringCollection> entries = SplitList(classList);
    FdoPtr<FdoFeatureSchemaCollection> copy = FdoCommonSchemaUtil::DeepCopyFdoFeatureSchemas(schemas);
    for (FdoInt32 s = 0; s < copy->GetCount(); s++) {
        FdoPtr<FdoFeatureSchema> schema = copy->GetItem(s);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 c = 0; c < classes->GetCount();) {
            FdoPtr<FdoClassDefinition> classDef = classes->GetItem(c);
            FdoStringP qualifiedName = classDef->GetQualifiedName();
            bool listed = false;
            for (FdoInt32 e = 0; e < entries->GetCount() && !listed; e++)
                listed = ClassListEntryMatches(entries->GetString(e), qualifiedName);
            if (!listed) {
                classes->RemoveAt(c);
                continue;
            }
            if (keep) keep(classDef);
            c++;
        }
    }
    for (FdoInt32 s = copy->GetCount() - 1; s >= 0; s--) {
        FdoPtr<FdoFeatureSchema> schema = copy->GetItem(s);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        if (classes->GetCount() == 0) copy->RemoveAt(s);
    }
    return FDO_SAFE_ADDREF(copy.p);
}

}  // namespace gxf
