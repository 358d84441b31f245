// The geometry type a new layer declares for a class.
//
// A class whose geometry is of one kind (points, lines or polygons, single
// or multi) gets a layer of that kind, so that readers of the file (the
// shape file provider among them) see what it holds rather than a generic
// geometry. A class that takes both the single and the multi form gets the
// multi layer type, and its single geometries are written as multi
// geometries of one part: some drivers (PostGIS) refuse a single polygon in
// a multipolygon column. Classes of several kinds keep a generic layer.
#pragma once

#include <ogrcore/OgrClassMap.h>

namespace ogrprovider {

// The layer type for the geometric property (wkbNone for null).
OGRwkbGeometryType DeclaredLayerType(FdoGeometricPropertyDefinition* geometry);

// The adapter that writes single geometries into a multi layer, or null
// when the layer type takes them as they are.
ogrcore::GeometryAdapter* MultiPartAdapterFor(OGRwkbGeometryType layerType);

}  // namespace ogrprovider
