// The property rules shared by the connection and data store dictionaries.
#include "common/FdoCommonPropertyTable.h"

#include <FdoCommon/FdoCommonConnPropDictionary.h>

#include <cwctype>

namespace {

bool IsBlank(wchar_t c) { return iswspace(static_cast<wint_t>(c)) != 0; }

}  // namespace

void FdoCommonPropertyTable::Add(FdoString* name, FdoString* defaultValue, FdoInt32 flags,
                                 std::initializer_list<FdoString*> values, FdoString* localizedName) {
    if (!name || !*name) throw MakeException(FdoStringP::Format(L"A %ls needs a name.", Noun()));
    for (const auto& p : m_properties)
        if (wcscasecmp(p->name, name) == 0)
            throw MakeException(FdoStringP::Format(L"The %ls '%ls' is defined twice.", Noun(), name));

    auto p = std::make_unique<Property>();
    p->name = name;
    p->localizedName = localizedName && *localizedName ? localizedName : name;
    p->defaultValue = defaultValue;
    p->flags = flags;
    for (FdoString* v : values) p->values.emplace_back(v);
    for (const FdoStringP& v : p->values) p->valuePtrs.push_back(v);
    m_properties.push_back(std::move(p));

    m_namePtrs.clear();
    for (const auto& q : m_properties) m_namePtrs.push_back(q->name);
}

FdoCommonPropertyTable::Property* FdoCommonPropertyTable::Find(FdoString* name) const {
    if (!name) return nullptr;
    for (const auto& p : m_properties)
        if (wcscasecmp(p->name, name) == 0) return p.get();
    for (const auto& p : m_properties)
        if (wcsncasecmp(p->name, name, p->name.GetLength()) == 0) return p.get();
    return nullptr;
}

FdoCommonPropertyTable::Property& FdoCommonPropertyTable::Get(FdoString* name) const {
    Property* p = Find(name);
    if (!p)
        throw MakeException(FdoStringP::Format(L"The %ls '%ls' was not found.", Noun(), name ? name : L""));
    return *p;
}

FdoString** FdoCommonPropertyTable::GetNames(FdoInt32& count) {
    count = static_cast<FdoInt32>(m_namePtrs.size());
    return m_namePtrs.data();
}

FdoString** FdoCommonPropertyTable::GetValues(FdoString* name, FdoInt32& count) {
    Property& p = Get(name);
    count = static_cast<FdoInt32>(p.valuePtrs.size());
    return p.valuePtrs.data();
}

FdoStringP FdoCommonPropertyTable::Check(const Property& p, FdoString* value, bool& quoted) const {
    quoted = false;
    if (!value) {
        if (p.Has(FdoCommonProp_Required))
            throw MakeException(FdoStringP::Format(L"The %ls '%ls' is required and cannot be set to null.",
                                                   Noun(), (FdoString*)p.name));
        return FdoStringP();
    }

    std::wstring text(value);
    if (text.size() >= 2 && text.front() == L'"' && text.back() == L'"') {
        text = text.substr(1, text.size() - 2);
        quoted = true;
    }
    if (text.find(L'"') != std::wstring::npos)
        throw MakeException(FdoStringP::Format(L"The value of the %ls '%ls' cannot contain '\"'.", Noun(),
                                               (FdoString*)p.name));

    if (!p.values.empty() && (!text.empty() || p.Has(FdoCommonProp_Required))) {
        bool listed = false;
        for (const FdoStringP& v : p.values) listed = listed || wcscasecmp(v, text.c_str()) == 0;
        if (!listed) {
            FdoStringP list;
            for (const FdoStringP& v : p.values) list += (list.IsEmpty() ? FdoStringP() : FdoStringP(L", ")) + v;
            throw MakeException(FdoStringP::Format(L"The value '%ls' is not valid for the %ls '%ls'; valid values are: %ls.",
                                                   text.c_str(), Noun(), (FdoString*)p.name,
                                                   (FdoString*)list));
        }
    }
    return FdoStringP(text);
}

void FdoCommonPropertyTable::Set(FdoString* name, FdoString* value) {
    Property& p = Get(name);
    bool quoted = false;
    FdoStringP checked = Check(p, value, quoted);
    p.value = checked;
    p.quoted = quoted;
}

void FdoCommonPropertyTable::ClearValues() {
    for (auto& p : m_properties) {
        p->value = FdoStringP();
        p->quoted = false;
    }
}

void FdoCommonPropertyTable::CheckRequired() const {
    for (const auto& p : m_properties)
        if (p->Has(FdoCommonProp_Required) && p->value.IsEmpty())
            throw MakeException(FdoStringP::Format(L"The required %ls '%ls' is not set.", Noun(),
                                                   (FdoString*)p->name));
}

FdoStringP FdoCommonPropertyTable::ToConnectionString() const {
    std::wstring out;
    for (const auto& p : m_properties) {
        const std::wstring& v = p->value.Str();
        if (v.empty()) continue;
        bool quote = p->quoted || v.find(L';') != std::wstring::npos || IsBlank(v.front()) || IsBlank(v.back());
        out += p->name.Str();
        out += L'=';
        if (quote) out += L'"';
        out += v;
        if (quote) out += L'"';
        out += L';';
    }
    return FdoStringP(out);
}
