// GetSpatialContexts and CreateSpatialContext over the spatial context
// table. A file keeps any number of contexts, each with its coordinate
// system name and WKT. A dynamic context reports the extent of the data
// whose geometry refers to it (the file's first context also covers
// geometry that refers to none), falling back to its stored extent.
#pragma once

#include "SdfCommand.h"

#include <ogrcore/OgrCommandSettings.h>

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

class SdfCreateSpatialContext : public ogrcore::CreateSpatialContextSettings<SdfCommand<FdoICreateSpatialContext>> {
public:
    static SdfCreateSpatialContext* Create(SdfConnection* c) { return new SdfCreateSpatialContext(c); }
    void Execute() override;

protected:
    explicit SdfCreateSpatialContext(SdfConnection* c) : CreateSpatialContextSettings(0, c) {}
};

}  // namespace sdf
