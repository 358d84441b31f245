// See OgrDeclaredGeometry.h.
#include <ogrcore/OgrDeclaredGeometry.h>

#include <ogrcore/OgrValues.h>

namespace ogrprovider {

namespace {

// The multi type of one kind of geometry; wkbUnknown for the others.
OGRwkbGeometryType MultiOf(FdoGeometryType type) {
    switch (type) {
        case FdoGeometryType_Point:
        case FdoGeometryType_MultiPoint: return wkbMultiPoint;
        case FdoGeometryType_LineString:
        case FdoGeometryType_MultiLineString: return wkbMultiLineString;
        case FdoGeometryType_Polygon:
        case FdoGeometryType_MultiPolygon: return wkbMultiPolygon;
        default: return wkbUnknown;
    }
}

OGRwkbGeometryType SingleOf(OGRwkbGeometryType multi) {
    switch (multi) {
        case wkbMultiPoint: return wkbPoint;
        case wkbMultiLineString: return wkbLineString;
        case wkbMultiPolygon: return wkbPolygon;
        default: return wkbUnknown;
    }
}

class MultiPartAdapter : public ogrcore::GeometryAdapter {
public:
    static MultiPartAdapter* Create(OGRwkbGeometryType multi) { return new MultiPartAdapter(multi); }
    void AfterRead(OGRGeometryH) override {}
    void BeforeWrite(ogrcore::GeometryPtr& geometry) override {
        if (!geometry || wkbFlatten(OGR_G_GetGeometryType(geometry.get())) != SingleOf(m_multi)) return;
        // Takes the single geometry and hands back the multi one holding it.
        OGRwkbGeometryType target = OGR_GT_SetModifier(m_multi, OGR_G_Is3D(geometry.get()),
                                                       OGR_G_IsMeasured(geometry.get()));
        geometry.reset(OGR_G_ForceTo(geometry.release(), target, nullptr));
    }

protected:
    explicit MultiPartAdapter(OGRwkbGeometryType multi) : m_multi(multi) {}

private:
    OGRwkbGeometryType m_multi;
};

}  // namespace

OGRwkbGeometryType DeclaredLayerType(FdoGeometricPropertyDefinition* geometry) {
    if (!geometry) return wkbNone;
    OGRwkbGeometryType single = ogrcore::LayerGeometryType(geometry, false);
    if (wkbFlatten(single) != wkbUnknown) return single;
    FdoInt32 count = 0;
    FdoGeometryType* types = geometry->GetSpecificGeometryTypes(count);
    OGRwkbGeometryType kind = count > 0 ? MultiOf(types[0]) : wkbUnknown;
    for (FdoInt32 i = 1; i < count && kind != wkbUnknown; i++)
        if (MultiOf(types[i]) != kind) kind = wkbUnknown;
    return OGR_GT_SetModifier(kind, geometry->GetHasElevation(), geometry->GetHasMeasure());
}

ogrcore::GeometryAdapter* MultiPartAdapterFor(OGRwkbGeometryType layerType) {
    OGRwkbGeometryType flat = wkbFlatten(layerType);
    if (flat != wkbMultiPoint && flat != wkbMultiLineString && flat != wkbMultiPolygon) return nullptr;
    return MultiPartAdapter::Create(flat);
}

}  // namespace ogrprovider
