// FdoClassDefinition and its two concrete kinds, FdoClass and
// FdoFeatureClass, with FdoClassCollection.
//
// A class owns its properties; the identity list and unique constraints
// only refer to them, and follow when a property leaves the class. The base
// class is held by a counted reference (a class never refers back down, and
// cycles are refused). Inherited properties are computed on each call, so
// they always reflect the current base chain.
#pragma once

#include <Fdo/Schema/ClassCapabilities.h>
#include <Fdo/Schema/DataPropertyDefinition.h>
#include <Fdo/Schema/GeometricPropertyDefinition.h>
#include <Fdo/Schema/SchemaAttributeDictionary.h>
#include <Fdo/Schema/UniqueConstraint.h>

class FDO_API FdoClassDefinition : public FdoSchemaElement {
public:
    virtual FdoClassType GetClassType() = 0;

    // New references to the live lists.
    FdoPropertyDefinitionCollection* GetProperties();
    // Own identity properties; empty for a subclass.
    FdoDataPropertyDefinitionCollection* GetIdentityProperties();
    FdoUniqueConstraintCollection* GetUniqueConstraints();

    // New reference. For a subclass: the base's inherited properties
    // followed by the base's own; for a root class: the list given to
    // SetBaseProperties (provider system properties).
    FdoReadOnlyPropertyDefinitionCollection* GetBaseProperties();
    void SetBaseProperties(FdoPropertyDefinitionCollection* value);
    // New reference: the root ancestor's identity list; empty for a root class.
    FdoDataPropertyDefinitionCollection* GetBaseIdentityProperties();

    // New reference, or null.
    FdoClassDefinition* GetBaseClass();
    // Refused when the class types differ (unless one side is a plain
    // class), when this class has identity properties, or when it would make
    // a cycle.
    void SetBaseClass(FdoClassDefinition* value);

    bool GetIsAbstract() { return m_v.isAbstract; }
    void SetIsAbstract(bool value);
    bool GetIsComputed() { return m_v.isComputed; }
    void SetIsComputed(bool value);

    // New reference, or null.
    FdoClassCapabilities* GetCapabilities() { return FDO_SAFE_ADDREF(m_v.capabilities.p); }
    void SetCapabilities(FdoClassCapabilities* value);

    // "Schema:Class" inside a schema, else the name.
    FdoStringP GetQualifiedName() override;

protected:
    FdoClassDefinition(FdoString* name, FdoString* description);
    ~FdoClassDefinition() override;

    void ChildRenamed(FdoSchemaElement* child) override;
    void ChildRemoved(FdoSchemaElement* child) override;
    void AcceptChildChanges() override;
    void RejectChildChanges() override;
    void SaveValues() override;
    void RestoreValues() override;

    // True when property is one of this class's or an ancestor's properties.
    bool HasPropertyInChain(FdoPropertyDefinition* property);

private:
    struct Values {
        FdoPtr<FdoClassDefinition> baseClass;
        bool isAbstract = false;
        bool isComputed = false;
        FdoPtr<FdoClassCapabilities> capabilities;
        std::vector<FdoPtr<FdoUniqueConstraint>> constraints;  // saved copy only
    };
    Values m_v;
    std::unique_ptr<Values> m_saved;
    FdoPropertyDefinitionCollection* m_properties;
    FdoDataPropertyDefinitionCollection* m_identity;
    FdoUniqueConstraintCollection* m_constraints;
    FdoPtr<FdoPropertyDefinitionCollection> m_baseProperties;
};

class FDO_API FdoClass : public FdoClassDefinition {
public:
    static FdoClass* Create();
    static FdoClass* Create(FdoString* name, FdoString* description);

    FdoClassType GetClassType() override { return FdoClassType_Class; }

protected:
    FdoClass(FdoString* name, FdoString* description) : FdoClassDefinition(name, description) {}
};

class FDO_API FdoFeatureClass : public FdoClassDefinition {
public:
    static FdoFeatureClass* Create();
    static FdoFeatureClass* Create(FdoString* name, FdoString* description);

    FdoClassType GetClassType() override { return FdoClassType_FeatureClass; }

    // The main geometry: new reference, or null.
    FdoGeometricPropertyDefinition* GetGeometryProperty() { return FDO_SAFE_ADDREF(m_geometry.p); }
    // Must be a property of this class or of an ancestor; null clears it.
    void SetGeometryProperty(FdoGeometricPropertyDefinition* value);

protected:
    FdoFeatureClass(FdoString* name, FdoString* description) : FdoClassDefinition(name, description) {}

    void ChildRemoved(FdoSchemaElement* child) override;
    void SaveValues() override;
    void RestoreValues() override;

private:
    FdoPtr<FdoGeometricPropertyDefinition> m_geometry;
    FdoPtr<FdoGeometricPropertyDefinition> m_savedGeometry;
};

class FDO_API FdoClassCollection : public FdoSchemaCollection<FdoClassDefinition> {
public:
    // With a parent (normally a schema) the collection owns its classes.
    static FdoClassCollection* Create(FdoSchemaElement* parent) { return new FdoClassCollection(parent); }

protected:
    explicit FdoClassCollection(FdoSchemaElement* parent)
        : FdoSchemaCollection<FdoClassDefinition>(parent) {}
    void Dispose() override { delete this; }
};

typedef FdoPtr<FdoClassDefinition> FdoClassDefinitionP;
typedef FdoPtr<FdoClass> FdoClassP;
typedef FdoPtr<FdoFeatureClass> FdoFeatureClassP;
typedef FdoPtr<FdoClassCollection> FdoClassesP;
