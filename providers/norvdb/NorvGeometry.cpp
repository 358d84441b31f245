// Stored geometry values; see NorvGeometry.h.
#include "NorvGeometry.h"

#include <cstring>

namespace norvdb {

namespace {
constexpr unsigned char kMagic[3] = {'N', 'G', '1'};
}

std::vector<unsigned char> NorvGeometry::Encode(const FdoByte* fgf, FdoInt32 count, std::optional<int32_t> srid) {
    std::vector<unsigned char> out(kHeaderSize + static_cast<size_t>(count));
    std::memcpy(out.data(), kMagic, 3);
    out[3] = srid ? 1 : 0;
    uint32_t s = static_cast<uint32_t>(srid.value_or(0));
    for (int i = 0; i < 4; i++) out[4 + static_cast<size_t>(i)] = static_cast<unsigned char>(s >> (8 * i));
    if (count > 0) std::memcpy(out.data() + kHeaderSize, fgf, static_cast<size_t>(count));
    return out;
}

bool NorvGeometry::Decode(const void* blob, int size, GeometryView& out) {
    if (!blob || size < static_cast<int>(kHeaderSize)) return false;
    auto* b = static_cast<const unsigned char*>(blob);
    if (std::memcmp(b, kMagic, 3) != 0 || b[3] > 1) return false;
    uint32_t s = 0;
    for (int i = 0; i < 4; i++) s |= static_cast<uint32_t>(b[4 + i]) << (8 * i);
    out.srid = b[3] ? std::optional<int32_t>(static_cast<int32_t>(s)) : std::nullopt;
    out.fgf = b + kHeaderSize;
    out.count = size - static_cast<int>(kHeaderSize);
    return true;
}

int32_t NorvGeometry::OracleGType(const FdoByte* fgf, FdoInt32 count) {
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> g = factory->CreateGeometryFromFgf(fgf, count);
    int dims = 2;
    FdoInt32 d = g->GetDimensionality();
    if (d & FdoDimensionality_Z) dims++;
    if (d & FdoDimensionality_M) dims++;
    int kind = 4;
    switch (g->GetDerivedType()) {
        case FdoGeometryType_Point: kind = 1; break;
        case FdoGeometryType_LineString:
        case FdoGeometryType_CurveString: kind = 2; break;
        case FdoGeometryType_Polygon:
        case FdoGeometryType_CurvePolygon: kind = 3; break;
        case FdoGeometryType_MultiPoint: kind = 5; break;
        case FdoGeometryType_MultiLineString:
        case FdoGeometryType_MultiCurveString: kind = 6; break;
        case FdoGeometryType_MultiPolygon:
        case FdoGeometryType_MultiCurvePolygon: kind = 7; break;
        default: break;
    }
    return dims * 1000 + kind;
}

}  // namespace norvdb
