// FdoObjectPropertyDefinition: a property whose value is an object (or a
// collection of objects) of another class. The class is held by reference;
// it normally lives in the same schema.
#pragma once

#include <Fdo/Schema/DataPropertyDefinition.h>

class FdoClassDefinition;

enum FdoObjectType {
    FdoObjectType_Value = 0,
    FdoObjectType_Collection = 1,
    FdoObjectType_OrderedCollection = 2,
};

enum FdoOrderType {
    FdoOrderType_Ascending = 0,
    FdoOrderType_Descending = 1,
};

class FDO_API FdoObjectPropertyDefinition : public FdoPropertyDefinition {
public:
    static FdoObjectPropertyDefinition* Create();
    static FdoObjectPropertyDefinition* Create(FdoString* name, FdoString* description,
                                               bool system = false);

    FdoPropertyType GetPropertyType() override { return FdoPropertyType_ObjectProperty; }

    // New references, or null.
    FdoClassDefinition* GetClass();
    void SetClass(FdoClassDefinition* value);
    // The property of the object class that tells collection members apart.
    FdoDataPropertyDefinition* GetIdentityProperty();
    void SetIdentityProperty(FdoDataPropertyDefinition* value);
    FdoObjectType GetObjectType() { return m_v.objectType; }
    void SetObjectType(FdoObjectType value);
    FdoOrderType GetOrderType() { return m_v.orderType; }
    void SetOrderType(FdoOrderType value);

protected:
    FdoObjectPropertyDefinition(FdoString* name, FdoString* description, bool system);
    ~FdoObjectPropertyDefinition() override;

    void SaveValues() override;
    void RestoreValues() override;

private:
    struct Values {
        FdoPtr<FdoClassDefinition> objectClass;
        FdoPtr<FdoDataPropertyDefinition> identity;
        FdoObjectType objectType = FdoObjectType_Value;
        FdoOrderType orderType = FdoOrderType_Ascending;
    };
    Values m_v;
    std::unique_ptr<Values> m_saved;
};
