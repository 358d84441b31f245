// CreateDataStore for Norv.KML: data store property File, a KML file that
// must not exist yet; it is written as an empty KML document.
#pragma once

#include <ogrcore/OgrCommand.h>

#include <FdoCommon/FdoCommonConnPropDictionary.h>

namespace kml {

class KmlCreateDataStore : public ogrcore::Command<FdoICreateDataStore> {
public:
    static KmlCreateDataStore* Create(FdoIConnection* connection) { return new KmlCreateDataStore(connection); }
    FdoIDataStorePropertyDictionary* GetDataStoreProperties() override { return FDO_SAFE_ADDREF(m_properties.p); }
    void Execute() override;

protected:
    explicit KmlCreateDataStore(FdoIConnection* connection);

private:
    FdoPtr<FdoCommonDataStorePropDictionary> m_properties;
};

// Writes an empty KML document at path; throws FdoCommandException naming it.
void CreateEmptyDocument(const std::string& path);

}  // namespace kml
