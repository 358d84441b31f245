// One listed Oracle spatial index.
#include <GeoxferApi/SpatialIndexData.h>

c_SpatialIndexData::c_SpatialIndexData() = default;
c_SpatialIndexData::~c_SpatialIndexData() = default;
void c_SpatialIndexData::Dispose() { delete this; }
