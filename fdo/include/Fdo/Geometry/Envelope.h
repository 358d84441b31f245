// Envelopes: axis-aligned bounds of a geometry.
//
// A bound that is not known is NaN: a new FdoEnvelopeImpl is empty (all
// NaN) and an envelope of XY data has NaN Z. Expand grows the bounds and
// ignores NaN input, so envelopes can be accumulated row by row.
#pragma once

#include <Fdo/Geometry/DirectPosition.h>

class FDO_API FdoIEnvelope : public FdoIDisposable {
public:
    virtual FdoDouble GetMinX() const = 0;
    virtual FdoDouble GetMinY() const = 0;
    virtual FdoDouble GetMinZ() const = 0;
    virtual FdoDouble GetMaxX() const = 0;
    virtual FdoDouble GetMaxY() const = 0;
    virtual FdoDouble GetMaxZ() const = 0;
    virtual FdoBoolean GetIsEmpty() const = 0;
    // Borrowed: minX, minY, minZ, maxX, maxY, maxZ.
    virtual const FdoDouble* GetOrdinates() const = 0;
};

class FDO_API FdoEnvelopeImpl : public FdoIEnvelope {
public:
    static FdoEnvelopeImpl* Create();  // empty
    static FdoEnvelopeImpl* Create(FdoDouble minX, FdoDouble minY, FdoDouble maxX, FdoDouble maxY);
    static FdoEnvelopeImpl* Create(FdoDouble minX, FdoDouble minY, FdoDouble minZ, FdoDouble maxX,
                                   FdoDouble maxY, FdoDouble maxZ);
    static FdoEnvelopeImpl* Create(const FdoIEnvelope* envelope);

    FdoDouble GetMinX() const override { return m_ord[0]; }
    FdoDouble GetMinY() const override { return m_ord[1]; }
    FdoDouble GetMinZ() const override { return m_ord[2]; }
    FdoDouble GetMaxX() const override { return m_ord[3]; }
    FdoDouble GetMaxY() const override { return m_ord[4]; }
    FdoDouble GetMaxZ() const override { return m_ord[5]; }
    FdoBoolean GetIsEmpty() const override;
    const FdoDouble* GetOrdinates() const override { return m_ord; }

    void SetMinX(FdoDouble v) { m_ord[0] = v; }
    void SetMinY(FdoDouble v) { m_ord[1] = v; }
    void SetMinZ(FdoDouble v) { m_ord[2] = v; }
    void SetMaxX(FdoDouble v) { m_ord[3] = v; }
    void SetMaxY(FdoDouble v) { m_ord[4] = v; }
    void SetMaxZ(FdoDouble v) { m_ord[5] = v; }

    // Grow to include the position (Z only if it has one) or envelope.
    void Expand(const FdoIDirectPosition* position);
    void Expand(const FdoIEnvelope* envelope);
    void Expand(FdoDouble x, FdoDouble y);
    void Expand(FdoDouble x, FdoDouble y, FdoDouble z);

protected:
    FdoEnvelopeImpl();
    void Dispose() override { delete this; }

private:
    FdoDouble m_ord[6];
};
