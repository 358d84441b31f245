// KmlGeometryAdapter: KML holds WGS 84 longitude/latitude, and GDAL reads
// every KML coordinate with an altitude (0 when the file gives none).
//
// Writing transforms from the coordinate system of the class's spatial
// context to WGS 84, longitude first whatever axis order the system's
// definition states. Reading drops the altitude of classes whose geometry
// has no elevation, so a 2D class reads back as 2D.
#pragma once

#include <ogrcore/OgrClassMap.h>

#include <ogr_srs_api.h>

namespace kml {

class KmlGeometryAdapter : public ogrcore::GeometryAdapter {
public:
    // sourceSrs: the system written geometries arrive in; null or WGS 84
    // itself means no transformation. Throws FdoCommandException when PROJ
    // has no transformation to WGS 84.
    static KmlGeometryAdapter* Create(OGRSpatialReferenceH sourceSrs, bool flattenOnRead);

    void AfterRead(OGRGeometryH geometry) override;
    void BeforeWrite(ogrcore::GeometryPtr& geometry) override;
    bool Transforms() const { return m_transform != nullptr; }

protected:
    KmlGeometryAdapter(OGRCoordinateTransformationH transform, bool flattenOnRead)
        : m_transform(transform), m_flatten(flattenOnRead) {}
    ~KmlGeometryAdapter() override;

private:
    OGRCoordinateTransformationH m_transform;
    bool m_flatten;
};

// WGS 84 with longitude first (new handle; release with OSRRelease).
OGRSpatialReferenceH NewWgs84();

}  // namespace kml
