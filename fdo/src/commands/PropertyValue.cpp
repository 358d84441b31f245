// Property value setters (text values go through the literal reader) and the
// property value lookups by identifier text.
#include <Fdo/Commands/PropertyValue.h>

#include "expression/LiteralParser.h"

FdoPropertyValue* FdoPropertyValue::Create(FdoString* name, FdoValueExpression* value) {
    FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(name);
    return new FdoPropertyValue(id, value);
}

FdoPropertyValue::~FdoPropertyValue() {
    FDO_SAFE_RELEASE(m_name);
    FDO_SAFE_RELEASE(m_value);
}

void FdoPropertyValue::SetName(FdoIdentifier* name) {
    FDO_SAFE_ADDREF(name);
    FDO_SAFE_RELEASE(m_name);
    m_name = name;
}

void FdoPropertyValue::SetName(FdoString* name) {
    FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(name);
    SetName(id.p);
}

void FdoPropertyValue::SetValue(FdoValueExpression* value) {
    FDO_SAFE_ADDREF(value);
    FDO_SAFE_RELEASE(m_value);
    m_value = value;
}

void FdoPropertyValue::SetValue(FdoString* value) {
    FdoPtr<FdoValueExpression> v = value ? FdoParseLiteralValue(value) : nullptr;
    SetValue(v.p);
}

FdoInt32 FdoPropertyValueCollection::IndexOf(FdoString* name) const {
    if (!name) return -1;
    for (size_t i = 0; i < m_list.size(); i++) {
        FdoPtr<FdoIdentifier> id = m_list[i] ? m_list[i]->GetName() : nullptr;
        if (id && wcscmp(id->GetText(), name) == 0) return static_cast<FdoInt32>(i);
    }
    return -1;
}

FdoPropertyValue* FdoPropertyValueCollection::FindItem(FdoString* name) const {
    FdoInt32 i = IndexOf(name);
    return i < 0 ? nullptr : FDO_SAFE_ADDREF(m_list[static_cast<size_t>(i)]);
}

FdoPropertyValue* FdoPropertyValueCollection::GetItem(FdoString* name) const {
    FdoPropertyValue* v = FindItem(name);
    if (!v)
        throw FdoCommandException::Create(
            FdoStringP::Format(L"Invalid property value name '%ls'.", name ? name : L""));
    return v;
}
