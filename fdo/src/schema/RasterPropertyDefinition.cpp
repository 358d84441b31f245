// FdoRasterPropertyDefinition: plain fields with change tracking.
#include <Fdo/Schema/RasterPropertyDefinition.h>

FdoRasterPropertyDefinition* FdoRasterPropertyDefinition::Create() {
    return new FdoRasterPropertyDefinition(nullptr, nullptr, false);
}

FdoRasterPropertyDefinition* FdoRasterPropertyDefinition::Create(FdoString* name, FdoString* description,
                                                                 bool system) {
    return new FdoRasterPropertyDefinition(name, description, system);
}

FdoRasterPropertyDefinition::FdoRasterPropertyDefinition(FdoString* name, FdoString* description, bool system)
    : FdoPropertyDefinition(name, description, system) {}

void FdoRasterPropertyDefinition::SetNullable(bool value) {
    if (m_v.nullable == value) return;
    m_v.nullable = value;
    SetModified();
}

void FdoRasterPropertyDefinition::SetReadOnly(bool value) {
    if (m_v.readOnly == value) return;
    m_v.readOnly = value;
    SetModified();
}

void FdoRasterPropertyDefinition::SetDefaultImageXSize(FdoInt32 value) {
    if (m_v.xSize == value) return;
    m_v.xSize = value;
    SetModified();
}

void FdoRasterPropertyDefinition::SetDefaultImageYSize(FdoInt32 value) {
    if (m_v.ySize == value) return;
    m_v.ySize = value;
    SetModified();
}

void FdoRasterPropertyDefinition::SetSpatialContextAssociation(FdoString* value) {
    if (m_v.spatialContext == value) return;
    m_v.spatialContext = value;
    SetModified();
}

void FdoRasterPropertyDefinition::SaveValues() {
    FdoPropertyDefinition::SaveValues();
    m_saved = std::make_unique<Values>(m_v);
}

void FdoRasterPropertyDefinition::RestoreValues() {
    FdoPropertyDefinition::RestoreValues();
    if (m_saved) m_v = *m_saved;
}
