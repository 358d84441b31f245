// The transformation is made once per class, when the class is applied,
// and used for every row written to it.
#include "KmlGeometryAdapter.h"

#include <ogrcore/OgrError.h>

namespace kml {

OGRSpatialReferenceH NewWgs84() {
    OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
    OSRImportFromEPSG(srs, 4326);
    OSRSetAxisMappingStrategy(srs, OAMS_TRADITIONAL_GIS_ORDER);
    return srs;
}

KmlGeometryAdapter* KmlGeometryAdapter::Create(OGRSpatialReferenceH sourceSrs, bool flattenOnRead) {
    OGRCoordinateTransformationH transform = nullptr;
    if (sourceSrs) {
        OGRSpatialReferenceH wgs84 = NewWgs84();
        ogrcore::ErrorTrap trap;
        if (!OSRIsSame(sourceSrs, wgs84)) transform = OCTNewCoordinateTransformation(sourceSrs, wgs84);
        bool failed = !transform && !OSRIsSame(sourceSrs, wgs84);
        OSRRelease(wgs84);
        if (failed)
            throw FdoCommandException::Create(
                trap.Describe(L"There is no transformation from the coordinate system of the class to WGS 84"));
    }
    return new KmlGeometryAdapter(transform, flattenOnRead);
}

KmlGeometryAdapter::~KmlGeometryAdapter() {
    if (m_transform) OCTDestroyCoordinateTransformation(m_transform);
}

void KmlGeometryAdapter::AfterRead(OGRGeometryH geometry) {
    if (m_flatten) OGR_G_FlattenTo2D(geometry);
}

void KmlGeometryAdapter::BeforeWrite(ogrcore::GeometryPtr& written) {
    OGRGeometryH geometry = written.get();
    if (m_transform) {
        ogrcore::ErrorTrap trap;
        if (OGR_G_Transform(geometry, m_transform) != OGRERR_NONE)
            throw FdoCommandException::Create(
                trap.Describe(L"A geometry cannot be transformed to WGS 84 longitude/latitude for KML"));
    }
    // Projected coordinates written as they are would put the data
    // somewhere else on the globe, or nowhere; refuse them instead.
    OGREnvelope e;
    OGR_G_GetEnvelope(geometry, &e);
    if (!OGR_G_IsEmpty(geometry) && (e.MinX < -360 || e.MaxX > 360 || e.MinY < -90 || e.MaxY > 90))
        throw FdoCommandException::Create(FdoStringP::Format(
            L"A geometry at (%g, %g) cannot be written to KML, which holds WGS 84 longitude/latitude: the "
            L"class's spatial context must name the coordinate system of its data.",
            e.MinX, e.MinY));
}

}  // namespace kml
