// FdoSchemaElement: names, descriptions, attributes and the state rules
// shared by schemas, classes and properties.
#include <Fdo/Schema/FeatureSchema.h>
#include <Fdo/Schema/SchemaAttributeDictionary.h>

struct FdoSchemaElement::Values {
    FdoStringP name;
    FdoStringP description;
    FdoSchemaAttributeDictionary::Entries attributes;
};

FdoSchemaElement::FdoSchemaElement() = default;

FdoSchemaElement::FdoSchemaElement(FdoString* name, FdoString* description)
    : m_name(name), m_description(description) {
    CheckName(name);
}

FdoSchemaElement::~FdoSchemaElement() {
    if (m_attributes) {
        m_attributes->m_parent = nullptr;
        m_attributes->Release();
    }
}

void FdoSchemaElement::CheckName(FdoString* name) {
    if (!name) return;
    for (FdoString* c = name; *c; c++)
        if (*c == L':' || *c == L'.')
            throw FdoSchemaException::Create(FdoStringP::Format(
                L"Invalid schema element name '%ls': a name may not contain '%lc'.", name, *c));
}

FdoString* FdoSchemaElement::GetName() { return m_name; }

void FdoSchemaElement::SetName(FdoString* value) {
    CheckName(value);
    if (m_name == value) return;
    if (!CanSetName())
        throw FdoSchemaException::Create(
            FdoStringP::Format(L"The name of schema element '%ls' cannot be changed.", (FdoString*)m_name));
    if (m_owner) m_owner->CheckElementName(this, value);
    m_name = value;
    if (m_owner) m_owner->InvalidateElementNames();
    if (m_parent) m_parent->ChildRenamed(this);
    SetModified();
}

FdoString* FdoSchemaElement::GetDescription() { return m_description; }

void FdoSchemaElement::SetDescription(FdoString* value) {
    if (m_description == value) return;
    m_description = value;
    SetModified();
}

FdoSchemaElement* FdoSchemaElement::GetParent() { return FDO_SAFE_ADDREF(m_parent); }

FdoFeatureSchema* FdoSchemaElement::GetFeatureSchema() {
    for (FdoSchemaElement* e = this; e; e = e->m_parent)
        if (auto* schema = dynamic_cast<FdoFeatureSchema*>(e)) return FDO_SAFE_ADDREF(schema);
    return nullptr;
}

FdoStringP FdoSchemaElement::GetQualifiedName() {
    if (!m_parent) return m_name;
    return m_parent->GetQualifiedName() + L"." + m_name;
}

FdoSchemaAttributeDictionary* FdoSchemaElement::GetAttributes() {
    if (!m_attributes) m_attributes = FdoSchemaAttributeDictionary::Create(this);
    return FDO_SAFE_ADDREF(m_attributes);
}

FdoSchemaElementState FdoSchemaElement::GetElementState() { return m_state; }

void FdoSchemaElement::SetElementState(FdoSchemaElementState value) {
    bool sticky = (m_state == FdoSchemaElementState_Added && value != FdoSchemaElementState_Deleted) ||
                  (m_state == FdoSchemaElementState_Deleted && value != FdoSchemaElementState_Added);
    if (!sticky) m_state = value;
    if (value != FdoSchemaElementState_Unchanged && value != FdoSchemaElementState_Detached && m_parent &&
        m_parent->m_state == FdoSchemaElementState_Unchanged)
        m_parent->SetElementState(FdoSchemaElementState_Modified);
}

void FdoSchemaElement::AcceptElementChanges() {
    AcceptChildChanges();
    m_state = FdoSchemaElementState_Unchanged;
    SaveValues();
}

void FdoSchemaElement::RejectElementChanges() {
    if (!m_saved) return;
    RestoreValues();
    RejectChildChanges();
    m_state = FdoSchemaElementState_Unchanged;
}

void FdoSchemaElement::SaveValues() {
    m_saved = std::make_unique<Values>();
    m_saved->name = m_name;
    m_saved->description = m_description;
    if (m_attributes) m_saved->attributes = m_attributes->m_entries;
}

void FdoSchemaElement::RestoreValues() {
    if (!m_saved) return;
    if (m_name != m_saved->name) {
        m_name = m_saved->name;
        if (m_owner) m_owner->InvalidateElementNames();
        if (m_parent) m_parent->ChildRenamed(this);
    }
    m_description = m_saved->description;
    if (m_attributes) {
        m_attributes->m_entries = m_saved->attributes;
        m_attributes->m_names.clear();
    }
}
