// What OSGeo.SHP reports about itself: exactly the commands it implements
// and exactly the data types a shape file stores without loss.
#pragma once

#include <FdoCommon/FdoCommonCapabilities.h>

namespace shp {

FdoCommonCommandCapabilities* CommandCapabilities();
FdoISchemaCapabilities* SchemaCapabilities();
FdoIConnectionCapabilities* ConnectionCapabilities();
FdoIFilterCapabilities* FilterCapabilities();
FdoIExpressionCapabilities* ExpressionCapabilities();
FdoIGeometryCapabilities* GeometryCapabilities();

}  // namespace shp
