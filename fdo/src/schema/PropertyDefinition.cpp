// FdoPropertyDefinition's shared flag and the read-only property list.
#include <Fdo/Schema/PropertyDefinition.h>

void FdoPropertyDefinition::SetIsSystem(bool value) {
    if (m_isSystem == value) return;
    m_isSystem = value;
    SetModified();
}

void FdoPropertyDefinition::SaveValues() {
    FdoSchemaElement::SaveValues();
    m_savedIsSystem = m_isSystem;
}

void FdoPropertyDefinition::RestoreValues() {
    FdoSchemaElement::RestoreValues();
    if (HasSavedValues()) m_isSystem = m_savedIsSystem;
}

FdoReadOnlyPropertyDefinitionCollection* FdoReadOnlyPropertyDefinitionCollection::Create(
    FdoPropertyDefinitionCollection* source) {
    auto* result = new FdoReadOnlyPropertyDefinitionCollection();
    if (source)
        for (FdoInt32 i = 0; i < source->GetCount(); i++)
            result->m_items.emplace_back(source->GetItem(i));
    return result;
}

FdoPropertyDefinition* FdoReadOnlyPropertyDefinitionCollection::GetItem(FdoInt32 index) const {
    if (index < 0 || index >= GetCount()) throw FdoSchemaException::Create(L"Item index out of bounds.");
    return FDO_SAFE_ADDREF(m_items[static_cast<size_t>(index)].p);
}

FdoPropertyDefinition* FdoReadOnlyPropertyDefinitionCollection::GetItem(FdoString* name) const {
    FdoPropertyDefinition* found = FindItem(name);
    if (!found)
        throw FdoSchemaException::Create(
            FdoStringP::Format(L"Item '%ls' not found in collection", name ? name : L""));
    return found;
}

FdoPropertyDefinition* FdoReadOnlyPropertyDefinitionCollection::FindItem(FdoString* name) const {
    FdoInt32 i = IndexOf(name);
    return i < 0 ? nullptr : GetItem(i);
}

FdoInt32 FdoReadOnlyPropertyDefinitionCollection::IndexOf(FdoString* name) const {
    for (size_t i = 0; i < m_items.size(); i++)
        if (wcscmp(m_items[i]->GetName(), name ? name : L"") == 0) return static_cast<FdoInt32>(i);
    return -1;
}

FdoInt32 FdoReadOnlyPropertyDefinitionCollection::IndexOf(const FdoPropertyDefinition* value) const {
    for (size_t i = 0; i < m_items.size(); i++)
        if (m_items[i].p == value) return static_cast<FdoInt32>(i);
    return -1;
}
