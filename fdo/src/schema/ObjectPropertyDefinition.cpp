// FdoObjectPropertyDefinition: plain fields with change tracking.
#include <Fdo/Schema/ClassDefinition.h>
#include <Fdo/Schema/ObjectPropertyDefinition.h>

FdoObjectPropertyDefinition* FdoObjectPropertyDefinition::Create() {
    return new FdoObjectPropertyDefinition(nullptr, nullptr, false);
}

FdoObjectPropertyDefinition* FdoObjectPropertyDefinition::Create(FdoString* name, FdoString* description,
                                                                 bool system) {
    return new FdoObjectPropertyDefinition(name, description, system);
}

FdoObjectPropertyDefinition::FdoObjectPropertyDefinition(FdoString* name, FdoString* description, bool system)
    : FdoPropertyDefinition(name, description, system) {}

FdoObjectPropertyDefinition::~FdoObjectPropertyDefinition() = default;

FdoClassDefinition* FdoObjectPropertyDefinition::GetClass() { return FDO_SAFE_ADDREF(m_v.objectClass.p); }

void FdoObjectPropertyDefinition::SetClass(FdoClassDefinition* value) {
    if (m_v.objectClass.p == value) return;
    m_v.objectClass = FDO_SAFE_ADDREF(value);
    SetModified();
}

FdoDataPropertyDefinition* FdoObjectPropertyDefinition::GetIdentityProperty() {
    return FDO_SAFE_ADDREF(m_v.identity.p);
}

void FdoObjectPropertyDefinition::SetIdentityProperty(FdoDataPropertyDefinition* value) {
    if (m_v.identity.p == value) return;
    m_v.identity = FDO_SAFE_ADDREF(value);
    SetModified();
}

void FdoObjectPropertyDefinition::SetObjectType(FdoObjectType value) {
    if (m_v.objectType == value) return;
    m_v.objectType = value;
    SetModified();
}

void FdoObjectPropertyDefinition::SetOrderType(FdoOrderType value) {
    if (m_v.orderType == value) return;
    m_v.orderType = value;
    SetModified();
}

void FdoObjectPropertyDefinition::SaveValues() {
    FdoPropertyDefinition::SaveValues();
    m_saved = std::make_unique<Values>(m_v);
}

void FdoObjectPropertyDefinition::RestoreValues() {
    FdoPropertyDefinition::RestoreValues();
    if (m_saved) m_v = *m_saved;
}
