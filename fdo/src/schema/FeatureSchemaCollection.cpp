// FdoFeatureSchemaCollection: schema membership without re-parenting, and
// the class search across schemas.
#include <Fdo/Expression/Identifier.h>
#include <Fdo/Schema/FeatureSchemaCollection.h>

void FdoFeatureSchemaCollection::AdoptItem(FdoFeatureSchema* value) {
    FdoSchemaElement* e = value;
    if (!e->m_owner) e->m_owner = this;
    if (m_parent && !e->m_parent) e->m_parent = m_parent;
}

void FdoFeatureSchemaCollection::ReleaseItem(FdoFeatureSchema* value) {
    FdoSchemaElement* e = value;
    if (e->m_owner == this) e->m_owner = nullptr;
    if (m_parent && e->m_parent == m_parent) e->m_parent = nullptr;
}

FdoIDisposableCollection* FdoFeatureSchemaCollection::FindClass(FdoString* className) {
    FdoPtr<FdoIDisposableCollection> found = FdoIDisposableCollection::Create();
    FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(className);
    FdoStringP schemaName = id->GetSchemaName();
    FdoStringP name = id->GetName();

    auto searchSchema = [&](FdoFeatureSchema* schema) {
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        FdoPtr<FdoClassDefinition> cls = classes->FindItem(name);
        if (cls) found->Add(cls);
    };
    if (!schemaName.IsEmpty()) {
        FdoPtr<FdoFeatureSchema> schema = FindItem(schemaName);
        if (schema) searchSchema(schema);
    } else {
        for (FdoInt32 i = 0; i < GetCount(); i++) {
            FdoPtr<FdoFeatureSchema> schema = GetItem(i);
            searchSchema(schema);
        }
    }
    return FDO_SAFE_ADDREF(found.p);
}
