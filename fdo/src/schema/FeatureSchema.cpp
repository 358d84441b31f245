// FdoFeatureSchema: owns its classes and drives change tracking.
#include <Fdo/Schema/FeatureSchema.h>

FdoFeatureSchema* FdoFeatureSchema::Create() { return new FdoFeatureSchema(nullptr, nullptr); }

FdoFeatureSchema* FdoFeatureSchema::Create(FdoString* name, FdoString* description) {
    return new FdoFeatureSchema(name, description);
}

FdoFeatureSchema::FdoFeatureSchema(FdoString* name, FdoString* description)
    : FdoSchemaElement(name, description), m_classes(FdoClassCollection::Create(this)) {}

FdoFeatureSchema::~FdoFeatureSchema() {
    m_classes->OrphanItems();
    m_classes->Release();
}

FdoClassCollection* FdoFeatureSchema::GetClasses() { return FDO_SAFE_ADDREF(m_classes); }

FdoStringP FdoFeatureSchema::GetQualifiedName() { return GetName(); }

void FdoFeatureSchema::AcceptChanges() {
    FdoPtr<FdoFeatureSchema> self = FDO_SAFE_ADDREF(this);
    if (GetElementState() == FdoSchemaElementState_Deleted) {
        if (RawOwner()) RawOwner()->RemoveElement(this);
        return;
    }
    AcceptElementChanges();
}

void FdoFeatureSchema::RejectChanges() { RejectElementChanges(); }

void FdoFeatureSchema::AcceptChildChanges() { m_classes->AcceptItemChanges(); }

void FdoFeatureSchema::RejectChildChanges() { m_classes->RejectItemChanges(); }
