// The commands only OSGeo.SHP has: ApplySchema (a new shape file set per
// new class), CreateSpatialContext (remembered for the session, written as
// .prj by later ApplySchema) and CreateDataStore (a new folder).
#pragma once

#include <ogrcore/OgrCommand.h>
#include <ogrcore/OgrCommandSettings.h>

namespace shp {

class ShpConnection;

class ShpApplySchema : public ogrcore::ApplySchemaSettings<ogrcore::Command<FdoIApplySchema>> {
public:
    static ShpApplySchema* Create(ShpConnection* connection);
    void SetPhysicalMapping(FdoPhysicalSchemaMapping* value) override;
    void Execute() override;

protected:
    explicit ShpApplySchema(ShpConnection* connection);

private:
    ShpConnection* m_shp;
};

class ShpCreateSpatialContext
    : public ogrcore::CreateSpatialContextSettings<ogrcore::Command<FdoICreateSpatialContext>> {
public:
    static ShpCreateSpatialContext* Create(ShpConnection* connection);
    void Execute() override;

protected:
    explicit ShpCreateSpatialContext(ShpConnection* connection);

private:
    ShpConnection* m_shp;
};

// Data store property DefaultFileLocation: the folder to create.
class ShpCreateDataStore : public ogrcore::DataStoreSettings<ogrcore::Command<FdoICreateDataStore>> {
public:
    static ShpCreateDataStore* Create(ShpConnection* connection);
    void Execute() override;

protected:
    explicit ShpCreateDataStore(ShpConnection* connection);
};

}  // namespace shp
