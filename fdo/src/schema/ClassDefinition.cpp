// FdoClassDefinition and FdoClass: property ownership, the identity list,
// inheritance rules and the computed inherited properties.
#include <Fdo/Schema/ClassDefinition.h>
#include <Fdo/Schema/FeatureSchema.h>

namespace {
FdoString* ClassTypeName(FdoClassType type) {
    switch (type) {
        case FdoClassType_Class: return L"Class";
        case FdoClassType_FeatureClass: return L"FeatureClass";
        case FdoClassType_NetworkClass: return L"NetworkClass";
        case FdoClassType_NetworkLayerClass: return L"NetworkLayerClass";
        case FdoClassType_NetworkNodeClass: return L"NetworkNodeClass";
        case FdoClassType_NetworkLinkClass: return L"NetworkLinkClass";
    }
    return L"unknown";
}
}  // namespace

FdoClassDefinition::FdoClassDefinition(FdoString* name, FdoString* description)
    : FdoSchemaElement(name, description),
      m_properties(FdoPropertyDefinitionCollection::Create(this)),
      m_identity(FdoDataPropertyDefinitionCollection::Create(this)),
      m_constraints(FdoUniqueConstraintCollection::Create()) {}

FdoClassDefinition::~FdoClassDefinition() {
    m_properties->OrphanItems();
    m_properties->Release();
    m_identity->OrphanItems();
    m_identity->Release();
    m_constraints->Release();
}

FdoPropertyDefinitionCollection* FdoClassDefinition::GetProperties() { return FDO_SAFE_ADDREF(m_properties); }

FdoDataPropertyDefinitionCollection* FdoClassDefinition::GetIdentityProperties() {
    return FDO_SAFE_ADDREF(m_identity);
}

FdoUniqueConstraintCollection* FdoClassDefinition::GetUniqueConstraints() {
    return FDO_SAFE_ADDREF(m_constraints);
}

FdoReadOnlyPropertyDefinitionCollection* FdoClassDefinition::GetBaseProperties() {
    FdoPtr<FdoReadOnlyPropertyDefinitionCollection> result =
        FdoReadOnlyPropertyDefinitionCollection::Create(nullptr);
    if (m_v.baseClass) {
        FdoPtr<FdoReadOnlyPropertyDefinitionCollection> inherited = m_v.baseClass->GetBaseProperties();
        for (FdoInt32 i = 0; i < inherited->GetCount(); i++)
            result->Append(FdoPtr<FdoPropertyDefinition>(inherited->GetItem(i)));
        for (FdoInt32 i = 0; i < m_v.baseClass->m_properties->GetCount(); i++)
            result->Append(FdoPtr<FdoPropertyDefinition>(m_v.baseClass->m_properties->GetItem(i)));
    } else if (m_baseProperties) {
        for (FdoInt32 i = 0; i < m_baseProperties->GetCount(); i++)
            result->Append(FdoPtr<FdoPropertyDefinition>(m_baseProperties->GetItem(i)));
    }
    return FDO_SAFE_ADDREF(result.p);
}

void FdoClassDefinition::SetBaseProperties(FdoPropertyDefinitionCollection* value) {
    FdoPtr<FdoPropertyDefinitionCollection> copy;
    if (value) {
        copy = FdoPropertyDefinitionCollection::Create(nullptr);
        for (FdoInt32 i = 0; i < value->GetCount(); i++) copy->Add(FdoPtr<FdoPropertyDefinition>(value->GetItem(i)));
    }
    m_baseProperties = copy;
    SetModified();
}

FdoDataPropertyDefinitionCollection* FdoClassDefinition::GetBaseIdentityProperties() {
    if (!m_v.baseClass) return FdoDataPropertyDefinitionCollection::Create(nullptr);
    FdoClassDefinition* root = m_v.baseClass;
    while (root->m_v.baseClass) root = root->m_v.baseClass;
    return root->GetIdentityProperties();
}

FdoClassDefinition* FdoClassDefinition::GetBaseClass() { return FDO_SAFE_ADDREF(m_v.baseClass.p); }

void FdoClassDefinition::SetBaseClass(FdoClassDefinition* value) {
    if (value == m_v.baseClass.p) return;
    if (value) {
        FdoClassType mine = GetClassType(), theirs = value->GetClassType();
        if (mine != theirs && mine != FdoClassType_Class && theirs != FdoClassType_Class)
            throw FdoSchemaException::Create(FdoStringP::Format(
                L"Class '%ls' (%ls) cannot have base class '%ls' (%ls): the class types differ.",
                GetName(), ClassTypeName(mine), value->GetName(), ClassTypeName(theirs)));
        if (m_identity->GetCount() > 0)
            throw FdoSchemaException::Create(FdoStringP::Format(
                L"Class '%ls' has identity properties and cannot have base class '%ls'.", GetName(),
                value->GetName()));
        for (FdoClassDefinition* c = value; c; c = c->m_v.baseClass)
            if (c == this)
                throw FdoSchemaException::Create(FdoStringP::Format(
                    L"Base class '%ls' of class '%ls' would make a cycle of base classes.", value->GetName(),
                    GetName()));
    }
    m_v.baseClass = FDO_SAFE_ADDREF(value);
    SetModified();
}

void FdoClassDefinition::SetIsAbstract(bool value) {
    if (m_v.isAbstract == value) return;
    m_v.isAbstract = value;
    SetModified();
}

void FdoClassDefinition::SetIsComputed(bool value) {
    if (m_v.isComputed == value) return;
    m_v.isComputed = value;
    SetModified();
}

void FdoClassDefinition::SetCapabilities(FdoClassCapabilities* value) {
    if (m_v.capabilities.p == value) return;
    m_v.capabilities = FDO_SAFE_ADDREF(value);
    SetModified();
}

FdoStringP FdoClassDefinition::GetQualifiedName() {
    auto* schema = dynamic_cast<FdoFeatureSchema*>(RawParent());
    if (!schema) return GetName();
    return FdoStringP(schema->GetName()) + L":" + GetName();
}

bool FdoClassDefinition::HasPropertyInChain(FdoPropertyDefinition* property) {
    for (FdoClassDefinition* c = this; c; c = c->m_v.baseClass) {
        if (c->m_properties->Contains(property)) return true;
        if (!c->m_v.baseClass && c->m_baseProperties && c->m_baseProperties->Contains(property)) return true;
    }
    return false;
}

void FdoClassDefinition::ChildRenamed(FdoSchemaElement* /*child*/) {
    m_identity->InvalidateNameIndex();
    for (FdoInt32 i = 0; i < m_constraints->GetCount(); i++) {
        FdoPtr<FdoUniqueConstraint> constraint = m_constraints->GetItem(i);
        FdoPtr<FdoDataPropertyDefinitionCollection>(constraint->GetProperties())->InvalidateNameIndex();
    }
}

void FdoClassDefinition::ChildRemoved(FdoSchemaElement* child) {
    auto* data = dynamic_cast<FdoDataPropertyDefinition*>(child);
    if (!data) return;
    if (m_identity->Contains(data)) m_identity->Remove(data);
    for (FdoInt32 i = m_constraints->GetCount() - 1; i >= 0; i--) {
        FdoPtr<FdoUniqueConstraint> constraint = m_constraints->GetItem(i);
        FdoPtr<FdoDataPropertyDefinitionCollection> members = constraint->GetProperties();
        if (!members->Contains(data)) continue;
        members->Remove(data);
        if (members->GetCount() == 0) m_constraints->RemoveAt(i);
    }
}

void FdoClassDefinition::AcceptChildChanges() {
    m_properties->AcceptItemChanges();
    m_identity->AcceptItemChanges();
}

void FdoClassDefinition::RejectChildChanges() {
    m_properties->RejectItemChanges();
    m_identity->RejectItemChanges();
}

void FdoClassDefinition::SaveValues() {
    FdoSchemaElement::SaveValues();
    m_saved = std::make_unique<Values>(m_v);
    for (FdoInt32 i = 0; i < m_constraints->GetCount(); i++)
        m_saved->constraints.push_back(m_constraints->GetItem(i));
}

void FdoClassDefinition::RestoreValues() {
    FdoSchemaElement::RestoreValues();
    if (!m_saved) return;
    m_v.baseClass = m_saved->baseClass;
    m_v.isAbstract = m_saved->isAbstract;
    m_v.isComputed = m_saved->isComputed;
    m_v.capabilities = m_saved->capabilities;
    m_constraints->Clear();
    for (auto& c : m_saved->constraints) m_constraints->Add(c);
}

FdoClass* FdoClass::Create() { return new FdoClass(nullptr, nullptr); }

FdoClass* FdoClass::Create(FdoString* name, FdoString* description) { return new FdoClass(name, description); }
