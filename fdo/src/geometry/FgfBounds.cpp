// FdoFgfBounds::Compute: bounds straight from FGF bytes, for providers that
// maintain extents or answer envelope filters row by row.
#include <Fdo/Geometry/FgfBytes.h>

#include "ArcMath.h"
#include "ByteCursor.h"

using namespace fdogeom;

namespace {

class BoundsWalker {
public:
    BoundsWalker(const FdoByte* fgf, FdoInt32 count)
        : m_in(fgf, count < 0 ? 0 : static_cast<size_t>(count), L"FGF") {}

    FdoFgfBounds Run() {
        Geometry(0, 0);
        m_in.ExpectEnd();
        return m_bounds;
    }

private:
    void Load(FdoInt32 dim, double* p) {
        std::memcpy(p, m_in.Take(static_cast<size_t>(Stride(dim)) * 8), static_cast<size_t>(Stride(dim)) * 8);
    }

    void Positions(FdoInt32 dim, FdoInt32 n) {
        const size_t stride = static_cast<size_t>(Stride(dim)) * 8;
        const FdoByte* p = m_in.Take(static_cast<size_t>(n) * stride);
        const bool hasZ = dim & FdoDimensionality_Z;
        FdoFgfBounds b = m_bounds;  // a local keeps the running bounds in registers
        for (FdoInt32 i = 0; i < n; i++, p += stride) {
            double x, y, z;
            std::memcpy(&x, p, 8);
            std::memcpy(&y, p + 8, 8);
            if (x != x || y != y) continue;
            b.Add(x, y);
            if (hasZ) {
                std::memcpy(&z, p + 16, 8);
                b.AddZ(z);
            }
        }
        m_bounds = b;
    }

    // Start position, segment count, segments.
    void Curve(FdoInt32 dim) {
        double start[4], mid[4], end[4];
        Load(dim, start);
        AddPosition(m_bounds, start, dim);
        FdoInt32 n = m_in.Count(8, L"segment", 1);
        for (FdoInt32 i = 0; i < n; i++) {
            size_t at = m_in.Offset();
            FdoInt32 kind = m_in.Int32();
            if (kind == FdoGeometryComponentType_CircularArcSegment) {
                Load(dim, mid);
                Load(dim, end);
                AddArc(m_bounds, start, mid, end, dim);
            } else if (kind == FdoGeometryComponentType_LineStringSegment) {
                FdoInt32 k = m_in.Count(static_cast<size_t>(Stride(dim)) * 8, L"position", 1);
                for (FdoInt32 j = 0; j < k; j++) {
                    Load(dim, end);
                    AddPosition(m_bounds, end, dim);
                }
            } else {
                m_in.Fail(FdoStringP::Format(L"unknown curve segment type %d", kind).Str(), at);
            }
            std::memcpy(start, end, sizeof start);
        }
    }

    void Geometry(int depth, FdoInt32 expected) {
        size_t at = m_in.Offset();
        FdoInt32 type = m_in.Int32();
        if (expected > 0 && type != expected)
            m_in.Fail(FdoStringP::Format(L"a %ls part is not a %ls", FgfTypeName(type), FgfTypeName(expected)).Str(), at);
        switch (type) {
            case FdoGeometryType_Point: Positions(m_in.Dim(), 1); return;
            case FdoGeometryType_LineString: {
                FdoInt32 dim = m_in.Dim();
                Positions(dim, m_in.Count(static_cast<size_t>(Stride(dim)) * 8, L"position"));
                return;
            }
            case FdoGeometryType_Polygon: {
                FdoInt32 dim = m_in.Dim();
                FdoInt32 rings = m_in.Count(4, L"ring");
                for (FdoInt32 r = 0; r < rings; r++)
                    Positions(dim, m_in.Count(static_cast<size_t>(Stride(dim)) * 8, L"position"));
                return;
            }
            case FdoGeometryType_CurveString: Curve(m_in.Dim()); return;
            case FdoGeometryType_CurvePolygon: {
                FdoInt32 dim = m_in.Dim();
                FdoInt32 rings = m_in.Count(8, L"ring");
                for (FdoInt32 r = 0; r < rings; r++) Curve(dim);
                return;
            }
            default: break;
        }
        FdoInt32 partType = FgfPartType(type);
        if (partType < 0) m_in.Fail(FdoStringP::Format(L"unknown geometry type %d", type).Str(), at);
        if (depth >= kMaxNestingDepth) m_in.Fail(L"geometry nested too deeply", at);
        FdoInt32 parts = m_in.Count(8, L"part");
        for (FdoInt32 i = 0; i < parts; i++) Geometry(depth + 1, partType);
    }

    ByteCursor m_in;
    FdoFgfBounds m_bounds;
};

}  // namespace

FdoFgfBounds FdoFgfBounds::Compute(const FdoByte* fgf, FdoInt32 count) { return BoundsWalker(fgf, count).Run(); }
