// FdoGeometricPropertyDefinition: a geometry-valued property.
//
// The allowed geometries are kept twice: as the coarse FdoGeometricType
// mask and as the list of specific FdoGeometryType values. Setting either
// rebuilds the other, so the two always agree (Solid has no specific types,
// and no specific type gives Solid back).
#pragma once

#include <Fdo/Schema/PropertyDefinition.h>

class FDO_API FdoGeometricPropertyDefinition : public FdoPropertyDefinition {
public:
    static FdoGeometricPropertyDefinition* Create();
    static FdoGeometricPropertyDefinition* Create(FdoString* name, FdoString* description,
                                                  bool system = false);

    FdoPropertyType GetPropertyType() override { return FdoPropertyType_GeometricProperty; }

    // FdoGeometricType bits; FdoGeometricType_All by default.
    FdoInt32 GetGeometryTypes() { return m_v.mask; }
    void SetGeometryTypes(FdoInt32 value);
    // Borrowed array in enum order, valid until the types change.
    FdoGeometryType* GetSpecificGeometryTypes(FdoInt32& length);
    // An unknown type value throws FdoSchemaException; None is ignored.
    void SetSpecificGeometryTypes(const FdoGeometryType* types, FdoInt32 length);

    bool GetHasElevation() { return m_v.hasElevation; }
    void SetHasElevation(bool value);
    bool GetHasMeasure() { return m_v.hasMeasure; }
    void SetHasMeasure(bool value);
    bool GetReadOnly() { return m_v.readOnly; }
    void SetReadOnly(bool value);
    // Borrowed; L"" when there is none.
    FdoString* GetSpatialContextAssociation() { return m_v.spatialContext; }
    void SetSpatialContextAssociation(FdoString* value);

protected:
    FdoGeometricPropertyDefinition(FdoString* name, FdoString* description, bool system);

    void SaveValues() override;
    void RestoreValues() override;

private:
    struct Values {
        FdoInt32 mask = FdoGeometricType_All;
        std::vector<FdoGeometryType> specific;
        bool hasElevation = false;
        bool hasMeasure = false;
        bool readOnly = false;
        FdoStringP spatialContext;
    };
    Values m_v;
    std::unique_ptr<Values> m_saved;
};

typedef FdoPtr<FdoGeometricPropertyDefinition> FdoGeometricPropertyP;
