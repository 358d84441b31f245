// FdoSchemaAttributeDictionary: a short ordered list searched linearly;
// elements carry a handful of attributes at most.
#include <Fdo/Schema/SchemaAttributeDictionary.h>
#include <Fdo/Schema/SchemaElement.h>

namespace {
FdoString* Text(FdoString* s) { return s ? s : L""; }
}  // namespace

FdoInt32 FdoSchemaAttributeDictionary::Find(FdoString* name) const {
    for (size_t i = 0; i < m_entries.size(); i++)
        if (m_entries[i].first == Text(name)) return static_cast<FdoInt32>(i);
    return -1;
}

void FdoSchemaAttributeDictionary::Touch() {
    m_names.clear();
    if (m_parent) m_parent->SetModified();
}

FdoString** FdoSchemaAttributeDictionary::GetAttributeNames(FdoInt32& length) {
    m_names.clear();
    for (auto& e : m_entries) m_names.push_back(e.first);
    length = GetCount();
    return m_names.empty() ? nullptr : m_names.data();
}

FdoString* FdoSchemaAttributeDictionary::GetAttributeValue(FdoString* name) const {
    FdoInt32 i = Find(name);
    if (i < 0) throw FdoSchemaException::Create(L"Schema attribute not found.");
    return m_entries[static_cast<size_t>(i)].second;
}

void FdoSchemaAttributeDictionary::SetAttributeValue(FdoString* name, FdoString* value) {
    FdoInt32 i = Find(name);
    if (i < 0) throw FdoSchemaException::Create(L"Schema attribute not found.");
    m_entries[static_cast<size_t>(i)].second = value;
    Touch();
}

void FdoSchemaAttributeDictionary::Add(FdoString* name, FdoString* value) {
    if (Find(name) >= 0) throw FdoSchemaException::Create(L"Schema attribute already in dictionary.");
    m_entries.emplace_back(FdoStringP(Text(name)), FdoStringP(value));
    Touch();
}

void FdoSchemaAttributeDictionary::Remove(FdoString* name) {
    FdoInt32 i = Find(name);
    if (i < 0) throw FdoSchemaException::Create(L"Schema attribute not found.");
    m_entries.erase(m_entries.begin() + i);
    Touch();
}

void FdoSchemaAttributeDictionary::Clear() {
    if (m_entries.empty()) return;
    m_entries.clear();
    Touch();
}
