// FdoSchemaCollection: the named, case-sensitive collection behind every
// list of schema elements.
//
// A collection created with a parent element owns its members: adding one
// sets its parent and marks it Added, and an element that already has a
// parent is refused ("Object already has parent."), so one object never sits
// in two schemas. Removing a member detaches it. A collection without a
// parent, or one built as a plain reference list (the identity list), only
// holds references. The collection also keeps the member list that its
// schema last accepted, so RejectChanges can put it back.
#pragma once

#include <Fdo/Common/NamedCollection.h>
#include <Fdo/Schema/SchemaElement.h>

#include <vector>

template <class OBJ>
class FdoSchemaCollection : public FdoNamedCollection<OBJ, FdoSchemaException>,
                            public FdoSchemaElementOwner {
    using Base = FdoNamedCollection<OBJ, FdoSchemaException>;

public:
    FdoInt32 Add(OBJ* value) override {
        CheckNewItem(value);
        FdoInt32 index = Base::Add(value);
        AdoptItem(value);
        return index;
    }

    void Insert(FdoInt32 index, OBJ* value) override {
        CheckNewItem(value);
        Base::Insert(index, value);
        AdoptItem(value);
    }

    void SetItem(FdoInt32 index, OBJ* value) override {
        FdoPtr<OBJ> old = this->GetItem(index);
        if (old.p == value) return;
        CheckNewItem(value);
        Base::SetItem(index, value);
        ReleaseItem(old);
        AdoptItem(value);
    }

    void RemoveAt(FdoInt32 index) override {
        FdoPtr<OBJ> old = this->GetItem(index);
        Base::RemoveAt(index);
        ReleaseItem(old);
    }

    void Clear() override {
        std::vector<FdoPtr<OBJ>> old(this->m_list.begin(), this->m_list.end());
        for (auto& o : old) FDO_SAFE_ADDREF(o.p);
        Base::Clear();
        for (auto& o : old) ReleaseItem(o);
    }

    // The element that owns this collection: new reference, or null.
    FdoSchemaElement* GetParent() const { return FDO_SAFE_ADDREF(m_parent); }

    void CheckElementName(FdoSchemaElement* element, FdoString* newName) override {
        FdoInt32 i = this->IndexOf(newName ? newName : L"");
        if (i >= 0 && static_cast<FdoSchemaElement*>(this->m_list[static_cast<size_t>(i)]) != element)
            throw FdoSchemaException::Create(FdoStringP::Format(
                L"Item %ls is already in this named collection.", newName ? newName : L""));
    }
    void InvalidateElementNames() override { this->InvalidateNameIndex(); }
    void RemoveElement(FdoSchemaElement* element) override {
        for (size_t i = 0; i < this->m_list.size(); i++)
            if (static_cast<FdoSchemaElement*>(this->m_list[i]) == element) {
                RemoveAt(static_cast<FdoInt32>(i));
                return;
            }
    }

    // Used by the owning element when its schema accepts changes: deleted
    // members leave, the rest are accepted, and the list is remembered.
    void AcceptItemChanges() {
        if (Owns()) {
            for (FdoInt32 i = this->GetCount() - 1; i >= 0; i--)
                if (this->m_list[static_cast<size_t>(i)]->GetElementState() == FdoSchemaElementState_Deleted)
                    RemoveAt(i);
            for (OBJ* o : std::vector<OBJ*>(this->m_list)) o->AcceptElementChanges();
        }
        m_saved.assign(this->m_list.begin(), this->m_list.end());
        for (auto& o : m_saved) FDO_SAFE_ADDREF(o.p);
        m_hasSaved = true;
    }

    // Puts back the remembered list, then rejects the members' own changes.
    void RejectItemChanges() {
        if (m_hasSaved) {
            for (FdoInt32 i = this->GetCount() - 1; i >= 0; i--) {
                OBJ* o = this->m_list[static_cast<size_t>(i)];
                bool kept = false;
                for (auto& s : m_saved) kept = kept || s.p == o;
                if (!kept) RemoveAt(i);
            }
            std::vector<OBJ*> restored;
            for (auto& s : m_saved) {
                FdoSchemaElement* e = s.p;
                bool present = this->IndexOf(s.p) >= 0;
                if (!present && Owns() && e->m_parent && e->m_parent != m_parent) continue;  // moved on
                restored.push_back(FDO_SAFE_ADDREF(s.p));
                if (!present && Owns()) {
                    e->m_parent = m_parent;
                    e->m_owner = this;
                }
            }
            for (OBJ* o : this->m_list) o->Release();
            this->m_list = restored;
            this->InvalidateNameIndex();
        }
        if (Owns())
            for (OBJ* o : std::vector<OBJ*>(this->m_list)) o->RejectElementChanges();
    }

    // The parent is going away: members keep their place in the collection
    // but no longer point at it.
    void OrphanItems() {
        for (OBJ* o : this->m_list) {
            FdoSchemaElement* e = o;
            if (Owns() && e->m_parent == m_parent) e->m_parent = nullptr;
            if (e->m_owner == this) e->m_owner = nullptr;
        }
        m_parent = nullptr;
    }

protected:
    explicit FdoSchemaCollection(FdoSchemaElement* parent, bool owning = true)
        : Base(true), m_parent(parent), m_owning(owning) {}
    ~FdoSchemaCollection() override { OrphanItems(); }

    bool Owns() const { return m_owning && m_parent; }

    // Extra checks of derived collections; throw to refuse the item.
    virtual void ValidateItem(OBJ* /*value*/) {}

    virtual void CheckNewItem(OBJ* value) {
        if (!value) throw FdoSchemaException::Create(L"A schema collection cannot hold a null element.");
        ValidateItem(value);
        if (Owns() && static_cast<FdoSchemaElement*>(value)->m_parent)
            throw FdoSchemaException::Create(L"Object already has parent.");
    }

    virtual void AdoptItem(OBJ* value) {
        FdoSchemaElement* e = value;
        if (!Owns()) return;
        e->m_parent = m_parent;
        e->m_owner = this;
        e->SetElementState(FdoSchemaElementState_Added);
    }

    virtual void ReleaseItem(OBJ* value) {
        FdoSchemaElement* e = value;
        if (e->m_owner == this) e->m_owner = nullptr;
        if (!Owns() || e->m_parent != m_parent) return;
        e->m_parent = nullptr;
        e->ForceState(FdoSchemaElementState_Detached);
        m_parent->ChildRemoved(e);
        m_parent->SetModified();
    }

    FdoSchemaElement* m_parent;
    bool m_owning;

private:
    std::vector<FdoPtr<OBJ>> m_saved;
    bool m_hasSaved = false;
};
