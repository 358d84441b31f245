// FdoFeatureClass: a class with a main geometry.
#include <Fdo/Schema/ClassDefinition.h>

FdoFeatureClass* FdoFeatureClass::Create() { return new FdoFeatureClass(nullptr, nullptr); }

FdoFeatureClass* FdoFeatureClass::Create(FdoString* name, FdoString* description) {
    return new FdoFeatureClass(name, description);
}

void FdoFeatureClass::SetGeometryProperty(FdoGeometricPropertyDefinition* value) {
    if (value == m_geometry.p) return;
    if (value && !HasPropertyInChain(value))
        throw FdoSchemaException::Create(FdoStringP::Format(
            L"Geometry property '%ls' is not a property of class '%ls' or of its base classes.",
            value->GetName(), GetName()));
    m_geometry = FDO_SAFE_ADDREF(value);
    SetModified();
}

void FdoFeatureClass::ChildRemoved(FdoSchemaElement* child) {
    FdoClassDefinition::ChildRemoved(child);
    if (child == static_cast<FdoSchemaElement*>(m_geometry.p)) m_geometry = nullptr;
}

void FdoFeatureClass::SaveValues() {
    FdoClassDefinition::SaveValues();
    m_savedGeometry = m_geometry;
}

void FdoFeatureClass::RestoreValues() {
    FdoClassDefinition::RestoreValues();
    if (HasSavedValues()) m_geometry = m_savedGeometry;
}
