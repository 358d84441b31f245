// Store: what the common commands need from a provider's connection.
//
// A provider specialises the commands through this small interface and
// the ClassMaps it builds: how classes are named and found, how their
// properties map to OGR (types, identity, geometry), which spatial
// contexts exist and whether a class may be written. The connection object
// usually implements it next to FdoIConnection.
#pragma once

#include <ogrcore/OgrClassMap.h>

namespace ogrcore {

struct SpatialContextInfo {
    FdoStringP name;
    FdoStringP description;
    FdoStringP coordinateSystem;
    FdoStringP wkt;
    FdoSpatialContextExtentType extentType = FdoSpatialContextExtentType_Dynamic;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;  // the extent
    double xyTolerance = 0.001;
    double zTolerance = 0.001;
};

class Store {
public:
    // Throws FdoConnectionException when the connection is not open.
    virtual void CheckOpen() = 0;
    // The provider's own schemas (new reference; callers copy before handing out).
    virtual FdoFeatureSchemaCollection* GetSchemas() = 0;
    // New reference; an unknown class throws FdoCommandException naming it.
    virtual ClassMap* GetClassMap(FdoIdentifier* className) = 0;
    virtual void GetSpatialContexts(std::vector<SpatialContextInfo>& contexts) = 0;
    // Throws FdoCommandException when the class cannot be written.
    virtual void CheckWritable(ClassMap* map) = 0;

protected:
    virtual ~Store() = default;
};

}  // namespace ogrcore
