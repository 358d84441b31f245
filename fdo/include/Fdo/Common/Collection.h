// FdoCollection: an indexed list of reference-counted objects.
//
// The collection holds one reference to each item; GetItem hands out a new
// reference. Identity is by pointer. EXC is the exception class raised on a
// bad index or a missing item.
#pragma once

#include <Fdo/Common/Exception.h>
#include <Fdo/Common/Ptr.h>

#include <algorithm>
#include <vector>

template <class OBJ, class EXC>
class FdoCollection : public FdoIDisposable {
public:
    virtual FdoInt32 GetCount() const { return static_cast<FdoInt32>(m_list.size()); }

    virtual OBJ* GetItem(FdoInt32 index) const {
        CheckIndex(index, false);
        return FDO_SAFE_ADDREF(m_list[static_cast<size_t>(index)]);
    }

    virtual void SetItem(FdoInt32 index, OBJ* value) {
        CheckIndex(index, false);
        FDO_SAFE_ADDREF(value);
        OBJ*& slot = m_list[static_cast<size_t>(index)];
        if (slot) slot->Release();
        slot = value;
    }

    virtual FdoInt32 Add(OBJ* value) {
        m_list.push_back(FDO_SAFE_ADDREF(value));
        return GetCount() - 1;
    }

    virtual void Insert(FdoInt32 index, OBJ* value) {
        CheckIndex(index, true);
        m_list.insert(m_list.begin() + index, FDO_SAFE_ADDREF(value));
    }

    virtual void Clear() {
        // Take the list first: releasing an item may run code that looks at us.
        std::vector<OBJ*> old;
        old.swap(m_list);
        for (OBJ* o : old)
            if (o) o->Release();
    }

    virtual void Remove(const OBJ* value) {
        FdoInt32 i = IndexOf(value);
        if (i < 0) throw EXC::Create(L"Item not found in collection.");
        RemoveAt(i);
    }

    virtual void RemoveAt(FdoInt32 index) {
        CheckIndex(index, false);
        OBJ* o = m_list[static_cast<size_t>(index)];
        m_list.erase(m_list.begin() + index);
        if (o) o->Release();
    }

    virtual bool Contains(const OBJ* value) const { return IndexOf(value) >= 0; }

    virtual FdoInt32 IndexOf(const OBJ* value) const {
        auto it = std::find(m_list.begin(), m_list.end(), value);
        return it == m_list.end() ? -1 : static_cast<FdoInt32>(it - m_list.begin());
    }

protected:
    FdoCollection() = default;
    ~FdoCollection() override { Clear(); }

    void CheckIndex(FdoInt32 index, bool allowEnd) const {
        FdoInt32 limit = GetCount() + (allowEnd ? 1 : 0);
        if (index < 0 || index >= limit) throw EXC::Create(L"Item index out of bounds.");
    }

    std::vector<OBJ*> m_list;
};

// A collection of plain disposables, for results such as FindClass.
class FDO_API FdoIDisposableCollection : public FdoCollection<FdoIDisposable, FdoException> {
public:
    static FdoIDisposableCollection* Create() { return new FdoIDisposableCollection(); }

protected:
    FdoIDisposableCollection() = default;
    void Dispose() override { delete this; }
};
