// FdoPropertyDefinition: the base of the five property kinds, and the
// property collections of a class.
//
// A class owns its properties through FdoPropertyDefinitionCollection. The
// inherited properties are handed out as FdoReadOnlyPropertyDefinitionCollection,
// a plain reference list that callers cannot change.
#pragma once

#include <Fdo/Schema/SchemaCollection.h>

class FDO_API FdoPropertyDefinition : public FdoSchemaElement {
public:
    virtual FdoPropertyType GetPropertyType() = 0;

    // System properties belong to the provider and are never written out.
    bool GetIsSystem() { return m_isSystem; }
    void SetIsSystem(bool value);

protected:
    FdoPropertyDefinition() = default;
    FdoPropertyDefinition(FdoString* name, FdoString* description, bool system = false)
        : FdoSchemaElement(name, description), m_isSystem(system) {}

    void SaveValues() override;
    void RestoreValues() override;

private:
    bool m_isSystem = false;
    bool m_savedIsSystem = false;
};

class FDO_API FdoPropertyDefinitionCollection : public FdoSchemaCollection<FdoPropertyDefinition> {
public:
    // With a parent the collection owns its properties; without, it is a
    // plain list.
    static FdoPropertyDefinitionCollection* Create(FdoSchemaElement* parent) {
        return new FdoPropertyDefinitionCollection(parent);
    }

protected:
    explicit FdoPropertyDefinitionCollection(FdoSchemaElement* parent)
        : FdoSchemaCollection<FdoPropertyDefinition>(parent) {}
    void Dispose() override { delete this; }
};

class FDO_API FdoReadOnlyPropertyDefinitionCollection : public FdoIDisposable {
public:
    // Holds references to the properties of source (which may be null).
    static FdoReadOnlyPropertyDefinitionCollection* Create(FdoPropertyDefinitionCollection* source);

    FdoInt32 GetCount() const { return static_cast<FdoInt32>(m_items.size()); }
    // New references. A bad index or unknown name throws FdoSchemaException.
    FdoPropertyDefinition* GetItem(FdoInt32 index) const;
    FdoPropertyDefinition* GetItem(FdoString* name) const;
    // New reference, or null.
    FdoPropertyDefinition* FindItem(FdoString* name) const;
    bool Contains(FdoString* name) const { return IndexOf(name) >= 0; }
    bool Contains(const FdoPropertyDefinition* value) const { return IndexOf(value) >= 0; }
    FdoInt32 IndexOf(FdoString* name) const;
    FdoInt32 IndexOf(const FdoPropertyDefinition* value) const;

protected:
    FdoReadOnlyPropertyDefinitionCollection() = default;
    void Dispose() override { delete this; }

private:
    friend class FdoClassDefinition;
    void Append(FdoPropertyDefinition* value) { m_items.push_back(FDO_SAFE_ADDREF(value)); }

    std::vector<FdoPtr<FdoPropertyDefinition>> m_items;
};

typedef FdoPtr<FdoPropertyDefinition> FdoPropertyDefinitionP;
typedef FdoPtr<FdoPropertyDefinitionCollection> FdoPropertiesP;
