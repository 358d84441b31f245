// FdoAssociationPropertyDefinition: plain fields with change tracking; the
// key lists are reference lists that never re-parent.
#include <Fdo/Schema/AssociationPropertyDefinition.h>
#include <Fdo/Schema/ClassDefinition.h>

FdoAssociationPropertyDefinition* FdoAssociationPropertyDefinition::Create() {
    return new FdoAssociationPropertyDefinition(nullptr, nullptr, false);
}

FdoAssociationPropertyDefinition* FdoAssociationPropertyDefinition::Create(FdoString* name,
                                                                           FdoString* description,
                                                                           bool system) {
    return new FdoAssociationPropertyDefinition(name, description, system);
}

FdoAssociationPropertyDefinition::FdoAssociationPropertyDefinition(FdoString* name, FdoString* description,
                                                                   bool system)
    : FdoPropertyDefinition(name, description, system),
      m_identity(FdoDataPropertyDefinitionCollection::Create(nullptr)),
      m_reverseIdentity(FdoDataPropertyDefinitionCollection::Create(nullptr)) {}

FdoAssociationPropertyDefinition::~FdoAssociationPropertyDefinition() {
    m_identity->Release();
    m_reverseIdentity->Release();
}

FdoClassDefinition* FdoAssociationPropertyDefinition::GetAssociatedClass() {
    return FDO_SAFE_ADDREF(m_v.associatedClass.p);
}

void FdoAssociationPropertyDefinition::SetAssociatedClass(FdoClassDefinition* value) {
    if (m_v.associatedClass.p == value) return;
    m_v.associatedClass = FDO_SAFE_ADDREF(value);
    SetModified();
}

FdoDataPropertyDefinitionCollection* FdoAssociationPropertyDefinition::GetIdentityProperties() {
    return FDO_SAFE_ADDREF(m_identity);
}

FdoDataPropertyDefinitionCollection* FdoAssociationPropertyDefinition::GetReverseIdentityProperties() {
    return FDO_SAFE_ADDREF(m_reverseIdentity);
}

void FdoAssociationPropertyDefinition::SetReverseName(FdoString* value) {
    if (m_v.reverseName == value) return;
    m_v.reverseName = value;
    SetModified();
}

void FdoAssociationPropertyDefinition::SetDeleteRule(FdoDeleteRule value) {
    if (m_v.deleteRule == value) return;
    m_v.deleteRule = value;
    SetModified();
}

void FdoAssociationPropertyDefinition::SetLockCascade(bool value) {
    if (m_v.lockCascade == value) return;
    m_v.lockCascade = value;
    SetModified();
}

void FdoAssociationPropertyDefinition::SetIsReadOnly(bool value) {
    if (m_v.readOnly == value) return;
    m_v.readOnly = value;
    SetModified();
}

void FdoAssociationPropertyDefinition::SetMultiplicity(FdoString* value) {
    if (m_v.multiplicity == value) return;
    m_v.multiplicity = value;
    SetModified();
}

void FdoAssociationPropertyDefinition::SetReverseMultiplicity(FdoString* value) {
    if (m_v.reverseMultiplicity == value) return;
    m_v.reverseMultiplicity = value;
    SetModified();
}

void FdoAssociationPropertyDefinition::SaveValues() {
    FdoPropertyDefinition::SaveValues();
    m_saved = std::make_unique<Values>(m_v);
}

void FdoAssociationPropertyDefinition::RestoreValues() {
    FdoPropertyDefinition::RestoreValues();
    if (m_saved) m_v = *m_saved;
}
