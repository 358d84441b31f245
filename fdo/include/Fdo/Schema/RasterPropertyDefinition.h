// FdoRasterPropertyDefinition: an image-valued property. Only the fields
// that schema files carry are modelled.
#pragma once

#include <Fdo/Schema/PropertyDefinition.h>

class FDO_API FdoRasterPropertyDefinition : public FdoPropertyDefinition {
public:
    static FdoRasterPropertyDefinition* Create();
    static FdoRasterPropertyDefinition* Create(FdoString* name, FdoString* description,
                                               bool system = false);

    FdoPropertyType GetPropertyType() override { return FdoPropertyType_RasterProperty; }

    bool GetNullable() { return m_v.nullable; }
    void SetNullable(bool value);
    bool GetReadOnly() { return m_v.readOnly; }
    void SetReadOnly(bool value);
    // Size in pixels of images shown without a requested size; 0 = not set.
    FdoInt32 GetDefaultImageXSize() { return m_v.xSize; }
    void SetDefaultImageXSize(FdoInt32 value);
    FdoInt32 GetDefaultImageYSize() { return m_v.ySize; }
    void SetDefaultImageYSize(FdoInt32 value);
    FdoString* GetSpatialContextAssociation() { return m_v.spatialContext; }
    void SetSpatialContextAssociation(FdoString* value);

protected:
    FdoRasterPropertyDefinition(FdoString* name, FdoString* description, bool system);

    void SaveValues() override;
    void RestoreValues() override;

private:
    struct Values {
        bool nullable = true;
        bool readOnly = false;
        FdoInt32 xSize = 0;
        FdoInt32 ySize = 0;
        FdoStringP spatialContext;
    };
    Values m_v;
    std::unique_ptr<Values> m_saved;
};
