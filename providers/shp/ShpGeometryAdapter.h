// ShpGeometryAdapter: what a shape file changes in geometries on their way
// in and out.
//
// In: FDO's Point geometric type stands for points and multipoints alike,
// so a class made with it gets a multipoint shape file, and its writers
// send single points as well. A file has one shape type, so a single point
// goes into a multipoint file as a multipoint of that one point (same
// ordinates, Z and M kept); reading gives it back as that multipoint, the
// type the class declares.
//
// Out: a Z shape file may or may not carry measures, and GDAL cannot tell
// while the file has no records, so it reads a new Z file as measured (and
// keeps doing so while it stays open) with "no data" measures. A class
// whose geometry has no measure drops them, so what was written as XYZ
// reads back as XYZ.
#pragma once

#include <ogrcore/OgrClassMap.h>

namespace shp {

class ShpGeometryAdapter : public ogrcore::GeometryAdapter {
public:
    // geometry: the class's live geometric property (kept, not copied).
    static ShpGeometryAdapter* Create(FdoGeometricPropertyDefinition* geometry, bool multiPointFile) {
        return new ShpGeometryAdapter(geometry, multiPointFile);
    }

    void AfterRead(OGRGeometryH geometry) override;
    void BeforeWrite(ogrcore::GeometryPtr& geometry) override;

protected:
    ShpGeometryAdapter(FdoGeometricPropertyDefinition* geometry, bool multiPointFile)
        : m_geometry(FDO_SAFE_ADDREF(geometry)), m_multiPointFile(multiPointFile) {}

private:
    FdoPtr<FdoGeometricPropertyDefinition> m_geometry;
    bool m_multiPointFile;
};

}  // namespace shp
