// The registry's entry for a coordinate system given as bare WKT (a .prj
// text names no authority). PROJ rates every candidate; a caller takes the
// best one only when it stands alone at the top with at least the
// confidence it asks for, so that a near tie never picks a system at random.
#pragma once

#include <ogr_srs_api.h>

namespace ogrcore {

// A new reference to the best match, or null when there is none that clear.
OGRSpatialReferenceH RegistryMatch(OGRSpatialReferenceH srs, int minConfidence);

}  // namespace ogrcore
