// c_FdoSpatialContext: one spatial context's settings, carried from a source
// data store to a destination, and the named collection of such records.
//
// A new record describes a usable default context (a local metre grid, a
// static extent, millimetre tolerances) so that a caller only sets what
// differs. Reference-counted: `new` or Create gives the first reference.
#pragma once

#include <GeoxferApi/Export.h>

#include <Fdo/Common/ByteArray.h>
#include <Fdo/Common/Enums.h>
#include <Fdo/Common/NamedCollection.h>
#include <Fdo/Common/Ptr.h>
#include <Fdo/Common/StringP.h>

class FdoIEnvelope;
class FdoEnvelopeImpl;

class GXF_API c_FdoSpatialContext : public FdoIDisposable {
public:
    c_FdoSpatialContext();
    static c_FdoSpatialContext* Create() { return new c_FdoSpatialContext(); }

    virtual const wchar_t* GetName();
    virtual void SetName(const wchar_t* name);
    virtual const wchar_t* GetDescription();
    virtual void SetDescription(const wchar_t* description);
    virtual const wchar_t* GetCoordinateSystem();
    virtual void SetCoordinateSystem(const wchar_t* coordinateSystem);
    virtual const wchar_t* GetCoordinateSystemWkt();
    virtual void SetCoordinateSystemWkt(const wchar_t* wkt);
    virtual FdoSpatialContextExtentType GetExtentType();
    virtual void SetExtentType(FdoSpatialContextExtentType extentType);

    // The extent as FGF polygon bytes (new reference); an empty envelope
    // gives the square from -10000000 to 10000000.
    virtual FdoByteArray* GetExtent();
    // The envelope itself (new reference).
    virtual FdoIEnvelope* GetEnvelope();
    // Grows the envelope to include the given one (null is ignored).
    virtual void ExpandExtent(FdoIEnvelope* envelope);

    virtual double GetXYTolerance();
    virtual void SetXYTolerance(double tolerance);
    virtual double GetZTolerance();
    virtual void SetZTolerance(double tolerance);

    // Always true: records may be renamed inside the named collection.
    virtual bool CanSetName();
    virtual bool IsActive();

protected:
    ~c_FdoSpatialContext() override;
    void Dispose() override { delete this; }

private:
    FdoStringP m_Name;
    FdoStringP m_Description;
    FdoStringP m_CoordinateSystem;
    FdoStringP m_CoordinateSystemWkt;
    FdoSpatialContextExtentType m_ExtentType;
    FdoPtr<FdoEnvelopeImpl> m_Extent;
    bool m_IsActive;
    double m_XYTolerance;
    double m_ZTolerance;
};

// Names compared with case; owns one reference to each record.
class GXF_API c_FdoSpatialContextCollection : public FdoNamedCollection<c_FdoSpatialContext, FdoException> {
public:
    c_FdoSpatialContextCollection() : FdoNamedCollection(true) {}
    static c_FdoSpatialContextCollection* Create() { return new c_FdoSpatialContextCollection(); }

protected:
    ~c_FdoSpatialContextCollection() override = default;
    void Dispose() override { delete this; }
};
