// Bounds helpers shared by the byte walkers and the geometry objects.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Geometry/FgfBytes.h>

namespace fdogeom {

// Adds one position (X Y [Z] [M] as dim says); positions with NaN X or Y
// are skipped, as are NaN Z values.
void AddPosition(FdoFgfBounds& b, const FdoDouble* p, FdoInt32 dim);

// Adds the arc from start through mid to end, including the points where the
// circle reaches its extremes inside the sweep. Start equal to end means the
// full circle through mid. Collinear points bound like a line.
void AddArc(FdoFgfBounds& b, const FdoDouble* start, const FdoDouble* mid, const FdoDouble* end,
            FdoInt32 dim);

}  // namespace fdogeom
