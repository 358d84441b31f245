// CreateDataStore for Norv.KML: data store property File, a KML file that
// must not exist yet; it is written as an empty KML document.
#pragma once

#include <ogrcore/OgrCommand.h>

#include <ogrcore/OgrCommandSettings.h>

namespace kml {

class KmlCreateDataStore : public ogrcore::DataStoreSettings<ogrcore::Command<FdoICreateDataStore>> {
public:
    static KmlCreateDataStore* Create(FdoIConnection* connection) { return new KmlCreateDataStore(connection); }
    void Execute() override;

protected:
    explicit KmlCreateDataStore(FdoIConnection* connection);
};

// Writes an empty KML document at path; throws FdoCommandException naming it.
void CreateEmptyDocument(const std::string& path);

}  // namespace kml
