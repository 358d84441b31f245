// Deep copies of feature schemas.
//
// A schema element belongs to one owner, so moving a class or property
// between schemas means copying it. The copy context remembers every
// element already copied, so a base class shared by several classes, or a
// class reached again through an object or association property, becomes
// one copy. The context can also restrict which properties are copied.
#pragma once

#include <Fdo/Expression/Identifier.h>
#include <Fdo/Schema/AssociationPropertyDefinition.h>
#include <Fdo/Schema/FeatureSchemaCollection.h>
#include <Fdo/Schema/ObjectPropertyDefinition.h>
#include <Fdo/Schema/RasterPropertyDefinition.h>

#include <map>

class FDO_API FdoCommonSchemaCopyContext : public FdoIDisposable {
public:
    // identifiers (optional) restricts the copied properties to those whose
    // name is the first '.'-separated part of one of the identifiers.
    static FdoCommonSchemaCopyContext* Create(FdoIdentifierCollection* identifiers = nullptr,
                                              bool readOnlyCapabilities = false) {
        return new FdoCommonSchemaCopyContext(identifiers, readOnlyCapabilities);
    }

    // New reference or null.
    FdoIdentifierCollection* GetIdentifiers() { return FDO_SAFE_ADDREF(m_identifiers.p); }
    bool CanCopyProperty(FdoString* propertyName);
    // Copied capabilities say: no locking, no long transactions, no writing.
    bool GetReadOnlyCapabilities() { return m_readOnlyCapabilities; }

    // The copy made of source (new reference), or null.
    FdoSchemaElement* FindSchemaElement(FdoSchemaElement* source);
    void InsertSchemaElement(FdoSchemaElement* source, FdoSchemaElement* copy);

    // The copy of source as T (new reference), or null when there is none;
    // a copy of another concrete type throws FdoException "NULL Pointer".
    template <class T>
    T* FindCopy(FdoSchemaElement* source) {
        FdoPtr<FdoSchemaElement> copy = FindSchemaElement(source);
        if (!copy) return nullptr;
        T* typed = dynamic_cast<T*>(copy.p);
        if (!typed) throw FdoException::Create(L"NULL Pointer");
        return FDO_SAFE_ADDREF(typed);
    }

protected:
    FdoCommonSchemaCopyContext(FdoIdentifierCollection* identifiers, bool readOnlyCapabilities)
        : m_identifiers(FDO_SAFE_ADDREF(identifiers)), m_readOnlyCapabilities(readOnlyCapabilities) {}
    void Dispose() override { delete this; }

private:
    FdoPtr<FdoIdentifierCollection> m_identifiers;
    bool m_readOnlyCapabilities;
    // The source is held too, so its address cannot be reused while mapped.
    std::map<FdoSchemaElement*, std::pair<FdoSchemaElementP, FdoSchemaElementP>> m_map;
};

class FDO_API FdoCommonSchemaUtil {
public:
    // Copies every schema, or only the one named schemaName (unknown name
    // throws), into a new collection without parent. The copies have
    // accepted their changes: every element is Unchanged.
    static FdoFeatureSchemaCollection* DeepCopyFdoFeatureSchemas(
        FdoFeatureSchemaCollection* schemas, FdoString* schemaName = nullptr,
        FdoCommonSchemaCopyContext* context = nullptr);
    static FdoFeatureSchema* DeepCopyFdoFeatureSchema(FdoFeatureSchema* schema,
                                                      FdoCommonSchemaCopyContext* context = nullptr);

    // Dispatches on the class type; network classes are not supported.
    static FdoClassDefinition* DeepCopyFdoClassDefinition(FdoClassDefinition* classDef,
                                                          FdoCommonSchemaCopyContext* context = nullptr);
    static FdoClass* DeepCopyFdoClass(FdoClass* classDef, FdoCommonSchemaCopyContext* context = nullptr);
    static FdoFeatureClass* DeepCopyFdoFeatureClass(FdoFeatureClass* classDef,
                                                    FdoCommonSchemaCopyContext* context = nullptr);
    static FdoClassCapabilities* DeepCopyFdoClassCapabilities(FdoClassCapabilities* capabilities,
                                                              bool readOnly = false);

    static FdoPropertyDefinition* DeepCopyFdoPropertyDefinition(
        FdoPropertyDefinition* property, FdoCommonSchemaCopyContext* context = nullptr);
    static FdoDataPropertyDefinition* DeepCopyFdoDataPropertyDefinition(
        FdoDataPropertyDefinition* property, FdoCommonSchemaCopyContext* context = nullptr);
    static FdoGeometricPropertyDefinition* DeepCopyFdoGeometricPropertyDefinition(
        FdoGeometricPropertyDefinition* property, FdoCommonSchemaCopyContext* context = nullptr);
    static FdoObjectPropertyDefinition* DeepCopyFdoObjectPropertyDefinition(
        FdoObjectPropertyDefinition* property, FdoCommonSchemaCopyContext* context = nullptr);
    static FdoAssociationPropertyDefinition* DeepCopyFdoAssociationPropertyDefinition(
        FdoAssociationPropertyDefinition* property, FdoCommonSchemaCopyContext* context = nullptr);
    static FdoRasterPropertyDefinition* DeepCopyFdoRasterPropertyDefinition(
        FdoRasterPropertyDefinition* property, FdoCommonSchemaCopyContext* context = nullptr);

    static FdoPropertyValueConstraint* DeepCopyFdoPropertyValueConstraint(
        FdoPropertyValueConstraint* constraint);
    // A new value of the same type and content (new reference), or null.
    static FdoDataValue* CopyDataValue(FdoDataValue* value);
    // Replaces the attributes of target with those of source.
    static void CopySchemaAttributes(FdoSchemaElement* source, FdoSchemaElement* target);
};
