// GetSpatialContexts and CreateSpatialContext over the spatial context
// table. A file keeps any number of contexts, each with its coordinate
// system name and WKT. A dynamic context reports the extent of the data
// whose geometry refers to it (the file's first context also covers
// geometry that refers to none), falling back to its stored extent.
#pragma once

#include "SdfCommand.h"

#include <vector>

namespace sdf {

class SdfGetSpatialContexts : public SdfCommand<FdoIGetSpatialContexts> {
public:
    static SdfGetSpatialContexts* Create(SdfConnection* c) { return new SdfGetSpatialContexts(c); }
    bool GetActiveOnly() override { return m_activeOnly; }
    void SetActiveOnly(bool value) override { m_activeOnly = value; }
    FdoISpatialContextReader* Execute() override;

protected:
    using SdfCommand::SdfCommand;

private:
    bool m_activeOnly = false;
};

class SdfCreateSpatialContext : public SdfCommand<FdoICreateSpatialContext> {
public:
    static SdfCreateSpatialContext* Create(SdfConnection* c) { return new SdfCreateSpatialContext(c); }
    FdoString* GetName() override { return m_sc.name; }
    void SetName(FdoString* value) override { m_sc.name = value; }
    FdoString* GetDescription() override { return m_sc.description; }
    void SetDescription(FdoString* value) override { m_sc.description = value; }
    FdoString* GetCoordinateSystem() override { return m_sc.coordinateSystem; }
    void SetCoordinateSystem(FdoString* value) override { m_sc.coordinateSystem = value; }
    FdoString* GetCoordinateSystemWkt() override { return m_sc.coordinateSystemWkt; }
    void SetCoordinateSystemWkt(FdoString* value) override { m_sc.coordinateSystemWkt = value; }
    FdoSpatialContextExtentType GetExtentType() override { return m_sc.extentType; }
    void SetExtentType(FdoSpatialContextExtentType value) override { m_sc.extentType = value; }
    FdoByteArray* GetExtent() override { return FDO_SAFE_ADDREF(m_extent.p); }
    void SetExtent(FdoByteArray* value) override { m_extent = FDO_SAFE_ADDREF(value); }
    double GetXYTolerance() override { return m_sc.xyTolerance; }
    void SetXYTolerance(double value) override { m_sc.xyTolerance = value; }
    double GetZTolerance() override { return m_sc.zTolerance; }
    void SetZTolerance(double value) override { m_sc.zTolerance = value; }
    bool GetUpdateExisting() override { return m_updateExisting; }
    void SetUpdateExisting(bool value) override { m_updateExisting = value; }
    void Execute() override;

protected:
    explicit SdfCreateSpatialContext(SdfConnection* c) : SdfCommand(c) {
        m_sc.extentType = FdoSpatialContextExtentType_Dynamic;
    }

private:
    FdoXmlSpatialContext m_sc;
    FdoPtr<FdoByteArray> m_extent;
    bool m_updateExisting = false;
};

}  // namespace sdf
