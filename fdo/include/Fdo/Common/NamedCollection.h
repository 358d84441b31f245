// FdoNamedCollection: an FdoCollection whose items are also found by name.
//
// Items must have GetName(). Names are unique in the collection; comparison
// is case-sensitive unless the collection is created otherwise. Large
// collections keep a name index so lookups stay cheap in per-row code.
#pragma once

#include <Fdo/Common/Collection.h>

#include <cwctype>
#include <string>
#include <unordered_map>

template <class OBJ, class EXC>
class FdoNamedCollection : public FdoCollection<OBJ, EXC> {
    using Base = FdoCollection<OBJ, EXC>;

public:
    // New reference, or null when no item has that name.
    virtual OBJ* FindItem(FdoString* name) const {
        FdoInt32 i = IndexOf(name);
        return i < 0 ? nullptr : FDO_SAFE_ADDREF(this->m_list[static_cast<size_t>(i)]);
    }

    using Base::GetItem;
    // New reference; throws when no item has that name.
    virtual OBJ* GetItem(FdoString* name) const {
        OBJ* o = FindItem(name);
        if (!o)
            throw EXC::Create(
                FdoStringP::Format(L"Item '%ls' not found in collection", name ? name : L""));
        return o;
    }

    using Base::Contains;
    virtual bool Contains(FdoString* name) const { return IndexOf(name) >= 0; }

    using Base::IndexOf;
    virtual FdoInt32 IndexOf(FdoString* name) const {
        if (!name) throw EXC::Create(L"Invalid null name for named collection lookup.");
        if (this->m_list.size() > kIndexThreshold) {
            BuildIndex();
            auto it = m_index.find(Key(name));
            return it == m_index.end() ? -1 : it->second;
        }
        for (size_t i = 0; i < this->m_list.size(); i++) {
            OBJ* o = this->m_list[i];
            if (o && Equal(o->GetName(), name)) return static_cast<FdoInt32>(i);
        }
        return -1;
    }

    FdoInt32 Add(OBJ* value) override {
        CheckDuplicate(value, -1);
        Invalidate();
        return Base::Add(value);
    }
    void Insert(FdoInt32 index, OBJ* value) override {
        CheckDuplicate(value, -1);
        Invalidate();
        Base::Insert(index, value);
    }
    void SetItem(FdoInt32 index, OBJ* value) override {
        CheckDuplicate(value, index);
        Invalidate();
        Base::SetItem(index, value);
    }
    void RemoveAt(FdoInt32 index) override {
        Invalidate();
        Base::RemoveAt(index);
    }
    void Clear() override {
        Invalidate();
        Base::Clear();
    }

    bool GetCaseSensitive() const { return m_caseSensitive; }
    void SetCaseSensitive(bool value) {
        m_caseSensitive = value;
        Invalidate();
    }

    // Items may be renamed while in the collection; owners call this then.
    void InvalidateNameIndex() { Invalidate(); }

protected:
    explicit FdoNamedCollection(bool caseSensitive = true) : m_caseSensitive(caseSensitive) {}

    bool Equal(FdoString* a, FdoString* b) const {
        if (!a) a = L"";
        if (!b) b = L"";
        return m_caseSensitive ? wcscmp(a, b) == 0 : wcscasecmp(a, b) == 0;
    }

    void CheckDuplicate(OBJ* value, FdoInt32 replacing) const {
        if (!value) return;
        FdoInt32 i = IndexOf(value->GetName());
        if (i >= 0 && i != replacing)
            throw EXC::Create(FdoStringP::Format(L"Item %ls is already in this named collection.",
                                                 value->GetName() ? value->GetName() : L""));
    }

private:
    static constexpr size_t kIndexThreshold = 32;

    std::wstring Key(FdoString* name) const {
        std::wstring k(name ? name : L"");
        if (!m_caseSensitive)
            for (auto& c : k) c = static_cast<wchar_t>(towlower(static_cast<wint_t>(c)));
        return k;
    }
    void BuildIndex() const {
        if (m_indexValid) return;
        m_index.clear();
        for (size_t i = 0; i < this->m_list.size(); i++)
            if (this->m_list[i]) m_index.emplace(Key(this->m_list[i]->GetName()), static_cast<FdoInt32>(i));
        m_indexValid = true;
    }
    void Invalidate() { m_indexValid = false; }

    bool m_caseSensitive;
    mutable bool m_indexValid = false;
    mutable std::unordered_map<std::wstring, FdoInt32> m_index;
};
