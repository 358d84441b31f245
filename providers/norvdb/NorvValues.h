// NorvValues: FDO values to the store's SQL values and back. DateTime
// values are kept as ISO 8601 text (the SDF provider's form, shared), and
// geometries as NorvGeometry blobs carrying the SRID of their column.
#pragma once

#include "NorvDatabase.h"

#include <Fdo.h>

#include <optional>

namespace norvdb {

struct NorvValues {
    // A literal (data or geometry value) for binding. srid applies to
    // geometry values. Throws FdoCommandException for a kind it cannot bind.
    static SqlValue FromLiteral(FdoLiteralValue* value, std::optional<int32_t> srid, FdoString* what);
};

}  // namespace norvdb
