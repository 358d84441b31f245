// Positions: the X Y [Z] [M] tuples every geometry is made of.
//
// FdoIDirectPosition is the read-only view that geometries hand out;
// FdoDirectPositionImpl is the plain value holder callers build positions
// with. An ordinate a position does not carry (Z of an XY position) reads
// as NaN.
#pragma once

#include <Fdo/Common/Collection.h>
#include <Fdo/Common/Enums.h>

class FDO_API FdoIDirectPosition : public FdoIDisposable {
public:
    virtual FdoDouble GetX() const = 0;
    virtual FdoDouble GetY() const = 0;
    virtual FdoDouble GetZ() const = 0;
    virtual FdoDouble GetM() const = 0;
    // FdoDimensionality mask: XY 0, Z 1, M 2.
    virtual FdoInt32 GetDimensionality() const = 0;
};

class FDO_API FdoDirectPositionImpl : public FdoIDirectPosition {
public:
    static FdoDirectPositionImpl* Create();  // 0 0, XY
    static FdoDirectPositionImpl* Create(FdoDouble x, FdoDouble y);
    static FdoDirectPositionImpl* Create(FdoDouble x, FdoDouble y, FdoDouble z);
    static FdoDirectPositionImpl* Create(FdoDouble x, FdoDouble y, FdoDouble z, FdoDouble m,
                                         FdoInt32 dimensionality);
    static FdoDirectPositionImpl* Create(const FdoIDirectPosition* position);

    FdoDouble GetX() const override { return m_x; }
    FdoDouble GetY() const override { return m_y; }
    FdoDouble GetZ() const override;
    FdoDouble GetM() const override;
    FdoInt32 GetDimensionality() const override { return m_dim; }

    void SetX(FdoDouble x) { m_x = x; }
    void SetY(FdoDouble y) { m_y = y; }
    void SetZ(FdoDouble z) { m_z = z; }
    void SetM(FdoDouble m) { m_m = m; }
    void SetDimensionality(FdoInt32 dimensionality);

protected:
    FdoDirectPositionImpl(FdoDouble x, FdoDouble y, FdoDouble z, FdoDouble m, FdoInt32 dim)
        : m_x(x), m_y(y), m_z(z), m_m(m), m_dim(dim) {}
    void Dispose() override { delete this; }

private:
    FdoDouble m_x, m_y, m_z, m_m;
    FdoInt32 m_dim;
};

// Declares a plain geometry collection class with a Create factory.
#define FDO_DECLARE_GEOMETRY_COLLECTION(Name, Item)                             \
    class FDO_API Name : public FdoCollection<Item, FdoException> {             \
    public:                                                                     \
        static Name* Create() { return new Name(); }                            \
                                                                                \
    protected:                                                                  \
        Name() = default;                                                       \
        void Dispose() override { delete this; }                                \
    }

FDO_DECLARE_GEOMETRY_COLLECTION(FdoDirectPositionCollection, FdoIDirectPosition);
