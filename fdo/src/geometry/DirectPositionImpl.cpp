// FdoDirectPositionImpl: a position value. Z and M read as NaN unless the
// dimensionality says the position has them.
#include <Fdo/Geometry/DirectPosition.h>

#include <limits>

static constexpr FdoDouble kNaN = std::numeric_limits<FdoDouble>::quiet_NaN();

static FdoInt32 CheckedDim(FdoInt32 dim) {
    if (dim < 0 || dim > 3) throw FdoException::Create(FdoStringP::Format(L"Invalid dimensionality %d.", dim));
    return dim;
}

FdoDirectPositionImpl* FdoDirectPositionImpl::Create() { return new FdoDirectPositionImpl(0, 0, kNaN, kNaN, 0); }

FdoDirectPositionImpl* FdoDirectPositionImpl::Create(FdoDouble x, FdoDouble y) {
    return new FdoDirectPositionImpl(x, y, kNaN, kNaN, FdoDimensionality_XY);
}

FdoDirectPositionImpl* FdoDirectPositionImpl::Create(FdoDouble x, FdoDouble y, FdoDouble z) {
    return new FdoDirectPositionImpl(x, y, z, kNaN, FdoDimensionality_Z);
}

FdoDirectPositionImpl* FdoDirectPositionImpl::Create(FdoDouble x, FdoDouble y, FdoDouble z, FdoDouble m,
                                                     FdoInt32 dimensionality) {
    return new FdoDirectPositionImpl(x, y, z, m, CheckedDim(dimensionality));
}

FdoDirectPositionImpl* FdoDirectPositionImpl::Create(const FdoIDirectPosition* p) {
    if (!p) throw FdoException::Create(L"Cannot copy a null position.");
    return new FdoDirectPositionImpl(p->GetX(), p->GetY(), p->GetZ(), p->GetM(), CheckedDim(p->GetDimensionality()));
}

FdoDouble FdoDirectPositionImpl::GetZ() const { return (m_dim & FdoDimensionality_Z) ? m_z : kNaN; }

FdoDouble FdoDirectPositionImpl::GetM() const { return (m_dim & FdoDimensionality_M) ? m_m : kNaN; }

void FdoDirectPositionImpl::SetDimensionality(FdoInt32 dimensionality) { m_dim = CheckedDim(dimensionality); }
