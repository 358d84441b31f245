// See ShpGeometryAdapter.h. Geometries of other types pass unchanged, so
// GDAL's own refusal of a wrong geometry type still reaches the caller.
#include "ShpGeometryAdapter.h"

namespace shp {

void ShpGeometryAdapter::AfterRead(OGRGeometryH geometry) {
    if (!m_geometry->GetHasMeasure() && OGR_G_IsMeasured(geometry)) OGR_G_SetMeasured(geometry, FALSE);
}

void ShpGeometryAdapter::BeforeWrite(ogrcore::GeometryPtr& geometry) {
    if (!m_multiPointFile || !geometry || wkbFlatten(OGR_G_GetGeometryType(geometry.get())) != wkbPoint) return;
    // Takes the point and hands back the multipoint holding it.
    geometry.reset(OGR_G_ForceToMultiPoint(geometry.release()));
}

}  // namespace shp
