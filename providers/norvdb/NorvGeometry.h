// NorvGeometry: how a geometry column value is stored — the FGF bytes of
// the geometry behind an 8-byte header that carries its SRID, the way a
// database geometry type carries one. Blobs without the header are not
// geometries of this store and are refused where a geometry is expected.
#pragma once

#include <Fdo.h>

#include <cstdint>
#include <optional>
#include <vector>

namespace norvdb {

struct GeometryView {
    const FdoByte* fgf = nullptr;
    FdoInt32 count = 0;
    std::optional<int32_t> srid;
};

class NorvGeometry {
public:
    static constexpr size_t kHeaderSize = 8;

    static std::vector<unsigned char> Encode(const FdoByte* fgf, FdoInt32 count, std::optional<int32_t> srid);
    // False when the bytes are not a stored geometry.
    static bool Decode(const void* blob, int size, GeometryView& out);
    // An Oracle SDO_GTYPE for the geometry: dimensions * 1000 + kind
    // (1 point, 2 line, 3 polygon, 4 collection, 5 multipoint, 6 multiline,
    // 7 multipolygon). Throws FdoException on bad FGF.
    static int32_t OracleGType(const FdoByte* fgf, FdoInt32 count);
};

}  // namespace norvdb
