// OgrConnection: a session with one GDAL vector data source, every layer a
// feature class of one schema.
//
// Shared by two providers: it is OSGeo.OGR itself (ogr/ only registers it)
// and the base of Norv.KML, which is the same thing on one driver with its
// own names and coordinate rules; the virtual members below are where the
// two differ. Open reads the layers
// once into the schema and the spatial contexts; rows stay in the source
// and go through ogrcore. A source that does not exist yet is accepted
// when the connection may write and its folder exists: it is created, with
// the driver its file extension names, when the first class is applied,
// so a destination can be named before it exists and a mistyped source
// leaves no file behind.
#pragma once

#include <ogrcore/OgrStore.h>
#include <common/ConnectionBase.h>

#include <ogrcore/OgrCreatedLayers.h>
#include <ogrcore/OgrLayerClass.h>

#include <FdoCommon/FdoCommonConnPropDictionary.h>

#include <map>

namespace ogrprovider {

FdoString* const kProviderName = L"OSGeo.OGR.4.2";
FdoString* const kDataSourceProperty = L"DataSource";
FdoString* const kReadOnlyProperty = L"ReadOnly";

class OgrConnectionInfo;

// Where a connection's data lives, as its properties say.
struct Target {
    std::string path;                  // GDAL connection text
    std::vector<std::string> drivers;  // drivers allowed to open it (empty: any)
    bool writable = true;
    std::string createDriver;          // set when path does not exist yet and will be created
};

class OgrConnection : public providercommon::ConnectionBase, public ogrcore::Store {
public:
    static OgrConnection* Create();

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

    // For the schema commands.
    FdoString* ProviderName();
    virtual FdoStringP DataSourceText();  // the data source as messages name it
    ogrcore::ClassMap* FindClass(FdoString* name);  // new reference or null
    const ogrcore::SpatialContextInfo* FindContext(FdoString* name) const;  // ignoring case
    void AddContext(const ogrcore::SpatialContextInfo& context);
    // Creates the layer of a new class and adds the class; removes one.
    void CreateClass(FdoClassDefinition* cls);
    void DeleteClass(FdoString* className);
    bool IsWritable() const { return m_target.writable; }

protected:
    FdoCommonConnPropDictionary* Properties() override;
    bool IsOpen() override { return m_state == FdoConnectionState_Open; }
    FdoString* RefusingName() override { return ProviderName(); }
    OgrConnection(OgrConnectionInfo* info);
    ~OgrConnection() override;
    void Dispose() override { delete this; }

    // Where the properties point; validates them and throws
    // FdoConnectionException naming the data source.
    virtual Target ResolveTarget();
    virtual FdoString* SchemaName() { return L"OGRSchema"; }
    virtual LayerRules Rules();
    virtual FdoStringP ClassNameOf(const char* layerName);
    virtual std::string LayerNameOf(FdoString* className);
    // The spatial contexts of a freshly opened source, and the context a
    // layer's class is associated with (adding it to contexts when new).
    virtual FdoStringP ContextOfLayer(OGRLayerH layer, FdoString* className,
                                      std::vector<ogrcore::SpatialContextInfo>& contexts);
    // Contexts every connection has, whatever its layers (none here).
    virtual void FixedContexts(std::vector<ogrcore::SpatialContextInfo>& /*contexts*/) {}
    // Called for every class read from a layer; scan is what the rows
    // showed when the rules asked for scanning.
    virtual void ClassBuilt(ogrcore::ClassMap* map, const GeometryScan& scan);
    // The spatial reference of a new layer whose geometry is associated
    // with context (null when none or unknown); may attach a geometry
    // adapter to the class once it is built (new reference or null).
    virtual OGRSpatialReferenceH NewLayerSrs(const ogrcore::SpatialContextInfo* context,
                                             FdoGeometricPropertyDefinition* geometry,
                                             FdoPtr<ogrcore::GeometryAdapter>& adapter);
    // The commands beyond the common ones (CreateDataStore for a file
    // format); null when the type is not one of them.
    virtual FdoICommand* CreateOwnCommand(FdoInt32 /*type*/) { return nullptr; }
    virtual std::vector<FdoInt32> OwnCommands() { return {}; }
    // The driver of the open source ("" before the first open).
    const std::string& DriverName() const { return m_driver; }
    // Properties the provider keeps in fields of its own: (property name, OGR field name).
    virtual std::vector<std::pair<std::wstring, std::string>> ReservedProperties() { return {}; }

    // After a class was created for cls; context is its spatial context (or null).
    virtual void ClassCreated(ogrcore::ClassMap* /*map*/, OGRLayerH /*layer*/,
                              const ogrcore::SpatialContextInfo* /*context*/) {}

    // The update handle new layers go to (new reference); creates the
    // data source first when it does not exist yet.
    virtual ogrcore::Dataset* DatasetForCreate();

    OgrConnectionInfo* Info() { return m_info; }
    ogrcore::DataSource* Source() { return m_source; }  // borrowed; null when closed
    const Target& CurrentTarget() const { return m_target; }

private:
    // Gives classes created earlier in this process the fields their
    // source lost while it was empty (OgrCreatedLayers.h).
    void RestoreFields();
    void ReloadClass(FdoString* className, OGRLayerH layer);

    struct Entry {
        FdoPtr<ogrcore::ClassMap> map;
    };
    void Load();
    void Reset();
    FdoFeatureSchema* Schema();  // new reference
    ogrcore::ClassMap* AddLayerClass(OGRLayerH layer, FdoString* className, FdoString* context);

    FdoPtr<OgrConnectionInfo> m_info;
    FdoConnectionState m_state = FdoConnectionState_Closed;
    Target m_target;
    FdoPtr<ogrcore::DataSource> m_source;
    FdoPtr<FdoFeatureSchemaCollection> m_schemas;
    std::map<std::wstring, Entry> m_classes;
    std::vector<ogrcore::SpatialContextInfo> m_contexts;
    std::string m_driver;
};

// Names and connection properties of a provider built on OgrConnection.
struct ProviderNames {
    FdoString* name;
    FdoString* displayName;
    FdoString* description;
    FdoString* version;
};

class OgrConnectionInfo : public FdoIConnectionInfo {
public:
    static OgrConnectionInfo* Create(const ProviderNames& names, FdoCommonConnPropDictionary* dictionary) {
        return new OgrConnectionInfo(names, dictionary);
    }
    FdoString* GetProviderName() override { return m_names.name; }
    FdoString* GetProviderDisplayName() override { return m_names.displayName; }
    FdoString* GetProviderDescription() override { return m_names.description; }
    FdoString* GetProviderVersion() override { return m_names.version; }
    FdoString* GetFeatureDataObjectsVersion() override { return L"4.2.0.0"; }
    FdoIConnectionPropertyDictionary* GetConnectionProperties() override { return FDO_SAFE_ADDREF(m_dictionary.p); }
    FdoProviderDatastoreType GetProviderDatastoreType() override { return FdoProviderDatastoreType_File; }
    FdoStringCollection* GetDependentFileNames() override;
    FdoCommonConnPropDictionary* Dictionary() { return m_dictionary; }
    void SetOpenFile(const FdoStringP& file) { m_openFile = file; }

protected:
    OgrConnectionInfo(const ProviderNames& names, FdoCommonConnPropDictionary* dictionary)
        : m_names(names), m_dictionary(FDO_SAFE_ADDREF(dictionary)) {}
    void Dispose() override { delete this; }

private:
    ProviderNames m_names;
    FdoPtr<FdoCommonConnPropDictionary> m_dictionary;
    FdoStringP m_openFile;
};

// "TRUE" (any letter case) in a ReadOnly property.
bool IsTrue(FdoString* value);
// The vector driver that creates files with path's extension, "" when none.
std::string DriverForNewFile(const std::string& path);

}  // namespace ogrprovider
