// FdoEnvelopeImpl: bounds with NaN for what is not known, so that an empty
// envelope and an XY envelope need no flags of their own.
#include <Fdo/Geometry/Envelope.h>

#include <cmath>
#include <limits>

static constexpr FdoDouble kNaN = std::numeric_limits<FdoDouble>::quiet_NaN();

FdoEnvelopeImpl::FdoEnvelopeImpl() {
    for (auto& v : m_ord) v = kNaN;
}

FdoEnvelopeImpl* FdoEnvelopeImpl::Create() { return new FdoEnvelopeImpl(); }

FdoEnvelopeImpl* FdoEnvelopeImpl::Create(FdoDouble minX, FdoDouble minY, FdoDouble maxX, FdoDouble maxY) {
    return Create(minX, minY, kNaN, maxX, maxY, kNaN);
}

FdoEnvelopeImpl* FdoEnvelopeImpl::Create(FdoDouble minX, FdoDouble minY, FdoDouble minZ, FdoDouble maxX,
                                         FdoDouble maxY, FdoDouble maxZ) {
    FdoEnvelopeImpl* e = new FdoEnvelopeImpl();
    const FdoDouble v[6] = {minX, minY, minZ, maxX, maxY, maxZ};
    for (int i = 0; i < 6; i++) e->m_ord[i] = v[i];
    return e;
}

FdoEnvelopeImpl* FdoEnvelopeImpl::Create(const FdoIEnvelope* env) {
    if (!env) throw FdoException::Create(L"Cannot copy a null envelope.");
    return Create(env->GetMinX(), env->GetMinY(), env->GetMinZ(), env->GetMaxX(), env->GetMaxY(), env->GetMaxZ());
}

FdoBoolean FdoEnvelopeImpl::GetIsEmpty() const {
    for (int i : {0, 1, 3, 4})
        if (std::isnan(m_ord[i])) return true;
    return false;
}

void FdoEnvelopeImpl::Expand(FdoDouble x, FdoDouble y) {
    if (std::isnan(x) || std::isnan(y)) return;
    if (GetIsEmpty()) {
        m_ord[0] = m_ord[3] = x;
        m_ord[1] = m_ord[4] = y;
        return;
    }
    m_ord[0] = std::fmin(m_ord[0], x);
    m_ord[1] = std::fmin(m_ord[1], y);
    m_ord[3] = std::fmax(m_ord[3], x);
    m_ord[4] = std::fmax(m_ord[4], y);
}

void FdoEnvelopeImpl::Expand(FdoDouble x, FdoDouble y, FdoDouble z) {
    if (std::isnan(x) || std::isnan(y)) return;
    Expand(x, y);
    if (std::isnan(z)) return;
    m_ord[2] = std::isnan(m_ord[2]) ? z : std::fmin(m_ord[2], z);
    m_ord[5] = std::isnan(m_ord[5]) ? z : std::fmax(m_ord[5], z);
}

void FdoEnvelopeImpl::Expand(const FdoIDirectPosition* p) {
    if (!p) return;
    Expand(p->GetX(), p->GetY(), (p->GetDimensionality() & FdoDimensionality_Z) ? p->GetZ() : kNaN);
}

void FdoEnvelopeImpl::Expand(const FdoIEnvelope* env) {
    if (!env || env->GetIsEmpty()) return;
    Expand(env->GetMinX(), env->GetMinY(), env->GetMinZ());
    Expand(env->GetMaxX(), env->GetMaxY(), env->GetMaxZ());
}
