// What a whole-data-source connection reports about itself. The data
// types are those the driver creates fields for (its GDAL creation
// metadata), so the engine's type casting sees what the driver really
// keeps; filters and expressions are those of the common evaluator.
#pragma once

#include <FdoCommon/FdoCommonCapabilities.h>

#include <string>
#include <vector>

namespace ogrprovider {

// driver: GDAL short name ("" when not known yet: the types every
// field-creating driver keeps).
FdoISchemaCapabilities* SchemaCapabilities(const std::string& driver);
// The FDO types the driver's fields keep without loss.
std::vector<FdoDataType> DriverDataTypes(const std::string& driver);
FdoIConnectionCapabilities* ConnectionCapabilities(bool write);
FdoIFilterCapabilities* FilterCapabilities();
FdoIExpressionCapabilities* ExpressionCapabilities();
FdoIGeometryCapabilities* GeometryCapabilities();

}  // namespace ogrprovider
