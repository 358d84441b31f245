// FdoGeometricPropertyDefinition: keeps the geometric-type mask and the
// specific geometry list in step.
#include <Fdo/Schema/GeometricPropertyDefinition.h>

#include <algorithm>

namespace {
// The mask bit of each specific type; MultiGeometry may hold any of the three.
FdoInt32 MaskOf(FdoGeometryType type) {
    switch (type) {
        case FdoGeometryType_Point:
        case FdoGeometryType_MultiPoint: return FdoGeometricType_Point;
        case FdoGeometryType_LineString:
        case FdoGeometryType_MultiLineString:
        case FdoGeometryType_CurveString:
        case FdoGeometryType_MultiCurveString: return FdoGeometricType_Curve;
        case FdoGeometryType_Polygon:
        case FdoGeometryType_MultiPolygon:
        case FdoGeometryType_CurvePolygon:
        case FdoGeometryType_MultiCurvePolygon: return FdoGeometricType_Surface;
        case FdoGeometryType_MultiGeometry:
            return FdoGeometricType_Point | FdoGeometricType_Curve | FdoGeometricType_Surface;
        case FdoGeometryType_None: return 0;
    }
    return -1;
}

std::vector<FdoGeometryType> SpecificTypesOf(FdoInt32 mask) {
    static const FdoGeometryType kAll[] = {
        FdoGeometryType_Point,           FdoGeometryType_LineString,       FdoGeometryType_Polygon,
        FdoGeometryType_MultiPoint,      FdoGeometryType_MultiLineString,  FdoGeometryType_MultiPolygon,
        FdoGeometryType_CurveString,     FdoGeometryType_CurvePolygon,     FdoGeometryType_MultiCurveString,
        FdoGeometryType_MultiCurvePolygon};
    std::vector<FdoGeometryType> types;
    for (FdoGeometryType t : kAll)
        if (MaskOf(t) & mask) types.push_back(t);
    return types;
}
}  // namespace

FdoGeometricPropertyDefinition* FdoGeometricPropertyDefinition::Create() {
    return new FdoGeometricPropertyDefinition(nullptr, nullptr, false);
}

FdoGeometricPropertyDefinition* FdoGeometricPropertyDefinition::Create(FdoString* name,
                                                                       FdoString* description, bool system) {
    return new FdoGeometricPropertyDefinition(name, description, system);
}

FdoGeometricPropertyDefinition::FdoGeometricPropertyDefinition(FdoString* name, FdoString* description,
                                                               bool system)
    : FdoPropertyDefinition(name, description, system) {
    m_v.specific = SpecificTypesOf(m_v.mask);
}

// Setting the mask always rebuilds the specific types from it, even when the
// mask is unchanged: a property narrowed to {Point} by specific types has the
// Point mask too, and setting Point again widens it to Point and MultiPoint.
void FdoGeometricPropertyDefinition::SetGeometryTypes(FdoInt32 value) {
    std::vector<FdoGeometryType> specific = SpecificTypesOf(value);
    if (m_v.mask == value && m_v.specific == specific) return;
    m_v.mask = value;
    m_v.specific = std::move(specific);
    SetModified();
}

FdoGeometryType* FdoGeometricPropertyDefinition::GetSpecificGeometryTypes(FdoInt32& length) {
    length = static_cast<FdoInt32>(m_v.specific.size());
    return m_v.specific.empty() ? nullptr : m_v.specific.data();
}

void FdoGeometricPropertyDefinition::SetSpecificGeometryTypes(const FdoGeometryType* types, FdoInt32 length) {
    std::vector<FdoGeometryType> specific;
    FdoInt32 mask = 0;
    for (FdoInt32 i = 0; types && i < length; i++) {
        FdoInt32 bits = MaskOf(types[i]);
        if (bits < 0)
            throw FdoSchemaException::Create(FdoStringP::Format(
                L"Invalid geometry type %d for geometric property '%ls'.", static_cast<int>(types[i]), GetName()));
        if (types[i] == FdoGeometryType_None) continue;
        mask |= bits;
        if (std::find(specific.begin(), specific.end(), types[i]) == specific.end()) specific.push_back(types[i]);
    }
    std::sort(specific.begin(), specific.end());
    if (mask == m_v.mask && specific == m_v.specific) return;
    m_v.mask = mask;
    m_v.specific = specific;
    SetModified();
}

void FdoGeometricPropertyDefinition::SetHasElevation(bool value) {
    if (m_v.hasElevation == value) return;
    m_v.hasElevation = value;
    SetModified();
}

void FdoGeometricPropertyDefinition::SetHasMeasure(bool value) {
    if (m_v.hasMeasure == value) return;
    m_v.hasMeasure = value;
    SetModified();
}

void FdoGeometricPropertyDefinition::SetReadOnly(bool value) {
    if (m_v.readOnly == value) return;
    m_v.readOnly = value;
    SetModified();
}

void FdoGeometricPropertyDefinition::SetSpatialContextAssociation(FdoString* value) {
    if (m_v.spatialContext == value) return;
    m_v.spatialContext = value;
    SetModified();
}

void FdoGeometricPropertyDefinition::SaveValues() {
    FdoPropertyDefinition::SaveValues();
    m_saved = std::make_unique<Values>(m_v);
}

void FdoGeometricPropertyDefinition::RestoreValues() {
    FdoPropertyDefinition::RestoreValues();
    if (m_saved) m_v = *m_saved;
}
