// The schema commands of a whole-data-source connection: ApplySchema
// makes one layer per new class (and drops the layers of deleted ones);
// CreateSpatialContext remembers a context for the session, so that
// classes applied later get its coordinate system.
#pragma once

#include <ogrcore/OgrCommand.h>
#include <ogrcore/OgrCommandSettings.h>

namespace ogrprovider {

class OgrConnection;

class OgrApplySchema : public ogrcore::ApplySchemaSettings<ogrcore::Command<FdoIApplySchema>> {
public:
    static OgrApplySchema* Create(OgrConnection* connection) { return new OgrApplySchema(connection); }
    void SetPhysicalMapping(FdoPhysicalSchemaMapping* value) override;
    void Execute() override;

protected:
    explicit OgrApplySchema(OgrConnection* connection);

private:
    OgrConnection* m_ogr;
};

class OgrCreateSpatialContext
    : public ogrcore::CreateSpatialContextSettings<ogrcore::Command<FdoICreateSpatialContext>> {
public:
    static OgrCreateSpatialContext* Create(OgrConnection* connection) { return new OgrCreateSpatialContext(connection); }
    void Execute() override;

protected:
    explicit OgrCreateSpatialContext(OgrConnection* connection);

private:
    OgrConnection* m_ogr;
};

}  // namespace ogrprovider
