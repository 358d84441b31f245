// FdoAssociationPropertyDefinition: a link from a class to another class,
// keyed by identity properties on both sides. The associated class is held
// by reference.
#pragma once

#include <Fdo/Schema/DataPropertyDefinition.h>

class FdoClassDefinition;

enum FdoDeleteRule {
    FdoDeleteRule_Cascade = 0,
    FdoDeleteRule_Prevent = 1,
    FdoDeleteRule_Break = 2,
};

class FDO_API FdoAssociationPropertyDefinition : public FdoPropertyDefinition {
public:
    static FdoAssociationPropertyDefinition* Create();
    static FdoAssociationPropertyDefinition* Create(FdoString* name, FdoString* description,
                                                    bool system = false);

    FdoPropertyType GetPropertyType() override { return FdoPropertyType_AssociationProperty; }

    // New reference, or null.
    FdoClassDefinition* GetAssociatedClass();
    void SetAssociatedClass(FdoClassDefinition* value);
    // New references to the live key lists (properties of the associated
    // class, and of the class holding this property).
    FdoDataPropertyDefinitionCollection* GetIdentityProperties();
    FdoDataPropertyDefinitionCollection* GetReverseIdentityProperties();

    FdoString* GetReverseName() { return m_v.reverseName; }
    void SetReverseName(FdoString* value);
    FdoDeleteRule GetDeleteRule() { return m_v.deleteRule; }
    void SetDeleteRule(FdoDeleteRule value);
    bool GetLockCascade() { return m_v.lockCascade; }
    void SetLockCascade(bool value);
    bool GetIsReadOnly() { return m_v.readOnly; }
    void SetIsReadOnly(bool value);
    // "m" (many), "1", "0_1" and the like; "m" and "0_1" by default.
    FdoString* GetMultiplicity() { return m_v.multiplicity; }
    void SetMultiplicity(FdoString* value);
    FdoString* GetReverseMultiplicity() { return m_v.reverseMultiplicity; }
    void SetReverseMultiplicity(FdoString* value);

protected:
    FdoAssociationPropertyDefinition(FdoString* name, FdoString* description, bool system);
    ~FdoAssociationPropertyDefinition() override;

    void SaveValues() override;
    void RestoreValues() override;

private:
    struct Values {
        FdoPtr<FdoClassDefinition> associatedClass;
        FdoStringP reverseName;
        FdoDeleteRule deleteRule = FdoDeleteRule_Break;
        bool lockCascade = false;
        bool readOnly = false;
        FdoStringP multiplicity = L"m";
        FdoStringP reverseMultiplicity = L"0_1";
    };
    Values m_v;
    std::unique_ptr<Values> m_saved;
    FdoDataPropertyDefinitionCollection* m_identity;
    FdoDataPropertyDefinitionCollection* m_reverseIdentity;
};
