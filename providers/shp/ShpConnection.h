// ShpConnection: the OSGeo.SHP connection to a folder of shape files or to
// one shape file.
//
// Open reads every shape file set once into the schema "Default" (one
// feature class each) and the spatial contexts of their .prj files; the
// data stays in the files and is read through ogrcore on demand. The
// connection is the ogrcore::Store of the common commands, and adds the
// SHP-only ones (ApplySchema, CreateSpatialContext, CreateDataStore).
#pragma once

#include <ogrcore/OgrStore.h>
#include <common/ConnectionBase.h>

#include "ShpSpatialContexts.h"
#include "ShpFiles.h"

#include <FdoCommon/FdoCommonConnPropDictionary.h>

#include <map>

namespace shp {

FdoString* const kProviderName = L"OSGeo.SHP.4.2";
FdoString* const kSchemaName = L"Default";
FdoString* const kLocationProperty = L"DefaultFileLocation";
FdoString* const kTemporaryProperty = L"TemporaryFileLocation";

class ShpConnectionInfo;

class ShpConnection : public providercommon::ConnectionBase, public ogrcore::Store {
public:
    static ShpConnection* Create() { return new ShpConnection(); }

    FdoICommandCapabilities* GetCommandCapabilities() override;
    FdoISchemaCapabilities* GetSchemaCapabilities() override;
    FdoIConnectionCapabilities* GetConnectionCapabilities() override;
    FdoIFilterCapabilities* GetFilterCapabilities() override;
    FdoIExpressionCapabilities* GetExpressionCapabilities() override;
    FdoIGeometryCapabilities* GetGeometryCapabilities() override;

    FdoIConnectionInfo* GetConnectionInfo() override;
    FdoConnectionState Open() override;
    void Close() override;
    FdoICommand* CreateCommand(FdoInt32 commandType) override;
    void Flush() override;

    // ogrcore::Store
    void CheckOpen() override;
    FdoFeatureSchemaCollection* GetSchemas() override { return FDO_SAFE_ADDREF(m_schemas.p); }
    ogrcore::ClassMap* GetClassMap(FdoIdentifier* className) override;
    void GetSpatialContexts(std::vector<ogrcore::SpatialContextInfo>& contexts) override;
    void CheckWritable(ogrcore::ClassMap* map) override;

    // For the SHP commands.
    ShpSpatialContexts& Contexts() { return m_contexts; }
    bool IsSingleFile() const { return m_singleFile; }
    const fs::path& Folder() const { return m_folder; }
    ogrcore::ClassMap* FindClass(FdoString* name);  // new reference or null
    // Reads a new shape file set into the schema; aliases map schema names
    // to the names the files hold.
    void AddClass(const fs::path& shp, FdoString* className, FdoString* contextName);
    void RemoveClass(FdoString* className);
    fs::path FileOf(FdoString* className);
    std::vector<fs::path> Files();

protected:
    ShpConnection();
    ~ShpConnection() override;
    void Dispose() override { delete this; }
    FdoCommonConnPropDictionary* Properties() override;
    bool IsOpen() override { return m_state == FdoConnectionState_Open; }
    FdoString* RefusingName() override { return L"OSGeo.SHP"; }

private:
    struct Entry {
        FdoPtr<ogrcore::ClassMap> map;
        fs::path shp;
        FdoStringP context;
    };
    void Load();
    void Reset();
    FdoFeatureSchema* Schema();  // new reference

    FdoPtr<ShpConnectionInfo> m_info;
    FdoConnectionState m_state = FdoConnectionState_Closed;
    fs::path m_folder;
    bool m_singleFile = false;
    FdoPtr<FdoFeatureSchemaCollection> m_schemas;
    std::map<std::wstring, Entry> m_classes;
    ShpSpatialContexts m_contexts;
};

class ShpConnectionInfo : public FdoIConnectionInfo {
public:
    static ShpConnectionInfo* Create(ShpConnection* owner) { return new ShpConnectionInfo(owner); }
    FdoString* GetProviderName() override { return kProviderName; }
    FdoString* GetProviderDisplayName() override;
    FdoString* GetProviderDescription() override;
    FdoString* GetProviderVersion() override { return L"4.2.0.0"; }
    FdoString* GetFeatureDataObjectsVersion() override { return L"4.2.0.0"; }
    FdoIConnectionPropertyDictionary* GetConnectionProperties() override { return FDO_SAFE_ADDREF(m_dictionary.p); }
    FdoProviderDatastoreType GetProviderDatastoreType() override { return FdoProviderDatastoreType_File; }
    FdoStringCollection* GetDependentFileNames() override;
    FdoCommonConnPropDictionary* Dictionary() { return m_dictionary; }
    void Orphan() { m_owner = nullptr; }

protected:
    explicit ShpConnectionInfo(ShpConnection* owner);
    void Dispose() override { delete this; }

private:
    ShpConnection* m_owner;  // the connection owns this object
    FdoPtr<FdoCommonConnPropDictionary> m_dictionary;
};

}  // namespace shp
