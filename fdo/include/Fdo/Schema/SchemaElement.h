// FdoSchemaElement: the base of schemas, classes and properties.
//
// An element knows its parent through a raw back-pointer (the parent owns
// the element through a collection, so a counted pointer would make a
// cycle), and the collection that owns it, so a rename can refresh that
// collection's name index. Every element keeps the values it had when its
// schema last accepted changes, which is what RejectChanges goes back to.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/Exception.h>
#include <Fdo/Common/Ptr.h>

#include <memory>

class FdoFeatureSchema;
class FdoSchemaAttributeDictionary;
class FdoSchemaElement;

// Implemented by the collections that own schema elements.
class FDO_API FdoSchemaElementOwner {
public:
    // Throws when another member already has newName.
    virtual void CheckElementName(FdoSchemaElement* element, FdoString* newName) = 0;
    virtual void InvalidateElementNames() = 0;
    virtual void RemoveElement(FdoSchemaElement* element) = 0;

protected:
    virtual ~FdoSchemaElementOwner() = default;
};

class FDO_API FdoSchemaElement : public FdoIDisposable {
public:
    // Borrowed.
    virtual FdoString* GetName();
    // Names may not contain ':' or '.'.
    virtual void SetName(FdoString* value);
    virtual bool CanSetName() { return true; }
    virtual FdoString* GetDescription();
    virtual void SetDescription(FdoString* value);

    // New reference, or null.
    virtual FdoSchemaElement* GetParent();
    // The schema this element sits in (new reference), or null.
    virtual FdoFeatureSchema* GetFeatureSchema();
    virtual FdoStringP GetQualifiedName();
    // New reference; created on first use.
    virtual FdoSchemaAttributeDictionary* GetAttributes();

    virtual FdoSchemaElementState GetElementState();
    // Added stays Added unless set Deleted; Deleted stays Deleted unless set
    // Added. Any change of an element marks an Unchanged parent Modified.
    virtual void SetElementState(FdoSchemaElementState value);
    virtual void Delete() { SetElementState(FdoSchemaElementState_Deleted); }

    // Used by the owning schema's AcceptChanges / RejectChanges.
    void AcceptElementChanges();
    void RejectElementChanges();

    // Throws FdoSchemaException when name contains ':' or '.'.
    static void CheckName(FdoString* name);

protected:
    FdoSchemaElement();
    FdoSchemaElement(FdoString* name, FdoString* description);
    ~FdoSchemaElement() override;
    void Dispose() override { delete this; }

    // Called by setters after a real change.
    void SetModified() { SetElementState(FdoSchemaElementState_Modified); }

    // Notifications from the collections this element owns.
    virtual void ChildRenamed(FdoSchemaElement* /*child*/) {}
    virtual void ChildRemoved(FdoSchemaElement* /*child*/) {}

    // Accept/reject the children; the element itself is handled by the caller.
    virtual void AcceptChildChanges() {}
    virtual void RejectChildChanges() {}
    // Copy the current values aside / back; derived classes chain up.
    virtual void SaveValues();
    virtual void RestoreValues();
    bool HasSavedValues() const { return m_saved != nullptr; }

    FdoSchemaElement* RawParent() const { return m_parent; }
    FdoSchemaElementOwner* RawOwner() const { return m_owner; }

private:
    template <class>
    friend class FdoSchemaCollection;
    friend class FdoFeatureSchemaCollection;
    friend class FdoSchemaAttributeDictionary;

    struct Values;
    void ForceState(FdoSchemaElementState state) { m_state = state; }

    FdoStringP m_name;
    FdoStringP m_description;
    FdoSchemaElementState m_state = FdoSchemaElementState_Added;
    FdoSchemaElement* m_parent = nullptr;
    FdoSchemaElementOwner* m_owner = nullptr;
    FdoSchemaAttributeDictionary* m_attributes = nullptr;
    std::unique_ptr<Values> m_saved;
};

typedef FdoPtr<FdoSchemaElement> FdoSchemaElementP;
