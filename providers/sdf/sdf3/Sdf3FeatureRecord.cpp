// See Sdf3FeatureRecord.h.
#include "Sdf3FeatureRecord.h"

#include "Sdf3Error.h"
#include "Sdf3Text.h"

#include <cstring>

namespace sdf3 {

int FeatureRecord::ClassId(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < 2) return -1;
    return bytes[0] | (bytes[1] << 8);
}

void FeatureRecord::Parse(const std::vector<uint8_t>* bytes, size_t count, int64_t record, const std::wstring& file,
                          const std::wstring& className) {
    m_bytes = bytes;
    size_t size = bytes->size();
    size_t header = 2 + 4 * count;
    if (size < header)
        Failf(file, L"record %lld of class '%ls' is %zu bytes long, too short for its %zu offsets",
              static_cast<long long>(record), className.c_str(), size, count);
    m_offsets.resize(count);
    m_sizes.resize(count);
    for (size_t i = 0; i < count; i++) {
        uint32_t v;
        std::memcpy(&v, bytes->data() + 2 + 4 * i, 4);
        m_offsets[i] = v;
    }
    for (size_t i = 0; i < count; i++) {
        size_t end = i + 1 < count ? m_offsets[i + 1] : size;
        if (m_offsets[i] < header || m_offsets[i] > end || end > size)
            Failf(file, L"record %lld of class '%ls' places value %zu of %zu at bytes %u to %zu, out of place in its %zu bytes",
                  static_cast<long long>(record), className.c_str(), i + 1, count, m_offsets[i], end, size);
        m_sizes[i] = static_cast<uint32_t>(end - m_offsets[i]);
    }
}

bool DecodeDateTime(const uint8_t* p, size_t n, FdoDateTime& out) {
    if (n != 10) return false;
    std::memcpy(&out.year, p, 2);
    out.month = static_cast<FdoInt8>(p[2]);
    out.day = static_cast<FdoInt8>(p[3]);
    out.hour = static_cast<FdoInt8>(p[4]);
    out.minute = static_cast<FdoInt8>(p[5]);
    std::memcpy(&out.seconds, p + 6, 4);
    return true;
}

bool DecodeString(const uint8_t* p, size_t n, std::wstring& out) {
    if (n == 0 || p[n - 1] != 0) return false;
    out = DecodeText(p, n - 1);
    return true;
}

namespace {

// Walks FGF by its structure; every read is checked against the end.
class FgfWalker {
public:
    FgfWalker(const uint8_t* p, size_t n) : m_p(p), m_n(n) {}
    bool Geometry(int depth) {
        int32_t type;
        if (!Int(type)) return false;
        switch (type) {
            case FdoGeometryType_Point: return Dim() && Positions(1);
            case FdoGeometryType_LineString: return Dim() && CountedPositions();
            case FdoGeometryType_Polygon: return Dim() && Rings(false);
            case FdoGeometryType_CurveString: return Dim() && Curve();
            case FdoGeometryType_CurvePolygon: return Dim() && Rings(true);
            case FdoGeometryType_MultiPoint: case FdoGeometryType_MultiLineString:
            case FdoGeometryType_MultiPolygon: case FdoGeometryType_MultiGeometry:
            case FdoGeometryType_MultiCurveString: case FdoGeometryType_MultiCurvePolygon: {
                int32_t count;
                if (depth > 0 || !Int(count) || count < 0 || static_cast<size_t>(count) > Left() / 4) return false;
                for (int32_t i = 0; i < count; i++)
                    if (!Geometry(depth + 1)) return false;
                return true;
            }
            default: return false;
        }
    }
    size_t Used() const { return m_at; }

private:
    size_t Left() const { return m_n - m_at; }
    bool Int(int32_t& v) {
        if (Left() < 4) return false;
        std::memcpy(&v, m_p + m_at, 4);
        m_at += 4;
        return true;
    }
    bool Dim() {
        int32_t dim;
        if (!Int(dim) || dim < 0 || dim > 3) return false;
        m_stride = 16 + ((dim & 1) ? 8 : 0) + ((dim & 2) ? 8 : 0);
        return true;
    }
    bool Positions(size_t count) {
        if (count > Left() / m_stride) return false;
        m_at += count * m_stride;
        return true;
    }
    bool CountedPositions() {
        int32_t count;
        return Int(count) && count >= 0 && Positions(static_cast<size_t>(count));
    }
    bool Curve() {
        int32_t segments;
        if (!Positions(1) || !Int(segments) || segments < 0 || static_cast<size_t>(segments) > Left() / 4) return false;
        for (int32_t i = 0; i < segments; i++) {
            int32_t kind;
            if (!Int(kind)) return false;
            if (kind == FdoGeometryComponentType_CircularArcSegment) {
                if (!Positions(2)) return false;
            } else if (kind != FdoGeometryComponentType_LineStringSegment || !CountedPositions()) {
                return false;
            }
        }
        return true;
    }
    bool Rings(bool curved) {
        int32_t rings;
        if (!Int(rings) || rings < 0 || static_cast<size_t>(rings) > Left() / 4) return false;
        for (int32_t i = 0; i < rings; i++)
            if (!(curved ? Curve() : CountedPositions())) return false;
        return true;
    }

    const uint8_t* m_p;
    size_t m_n;
    size_t m_at = 0;
    size_t m_stride = 16;
};

}  // namespace

size_t FgfLength(const uint8_t* p, size_t n) {
    FgfWalker walker(p, n);
    return walker.Geometry(0) ? walker.Used() : 0;
}

}  // namespace sdf3
