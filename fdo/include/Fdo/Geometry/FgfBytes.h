// Byte-level geometry helpers for providers.
//
// A provider converts one geometry per row, for millions of rows, so these
// work straight on the bytes: no geometry objects, no reference counting,
// and the output vector is reused by the caller. They check the input as
// strictly as the factory does and raise FdoException on bad bytes.
#pragma once

#include <Fdo/Common/Exception.h>

#include <limits>
#include <vector>

class FDO_API FdoFgfWkb {
public:
    // Replaces the contents of wkb with the OGC WKB (little-endian, ISO codes)
    // of the FGF geometry.
    static void FgfToWkb(const FdoByte* fgf, FdoInt32 count, std::vector<FdoByte>& wkb);
    // Replaces the contents of fgf with the FGF of the WKB geometry (either
    // byte order, ISO or flag-style Z/M codes, optional SRID prefix).
    static void WkbToFgf(const FdoByte* wkb, FdoInt32 count, std::vector<FdoByte>& fgf);
};

// Bounds of an FGF geometry. Unknown bounds are NaN: all of them for a
// geometry without positions, the Z pair for data without Z. Arcs count
// with their true extent, not just their three control points.
struct FDO_API FdoFgfBounds {
    static constexpr FdoDouble kNaN = std::numeric_limits<FdoDouble>::quiet_NaN();
    FdoDouble minX = kNaN, minY = kNaN, minZ = kNaN;
    FdoDouble maxX = kNaN, maxY = kNaN, maxZ = kNaN;

    bool IsEmpty() const { return minX != minX; }
    // NaN input is ignored. Inline: these run once per position.
    void Add(FdoDouble x, FdoDouble y) {
        if (x != x || y != y) return;
        if (IsEmpty()) {
            minX = maxX = x;
            minY = maxY = y;
            return;
        }
        minX = x < minX ? x : minX;
        maxX = x > maxX ? x : maxX;
        minY = y < minY ? y : minY;
        maxY = y > maxY ? y : maxY;
    }
    void AddZ(FdoDouble z) {
        if (z != z) return;
        if (minZ != minZ || z < minZ) minZ = z;
        if (maxZ != maxZ || z > maxZ) maxZ = z;
    }

    static FdoFgfBounds Compute(const FdoByte* fgf, FdoInt32 count);
};
