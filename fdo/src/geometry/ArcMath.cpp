// Bounds of positions and circular arcs.
//
// An arc's box is not the box of its three control points: a half circle
// bulges past them. The circle is computed relative to the start point to
// keep the arithmetic well conditioned for map coordinates.
#include "ArcMath.h"

#include <cmath>
#include <numbers>
#include <utility>

namespace fdogeom {

void AddPosition(FdoFgfBounds& b, const FdoDouble* p, FdoInt32 dim) {
    if (std::isnan(p[0]) || std::isnan(p[1])) return;
    b.Add(p[0], p[1]);
    if (dim & FdoDimensionality_Z) b.AddZ(p[2]);
}

static double NormalizeAngle(double a) {
    constexpr double kTwoPi = 2 * std::numbers::pi;
    a = std::fmod(a, kTwoPi);
    return a < 0 ? a + kTwoPi : a;
}

void AddArc(FdoFgfBounds& b, const FdoDouble* start, const FdoDouble* mid, const FdoDouble* end,
            FdoInt32 dim) {
    AddPosition(b, start, dim);
    AddPosition(b, mid, dim);
    AddPosition(b, end, dim);

    const double ox = start[0], oy = start[1];
    const double bx = mid[0] - ox, by = mid[1] - oy;
    const double cx = end[0] - ox, cy = end[1] - oy;
    double ux, uy;
    bool fullCircle = cx == 0 && cy == 0;
    if (fullCircle) {
        ux = bx / 2;
        uy = by / 2;
    } else {
        double d = 2 * (bx * cy - by * cx);
        if (d == 0 || !std::isfinite(d)) return;
        double b2 = bx * bx + by * by, c2 = cx * cx + cy * cy;
        ux = (cy * b2 - by * c2) / d;
        uy = (bx * c2 - cx * b2) / d;
    }
    double r = std::hypot(ux, uy);
    if (!std::isfinite(r) || r == 0) return;

    double a1 = std::atan2(-uy, -ux);
    double a3 = std::atan2(cy - uy, cx - ux);
    if (bx * cy - by * cx < 0) std::swap(a1, a3);  // clockwise: walk it backwards
    double sweep = NormalizeAngle(a3 - a1);
    const double extremes[4][2] = {{r, 0}, {0, r}, {-r, 0}, {0, -r}};
    for (int k = 0; k < 4; k++) {
        double theta = k * std::numbers::pi / 2;
        if (fullCircle || NormalizeAngle(theta - a1) <= sweep)
            b.Add(ox + ux + extremes[k][0], oy + uy + extremes[k][1]);
    }
}

}  // namespace fdogeom
