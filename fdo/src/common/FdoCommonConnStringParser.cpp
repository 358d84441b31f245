// Connection-string parsing for the providers; the syntax is described in
// the header.
#include <FdoCommon/FdoCommonConnStringParser.h>

#include <cwctype>
#include <string>

namespace {

bool IsBlank(wchar_t c) { return c != 0 && iswspace(static_cast<wint_t>(c)); }

std::wstring TrimEnd(std::wstring s) {
    while (!s.empty() && IsBlank(s.back())) s.pop_back();
    return s;
}

}  // namespace

FdoCommonConnStringParser::FdoCommonConnStringParser(FdoString* connectionString) {
    Parse(connectionString ? connectionString : L"");
}

void FdoCommonConnStringParser::Parse(FdoString* p) {
    while (*p) {
        while (IsBlank(*p)) p++;
        if (*p == L';') {
            p++;
            continue;
        }
        if (!*p) break;
        if (*p == L'=') return void(m_valid = false);

        FdoString* nameStart = p;
        while (*p && *p != L'=' && *p != L';') p++;
        if (*p != L'=') return void(m_valid = false);
        FdoStringP name = FdoStringP(TrimEnd(std::wstring(nameStart, p))).Lower();
        p++;
        while (IsBlank(*p)) p++;

        std::wstring value;
        bool quoted = *p == L'"';
        if (quoted) {
            FdoString* start = ++p;
            while (*p && *p != L'"') p++;
            if (!*p) return void(m_valid = false);
            value.assign(start, p++);
            while (IsBlank(*p)) p++;
            if (*p && *p != L';') return void(m_valid = false);
        } else {
            FdoString* start = p;
            while (*p && *p != L';') {
                if (*p == L'"') return void(m_valid = false);
                p++;
            }
            value = TrimEnd(std::wstring(start, p));
        }
        Set(name, FdoStringP(value), quoted);
        if (*p == L';') p++;
    }
}

void FdoCommonConnStringParser::Set(const FdoStringP& name, const FdoStringP& value, bool quoted) {
    for (Pair& pair : m_pairs) {
        if (pair.name == name) {
            pair.value = value;
            pair.quoted = quoted;
            return;
        }
    }
    m_pairs.push_back(Pair{name, value, quoted});
}

const FdoCommonConnStringParser::Pair* FdoCommonConnStringParser::Find(FdoString* name) const {
    if (!name) return nullptr;
    for (const Pair& pair : m_pairs)
        if (wcscasecmp(pair.name, name) == 0) return &pair;
    return nullptr;
}

FdoString* FdoCommonConnStringParser::GetPropertyValueW(FdoString* name) const {
    const Pair* pair = Find(name);
    return pair ? static_cast<FdoString*>(pair->value) : nullptr;
}

const char* FdoCommonConnStringParser::GetPropertyValue(FdoString* name) const {
    const Pair* pair = Find(name);
    return pair ? static_cast<const char*>(pair->value) : nullptr;
}

bool FdoCommonConnStringParser::IsPropertyValueQuoted(FdoString* name) const {
    const Pair* pair = Find(name);
    return pair && pair->quoted;
}

FdoString* FdoCommonConnStringParser::GetPropertyName(FdoInt32 index) const {
    if (index < 0 || index >= GetCount()) throw FdoException::Create(L"Item index out of bounds.");
    return m_pairs[static_cast<size_t>(index)].name;
}

FdoStringCollection* FdoCommonConnStringParser::GetPropertyNames() const {
    FdoStringCollection* names = FdoStringCollection::Create();
    for (const Pair& pair : m_pairs) names->Add(pair.name);
    return names;
}

FdoString* FdoCommonConnStringParser::GetFirstInvalidPropertyName(FdoStringCollection* definedNames) const {
    for (const Pair& pair : m_pairs) {
        bool defined = definedNames && definedNames->IndexOf(pair.name, false) >= 0;
        if (!defined) return pair.name;
    }
    return nullptr;
}
