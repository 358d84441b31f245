// The commands only OSGeo.SHP has: ApplySchema (a new shape file set per
// new class), CreateSpatialContext (remembered for the session, written as
// .prj by later ApplySchema) and CreateDataStore (a new folder).
#pragma once

#include <ogrcore/OgrCommand.h>

#include <FdoCommon/FdoCommonConnPropDictionary.h>

namespace shp {

class ShpConnection;

class ShpApplySchema : public ogrcore::Command<FdoIApplySchema> {
public:
    static ShpApplySchema* Create(ShpConnection* connection);
    FdoFeatureSchema* GetFeatureSchema() override { return FDO_SAFE_ADDREF(m_schema.p); }
    void SetFeatureSchema(FdoFeatureSchema* value) override { m_schema = FDO_SAFE_ADDREF(value); }
    FdoPhysicalSchemaMapping* GetPhysicalMapping() override { return nullptr; }
    void SetPhysicalMapping(FdoPhysicalSchemaMapping* value) override;
    bool GetIgnoreStates() override { return m_ignoreStates; }
    void SetIgnoreStates(bool value) override { m_ignoreStates = value; }
    void Execute() override;

protected:
    explicit ShpApplySchema(ShpConnection* connection);

private:
    ShpConnection* m_shp;
    FdoPtr<FdoFeatureSchema> m_schema;
    bool m_ignoreStates = false;
};

class ShpCreateSpatialContext : public ogrcore::Command<FdoICreateSpatialContext> {
public:
    static ShpCreateSpatialContext* Create(ShpConnection* connection);
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
    explicit ShpCreateSpatialContext(ShpConnection* connection);

private:
    ShpConnection* m_shp;
    FdoStringP m_name, m_description, m_coordinateSystem, m_wkt;
    FdoSpatialContextExtentType m_extentType = FdoSpatialContextExtentType_Dynamic;
    FdoPtr<FdoByteArray> m_extent;
    double m_xyTolerance = 0.001, m_zTolerance = 0.001;
    bool m_updateExisting = false;
};

// Data store property DefaultFileLocation: the folder to create.
class ShpCreateDataStore : public ogrcore::Command<FdoICreateDataStore> {
public:
    static ShpCreateDataStore* Create(ShpConnection* connection);
    FdoIDataStorePropertyDictionary* GetDataStoreProperties() override { return FDO_SAFE_ADDREF(m_properties.p); }
    void Execute() override;

protected:
    explicit ShpCreateDataStore(ShpConnection* connection);

private:
    FdoPtr<FdoCommonDataStorePropDictionary> m_properties;
};

}  // namespace shp
