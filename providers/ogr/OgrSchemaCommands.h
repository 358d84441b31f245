// The schema commands of a whole-data-source connection: ApplySchema
// makes one layer per new class (and drops the layers of deleted ones);
// CreateSpatialContext remembers a context for the session, so that
// classes applied later get its coordinate system.
#pragma once

#include <ogrcore/OgrCommand.h>

namespace ogrprovider {

class OgrConnection;

class OgrApplySchema : public ogrcore::Command<FdoIApplySchema> {
public:
    static OgrApplySchema* Create(OgrConnection* connection) { return new OgrApplySchema(connection); }
    FdoFeatureSchema* GetFeatureSchema() override { return FDO_SAFE_ADDREF(m_schema.p); }
    void SetFeatureSchema(FdoFeatureSchema* value) override { m_schema = FDO_SAFE_ADDREF(value); }
    FdoPhysicalSchemaMapping* GetPhysicalMapping() override { return nullptr; }
    void SetPhysicalMapping(FdoPhysicalSchemaMapping* value) override;
    bool GetIgnoreStates() override { return m_ignoreStates; }
    void SetIgnoreStates(bool value) override { m_ignoreStates = value; }
    void Execute() override;

protected:
    explicit OgrApplySchema(OgrConnection* connection);

private:
    OgrConnection* m_ogr;
    FdoPtr<FdoFeatureSchema> m_schema;
    bool m_ignoreStates = false;
};

class OgrCreateSpatialContext : public ogrcore::Command<FdoICreateSpatialContext> {
public:
    static OgrCreateSpatialContext* Create(OgrConnection* connection) { return new OgrCreateSpatialContext(connection); }
    FdoString* GetName() override { return m_name; }
    void SetName(FdoString* value) override { m_name = value; }
    FdoString* GetDescription() override { return m_description; }
    void SetDescription(FdoString* value) override { m_description = value; }
    FdoString* GetCoordinateSystem() override { return m_coordinateSystem; }
    void SetCoordinateSystem(FdoString* value) override { m_coordinateSystem = value; }
    FdoString* GetCoordinateSystemWkt() override { return m_wkt; }
    void SetCoordinateSystemWkt(FdoString* value) override { m_wkt = value; }
    FdoSpatialContextExtentType GetExtentType() override { return m_extentType; }
    void SetExtentType(FdoSpatialContextExtentType value) override { m_extentType = value; }
    FdoByteArray* GetExtent() override { return FDO_SAFE_ADDREF(m_extent.p); }
    void SetExtent(FdoByteArray* value) override { m_extent = FDO_SAFE_ADDREF(value); }
    double GetXYTolerance() override { return m_xyTolerance; }
    void SetXYTolerance(double value) override { m_xyTolerance = value; }
    double GetZTolerance() override { return m_zTolerance; }
    void SetZTolerance(double value) override { m_zTolerance = value; }
    bool GetUpdateExisting() override { return m_updateExisting; }
    void SetUpdateExisting(bool value) override { m_updateExisting = value; }
    void Execute() override;

protected:
    explicit OgrCreateSpatialContext(OgrConnection* connection);

private:
    OgrConnection* m_ogr;
    FdoStringP m_name, m_description, m_coordinateSystem, m_wkt;
    FdoSpatialContextExtentType m_extentType = FdoSpatialContextExtentType_Dynamic;
    FdoPtr<FdoByteArray> m_extent;
    double m_xyTolerance = 0.001, m_zTolerance = 0.001;
    bool m_updateExisting = false;
};

}  // namespace ogrprovider
