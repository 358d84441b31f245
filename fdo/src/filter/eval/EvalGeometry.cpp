// Spatial predicates: "p OP g" relates the property's geometry (A) to the
// literal (B). Both bounding boxes are compared first, which settles most
// rows without GEOS: boxes apart means Disjoint and nothing else.
// ENVELOPEINTERSECTS is decided by the boxes alone. INSIDE means A lies in
// the interior of B (DE-9IM "TFF*FF***"); the others are the OGC
// predicates, asked of the prepared literal (Contains(A,B) = Within(B,A)).
// Geometries with arcs are not read by this GEOS version and give an
// FdoFilterException (EnvelopeIntersects still works on them).
#include "filter/eval/EvalGeometry.h"

#include <Fdo/Geometry/FgfBytes.h>

#include <cmath>

namespace FdoFilterEval {

GeosContext::GeosContext() : m_handle(GEOS_init_r()), m_reader(nullptr) {
    GEOSContext_setErrorMessageHandler_r(m_handle, &GeosContext::OnError, this);
    m_reader = GEOSWKBReader_create_r(m_handle);
}

GeosContext::~GeosContext() {
    if (m_reader) GEOSWKBReader_destroy_r(m_handle, m_reader);
    GEOS_finish_r(m_handle);
}

void GeosContext::OnError(const char* message, void* self) {
    static_cast<GeosContext*>(self)->m_message = message ? message : "";
}

void GeosContext::Fail(const std::wstring& what) {
    FdoStringP message(m_message.c_str());
    m_message.clear();
    throw FdoFilterException::Create(
        FdoStringP::Format(L"%ls: %ls", what.c_str(), message.IsEmpty() ? L"geometry operation failed" : (FdoString*)message));
}

GEOSGeometry* GeosContext::Read(const FdoByte* fgf, FdoInt32 count, const std::wstring& what) {
    try {
        FdoFgfWkb::FgfToWkb(fgf, count, m_wkb);
    } catch (FdoException* e) {
        FdoPtr<FdoException> cause(e);
        throw FdoFilterException::Create(FdoStringP::Format(L"%ls: invalid geometry.", what.c_str()), cause);
    }
    GEOSGeometry* g = GEOSWKBReader_read_r(m_handle, m_reader, m_wkb.data(), m_wkb.size());
    if (!g) Fail(what);
    return g;
}

namespace {

// A GEOS geometry destroyed with its scope.
struct Owned {
    GeosContext& geos;
    GEOSGeometry* g;
    ~Owned() {
        if (g) GEOSGeom_destroy_r(geos.Handle(), g);
    }
};

bool BoxesMeet(const FdoFgfBounds& a, const FdoFgfBounds& b) {
    // NaN (an empty geometry) fails every comparison.
    return a.minX <= b.maxX && b.minX <= a.maxX && a.minY <= b.maxY && b.minY <= a.maxY;
}

double BoxDistance(const FdoFgfBounds& a, const FdoFgfBounds& b) {
    double dx = std::fmax(0.0, std::fmax(a.minX - b.maxX, b.minX - a.maxX));
    double dy = std::fmax(0.0, std::fmax(a.minY - b.maxY, b.minY - a.maxY));
    return std::hypot(dx, dy);
}

Tri FromChar(GeosContext& geos, char r, const std::wstring& what) {
    if (r == 2) geos.Fail(what);
    return r ? Tri::True : Tri::False;
}

// What both kinds of geometric condition share: the literal, prepared once,
// and reading the row's geometry.
class Geometric : public FilterNode {
protected:
    Geometric(GeosContext& geos, ExprPtr property, FdoByteArray* literal, std::wstring text, bool needsGeos)
        : m_geos(geos), m_property(std::move(property)), m_text(std::move(text)) {
        m_bounds = FdoFgfBounds::Compute(literal->GetData(), literal->GetCount());
        if (!needsGeos) return;
        m_literal = geos.Read(literal->GetData(), literal->GetCount(), m_text);
        m_prepared = GEOSPrepare_r(geos.Handle(), m_literal);
        if (!m_prepared) {
            GEOSGeom_destroy_r(geos.Handle(), m_literal);
            geos.Fail(m_text);
        }
    }

    ~Geometric() override {
        if (m_prepared) GEOSPreparedGeom_destroy_r(m_geos.Handle(), m_prepared);
        if (m_literal) GEOSGeom_destroy_r(m_geos.Handle(), m_literal);
    }

    // False when the row's value is null.
    bool ReadRow(Row& row) {
        m_property->Eval(row, m_value);
        if (m_value.IsNull()) return false;
        if (m_value.kind != Kind::Geometry)
            throw FdoFilterException::Create(FdoStringP::Format(
                L"A %ls value cannot be used as a geometry in '%ls'.", KindName(m_value.kind), m_text.c_str()));
        m_rowBounds = FdoFgfBounds::Compute(m_value.bytes, m_value.count);
        return true;
    }

    GEOSGeometry* RowGeometry() { return m_geos.Read(m_value.bytes, m_value.count, m_text); }

    GeosContext& m_geos;
    ExprPtr m_property;
    std::wstring m_text;
    GEOSGeometry* m_literal = nullptr;
    const GEOSPreparedGeometry* m_prepared = nullptr;
    FdoFgfBounds m_bounds, m_rowBounds;
    Value m_value;
};

class Spatial : public Geometric {
public:
    Spatial(GeosContext& geos, ExprPtr p, FdoSpatialOperations op, FdoByteArray* literal, std::wstring text)
        : Geometric(geos, std::move(p), literal, std::move(text), op != FdoSpatialOperations_EnvelopeIntersects),
          m_op(op) {}

    Tri Eval(Row& row) override {
        if (!ReadRow(row)) return Tri::Unknown;
        bool meet = BoxesMeet(m_rowBounds, m_bounds);
        if (m_op == FdoSpatialOperations_EnvelopeIntersects) return meet ? Tri::True : Tri::False;
        if (!meet) return m_op == FdoSpatialOperations_Disjoint ? Tri::True : Tri::False;
        Owned a{m_geos, RowGeometry()};
        GEOSContextHandle_t h = m_geos.Handle();
        switch (m_op) {
            case FdoSpatialOperations_Contains: return FromChar(m_geos, GEOSPreparedWithin_r(h, m_prepared, a.g), m_text);
            case FdoSpatialOperations_Within: return FromChar(m_geos, GEOSPreparedContains_r(h, m_prepared, a.g), m_text);
            case FdoSpatialOperations_CoveredBy: return FromChar(m_geos, GEOSPreparedCovers_r(h, m_prepared, a.g), m_text);
            case FdoSpatialOperations_Crosses: return FromChar(m_geos, GEOSPreparedCrosses_r(h, m_prepared, a.g), m_text);
            case FdoSpatialOperations_Disjoint: return FromChar(m_geos, GEOSPreparedDisjoint_r(h, m_prepared, a.g), m_text);
            case FdoSpatialOperations_Intersects:
                return FromChar(m_geos, GEOSPreparedIntersects_r(h, m_prepared, a.g), m_text);
            case FdoSpatialOperations_Overlaps: return FromChar(m_geos, GEOSPreparedOverlaps_r(h, m_prepared, a.g), m_text);
            case FdoSpatialOperations_Touches: return FromChar(m_geos, GEOSPreparedTouches_r(h, m_prepared, a.g), m_text);
            case FdoSpatialOperations_Equals: return FromChar(m_geos, GEOSEquals_r(h, a.g, m_literal), m_text);
            case FdoSpatialOperations_Inside:
                return FromChar(m_geos, GEOSRelatePattern_r(h, a.g, m_literal, "TFF*FF***"), m_text);
            case FdoSpatialOperations_EnvelopeIntersects: break;
        }
        return Tri::Unknown;
    }

private:
    FdoSpatialOperations m_op;
};

class Distance : public Geometric {
public:
    Distance(GeosContext& geos, ExprPtr p, FdoDistanceOperations op, FdoByteArray* literal, double distance,
             std::wstring text)
        : Geometric(geos, std::move(p), literal, std::move(text), true), m_op(op), m_distance(distance) {}

    Tri Eval(Row& row) override {
        if (!ReadRow(row)) return Tri::Unknown;
        // An empty geometry has no distance to anything.
        if (m_rowBounds.IsEmpty() || m_bounds.IsEmpty()) return Tri::Unknown;
        bool within;
        if (BoxDistance(m_rowBounds, m_bounds) > m_distance) {
            within = false;
        } else {
            Owned a{m_geos, RowGeometry()};
            within = FromChar(m_geos, GEOSPreparedDistanceWithin_r(m_geos.Handle(), m_prepared, a.g, m_distance),
                              m_text) == Tri::True;
        }
        return (m_op == FdoDistanceOperations_Within) == within ? Tri::True : Tri::False;
    }

private:
    FdoDistanceOperations m_op;
    double m_distance;
};

}  // namespace

FilterPtr MakeSpatial(GeosContext& geos, ExprPtr p, FdoSpatialOperations op, FdoByteArray* literal,
                      std::wstring text) {
    return std::make_unique<Spatial>(geos, std::move(p), op, literal, std::move(text));
}

FilterPtr MakeDistance(GeosContext& geos, ExprPtr p, FdoDistanceOperations op, FdoByteArray* literal,
                       double distance, std::wstring text) {
    return std::make_unique<Distance>(geos, std::move(p), op, literal, distance, std::move(text));
}

}  // namespace FdoFilterEval
