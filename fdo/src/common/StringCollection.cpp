#include <Fdo/Common/StringCollection.h>

#include <cwctype>

FdoStringCollection* FdoStringCollection::Create() { return new FdoStringCollection(); }

FdoStringCollection* FdoStringCollection::Create(const FdoStringCollection* other) {
    FdoStringCollection* c = new FdoStringCollection();
    c->Append(other);
    return c;
}

FdoStringCollection* FdoStringCollection::Create(const FdoStringP& text, FdoString* delimiters,
                                                 bool nullTokens) {
    FdoStringCollection* c = new FdoStringCollection();
    const std::wstring& s = text.Str();
    std::wstring delims(delimiters ? delimiters : L"");
    if (s.empty()) {
        if (nullTokens) c->Add(FdoStringP());
        return c;
    }
    size_t start = 0;
    for (size_t i = 0; i <= s.size(); i++) {
        if (i == s.size() || delims.find(s[i]) != std::wstring::npos) {
            if (i > start || nullTokens) c->Add(FdoStringP(s.substr(start, i - start)));
            start = i + 1;
        }
    }
    return c;
}

FdoInt32 FdoStringCollection::Add(const FdoStringP& value) {
    FdoPtr<FdoStringElement> e = FdoStringElement::Create(value);
    return Add(e.p);
}

void FdoStringCollection::Append(const FdoStringCollection* other) {
    if (!other) return;
    for (FdoInt32 i = 0; i < other->GetCount(); i++) Add(FdoStringP(other->GetString(i)));
}

FdoString* FdoStringCollection::GetString(FdoInt32 index) const {
    CheckIndex(index, false);
    FdoStringElement* e = m_list[static_cast<size_t>(index)];
    return e ? static_cast<FdoString*>(e->GetString()) : L"";
}

FdoInt32 FdoStringCollection::IndexOf(const FdoStringP& value, bool caseSensitive) const {
    for (FdoInt32 i = 0; i < GetCount(); i++) {
        FdoString* s = GetString(i);
        if (caseSensitive ? wcscmp(s, value) == 0 : wcscasecmp(s, value) == 0) return i;
    }
    return -1;
}

FdoStringP FdoStringCollection::ToString(FdoString* separator) const {
    FdoStringP out;
    for (FdoInt32 i = 0; i < GetCount(); i++) {
        if (i > 0) out += separator;
        out += GetString(i);
    }
    return out;
}
