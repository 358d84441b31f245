// Open resolves the properties to a GDAL data source, reads each layer into
// a class and each layer's coordinate system into a spatial context named
// after the class; a source that cannot be opened fails the open with
// GDAL's reason and the data source named. Close commits and closes what
// the commands opened.
#include <ogrcore/OgrConnection.h>

#include <ogrcore/OgrDeclaredGeometry.h>

#include <ogrcore/OgrCommands.h>
#include <ogrcore/OgrError.h>
#include <ogrcore/OgrRegistryMatch.h>

#include <ogrcore/OgrCapabilities.h>
#include <ogrcore/OgrSchemaCommands.h>

#include <cpl_conv.h>
#include <ogr_srs_api.h>

#include <algorithm>
#include <cwctype>
#include <filesystem>

namespace ogrprovider {

namespace fs = std::filesystem;

namespace {

bool LooksLikeConnectionText(const std::string& path) {
    if (path.rfind("/vsi", 0) == 0) return true;
    size_t colon = path.find(':');
    if (colon == std::string::npos || colon < 2) return false;
    for (size_t i = 0; i < colon; i++)
        if (!isalnum(static_cast<unsigned char>(path[i])) && path[i] != '_') return false;
    return true;
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return s;
}

// PostgreSQL waits for an unreachable server as long as the network lets
// it; a connection that names no timeout gets one.
std::string WithConnectTimeout(const std::string& path) {
    if (Lower(path.substr(0, 3)) != "pg:" || path.find("connect_timeout") != std::string::npos) return path;
    return path + " connect_timeout=10";
}

}  // namespace

bool IsTrue(FdoString* value) { return value && wcscasecmp(value, L"TRUE") == 0; }

std::string DriverForNewFile(const std::string& path) {
    std::string ext = Lower(fs::path(path).extension().string());
    if (ext.size() < 2) return "";
    ext = ext.substr(1);
    ogrcore::Init();
    for (int i = 0; i < GDALGetDriverCount(); i++) {
        GDALDriverH d = GDALGetDriver(i);
        if (!GDALGetMetadataItem(d, GDAL_DCAP_VECTOR, nullptr) || !GDALGetMetadataItem(d, GDAL_DCAP_CREATE, nullptr))
            continue;
        const char* list = GDALGetMetadataItem(d, GDAL_DMD_EXTENSIONS, nullptr);
        if (!list) list = GDALGetMetadataItem(d, GDAL_DMD_EXTENSION, nullptr);
        if (!list) continue;
        std::string all = " " + Lower(list) + " ";
        if (all.find(" " + ext + " ") != std::string::npos) return GDALGetDriverShortName(d);
    }
    return "";
}

FdoStringCollection* OgrConnectionInfo::GetDependentFileNames() {
    FdoStringCollection* names = FdoStringCollection::Create();
    if (!m_openFile.IsEmpty()) names->Add(m_openFile);
    return names;
}

// ------------------------------------------------------------ connection

OgrConnection* OgrConnection::Create() {
    FdoPtr<FdoCommonConnPropDictionary> dict = FdoCommonConnPropDictionary::Create();
    dict->AddProperty(kDataSourceProperty, L"", FdoCommonProp_Required | FdoCommonProp_FileName);
    dict->AddProperty(kReadOnlyProperty, L"FALSE", FdoCommonProp_None, {L"FALSE", L"TRUE"});
    FdoPtr<OgrConnectionInfo> info = OgrConnectionInfo::Create(
        {kProviderName, L"OSGeo FDO Provider for OGR",
         L"Read/write access to any vector data source GDAL/OGR reads: GeoPackage, GeoJSON, FlatGeobuf, "
         L"PostgreSQL/PostGIS and more.",
         L"4.2.0.0"},
        dict);
    return new OgrConnection(info);
}

OgrConnection::OgrConnection(OgrConnectionInfo* info) : m_info(FDO_SAFE_ADDREF(info)) { ogrcore::Init(); }

OgrConnection::~OgrConnection() {
    try {
        Close();
    } catch (FdoException* e) {
        e->Release();
    }
}

FdoICommandCapabilities* OgrConnection::GetCommandCapabilities() {
    std::vector<FdoInt32> commands = {FdoCommandType_Select, FdoCommandType_SelectAggregates,
                                      FdoCommandType_DescribeSchema, FdoCommandType_GetSchemaNames,
                                      FdoCommandType_GetClassNames, FdoCommandType_GetSpatialContexts};
    bool readOnly = IsTrue(m_info->Dictionary()->GetProperty(kReadOnlyProperty));
    if (!readOnly)
        commands.insert(commands.end(), {FdoCommandType_Insert, FdoCommandType_Update, FdoCommandType_Delete,
                                         FdoCommandType_ApplySchema, FdoCommandType_CreateSpatialContext});
    for (FdoInt32 c : OwnCommands()) commands.push_back(c);
    return FdoCommonCommandCapabilities::Create({.commands = commands, .parameters = true, .selectOrdering = true});
}

FdoISchemaCapabilities* OgrConnection::GetSchemaCapabilities() { return SchemaCapabilities(m_driver); }
FdoIConnectionCapabilities* OgrConnection::GetConnectionCapabilities() {
    return ConnectionCapabilities(!IsTrue(m_info->Dictionary()->GetProperty(kReadOnlyProperty)));
}
FdoIFilterCapabilities* OgrConnection::GetFilterCapabilities() { return FilterCapabilities(); }
FdoIExpressionCapabilities* OgrConnection::GetExpressionCapabilities() { return ExpressionCapabilities(); }
FdoIGeometryCapabilities* OgrConnection::GetGeometryCapabilities() { return GeometryCapabilities(); }


FdoIConnectionInfo* OgrConnection::GetConnectionInfo() { return FDO_SAFE_ADDREF(m_info.p); }
FdoCommonConnPropDictionary* OgrConnection::Properties() { return m_info->Dictionary(); }

FdoString* OgrConnection::ProviderName() { return m_info->GetProviderName(); }


Target OgrConnection::ResolveTarget() {
    FdoCommonConnPropDictionary* dict = m_info->Dictionary();
    Target t;
    std::string path = ogrcore::Utf8(dict->GetProperty(kDataSourceProperty));
    while (path.size() > 1 && path.back() == '\\') path.pop_back();
    t.path = WithConnectTimeout(path);
    t.writable = !IsTrue(dict->GetProperty(kReadOnlyProperty));
    if (LooksLikeConnectionText(path)) return t;
    std::error_code ec;
    if (fs::exists(path, ec)) return t;
    FdoStringP shown = ogrcore::Wide(path.c_str());
    fs::path folder = fs::path(path).parent_path();
    if (!t.writable)
        throw FdoConnectionException::Create(FdoStringP::Format(
            L"The data source '%ls' does not exist.", static_cast<FdoString*>(shown)));
    if (!folder.empty() && !fs::is_directory(folder, ec))
        throw FdoConnectionException::Create(FdoStringP::Format(
            L"The data source '%ls' does not exist, and neither does its folder.", static_cast<FdoString*>(shown)));
    t.createDriver = DriverForNewFile(path);
    if (t.createDriver.empty())
        throw FdoConnectionException::Create(FdoStringP::Format(
            L"The data source '%ls' does not exist, and no GDAL driver creates files of its kind.",
            static_cast<FdoString*>(shown)));
    return t;
}

FdoStringP OgrConnection::DataSourceText() { return m_info->Dictionary()->GetProperty(kDataSourceProperty); }

LayerRules OgrConnection::Rules() {
    LayerRules rules;
    // A GeoJSON layer states no geometry type unless every row has the
    // same one; GDAL holds the file in memory, so its rows tell cheaply.
    rules.scanUnknownGeometry = m_driver == "GeoJSON" || m_driver == "GeoJSONSeq";
    return rules;
}

FdoStringP OgrConnection::ClassNameOf(const char* layerName) {
    std::wstring name = ogrcore::Wide(layerName).Str();
    std::replace(name.begin(), name.end(), L'.', L'~');
    std::replace(name.begin(), name.end(), L':', L'_');
    return FdoStringP(name);
}

std::string OgrConnection::LayerNameOf(FdoString* className) {
    std::string name = ogrcore::Utf8(className);
    std::replace(name.begin(), name.end(), '~', '.');
    return name;
}

FdoStringP OgrConnection::ContextOfLayer(OGRLayerH layer, FdoString* className,
                                         std::vector<ogrcore::SpatialContextInfo>& contexts) {
    if (OGR_FD_GetGeomFieldCount(OGR_L_GetLayerDefn(layer)) == 0) return FdoStringP();
    ogrcore::SpatialContextInfo info;
    info.name = className;
    info.description = FdoStringP::Format(L"Coordinate system of class '%ls'.", className);
    if (OGRSpatialReferenceH srs = OGR_L_GetSpatialRef(layer)) {
        const char* name = OSRGetName(srs);
        info.coordinateSystem = ogrcore::Wide(name ? name : "");
        char* wkt = nullptr;
        if (OSRExportToWkt(srs, &wkt) == OGRERR_NONE && wkt) info.wkt = ogrcore::Wide(wkt);
        CPLFree(wkt);
    }
    ogrcore::ErrorTrap trap;
    OGREnvelope env;
    if (OGR_L_GetExtent(layer, &env, FALSE) == OGRERR_NONE) {
        info.minX = env.MinX, info.minY = env.MinY, info.maxX = env.MaxX, info.maxY = env.MaxY;
    } else {
        info.minX = info.minY = -10000000;
        info.maxX = info.maxY = 10000000;
    }
    for (auto& c : contexts)
        if (c.name == info.name) {
            c = info;
            return info.name;
        }
    contexts.push_back(info);
    return info.name;
}

void OgrConnection::ClassBuilt(ogrcore::ClassMap*, const GeometryScan&) {}

namespace {
// A coordinate system given as bare WKT (a .prj text, say) carries no
// authority code, and formats such as GeoJSON then write no "crs" at all,
// so the data reads back as WGS 84. Like GDAL's own shape file reader,
// take the registry's entry when one matches clearly with confidence.
OGRSpatialReferenceH IdentifiedSrs(OGRSpatialReferenceH srs) {
    if (OSRGetAuthorityCode(srs, nullptr)) return srs;
    OGRSpatialReferenceH match = ogrcore::RegistryMatch(srs, 90);
    if (!match) return srs;
    OSRRelease(srs);
    OSRSetAxisMappingStrategy(match, OAMS_TRADITIONAL_GIS_ORDER);
    return match;
}
}  // namespace

OGRSpatialReferenceH OgrConnection::NewLayerSrs(const ogrcore::SpatialContextInfo* context,
                                                FdoGeometricPropertyDefinition*,
                                                FdoPtr<ogrcore::GeometryAdapter>&) {
    if (!context) return nullptr;
    FdoStringP text = context->wkt.IsEmpty() ? context->coordinateSystem : context->wkt;
    if (text.IsEmpty()) return nullptr;
    OGRSpatialReferenceH srs = OSRNewSpatialReference(nullptr);
    ogrcore::ErrorTrap trap;
    if (OSRSetFromUserInput(srs, ogrcore::Utf8(text).c_str()) != OGRERR_NONE) {
        OSRRelease(srs);
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
            L"The coordinate system of spatial context '%ls' cannot be read",
            static_cast<FdoString*>(context->name))));
    }
    OSRSetAxisMappingStrategy(srs, OAMS_TRADITIONAL_GIS_ORDER);
    return IdentifiedSrs(srs);
}

FdoConnectionState OgrConnection::Open() {
    if (m_state == FdoConnectionState_Open) throw FdoConnectionException::Create(L"The connection is already open.");
    FdoCommonConnPropDictionary* dict = m_info->Dictionary();
    dict->Validate();
    Target target = ResolveTarget();
    Reset();
    m_target = target;
    m_driver = target.createDriver;
    m_source = ogrcore::DataSource::Create(target.path, target.drivers, target.writable);
    FixedContexts(m_contexts);
    try {
        if (target.createDriver.empty()) Load();
        m_state = FdoConnectionState_Open;
        if (target.writable) RestoreFields();
    } catch (...) {
        m_state = FdoConnectionState_Closed;
        Reset();
        m_source = nullptr;
        throw;
    }
    m_state = FdoConnectionState_Open;
    if (!LooksLikeConnectionText(target.path)) m_info->SetOpenFile(ogrcore::Wide(target.path.c_str()));
    dict->SetLocked(true);
    return m_state;
}

void OgrConnection::Load() {
    FdoPtr<ogrcore::Dataset> ds = ogrcore::Dataset::Open(m_target.path, false, m_target.drivers);
    m_driver = GDALGetDriverShortName(GDALGetDatasetDriver(ds->Handle()));
    int count = GDALDatasetGetLayerCount(ds->Handle());
    for (int i = 0; i < count; i++) {
        OGRLayerH layer = GDALDatasetGetLayer(ds->Handle(), i);
        FdoStringP className = ClassNameOf(OGR_L_GetName(layer));
        if (FdoPtr<ogrcore::ClassMap>(FindClass(className))) continue;  // a layer name seen twice
        FdoStringP context = ContextOfLayer(layer, className, m_contexts);
        FdoPtr<ogrcore::ClassMap> map = AddLayerClass(layer, className, context);
    }
}

ogrcore::ClassMap* OgrConnection::AddLayerClass(OGRLayerH layer, FdoString* className, FdoString* context) {
    GeometryScan scan;
    FdoPtr<ogrcore::ClassMap> map =
        BuildLayerClass(m_source, layer, className, context, m_target.writable, Rules(), &scan);
    ClassBuilt(map, scan);
    // A multi layer takes the single form of its kind too, as a multi
    // geometry of one part (OgrDeclaredGeometry.h).
    if (!map->Adapter()) {
        FdoPtr<ogrcore::GeometryAdapter> multi = MultiPartAdapterFor(OGR_L_GetGeomType(layer));
        if (multi) map->SetGeometryAdapter(multi);
    }
    CreatedLayer created;
    if (RecallLayer(m_target.path, map->LayerName(), created))
        for (const auto& [alias, property] : created.aliases) map->AddAlias(alias.c_str(), property.c_str());
    FdoPtr<FdoClassDefinition> cls = map->GetClass();
    FdoPtr<FdoFeatureSchema> schema = Schema();
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(cls);
    schema->AcceptChanges();
    m_classes[className] = Entry{map};
    return map.Detach();
}

void OgrConnection::Reset() {
    m_classes.clear();
    m_contexts.clear();
    m_schemas = FdoFeatureSchemaCollection::Create(nullptr);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(SchemaName(), L"");
    m_schemas->Add(schema);
}

void OgrConnection::Close() {
    if (m_state != FdoConnectionState_Open) return;
    FdoPtr<ogrcore::DataSource> source = m_source;
    m_classes.clear();
    m_schemas = nullptr;
    m_contexts.clear();
    m_source = nullptr;
    m_state = FdoConnectionState_Closed;
    m_info->SetOpenFile(L"");
    m_info->Dictionary()->SetLocked(false);
    if (source) source->Close();
}

void OgrConnection::Flush() {
    CheckOpen();
    m_source->Flush();
}

void OgrConnection::CheckOpen() {
    if (m_state != FdoConnectionState_Open) throw FdoConnectionException::Create(L"The connection is not open.");
}

FdoICommand* OgrConnection::CreateCommand(FdoInt32 type) {
    FdoPtr<FdoCommonCommandCapabilities> caps =
        static_cast<FdoCommonCommandCapabilities*>(GetCommandCapabilities());
    if (!caps->Supports(type))
        throw FdoConnectionException::Create(
            FdoStringP::Format(L"The command %d is not supported by %ls.", static_cast<int>(type), ProviderName()));
    if (FdoICommand* own = CreateOwnCommand(type)) return own;
    CheckOpen();
    switch (type) {
        case FdoCommandType_Select: return ogrcore::Select::Create(this, this);
        case FdoCommandType_SelectAggregates: return ogrcore::SelectAggregates::Create(this, this);
        case FdoCommandType_Insert: return ogrcore::Insert::Create(this, this);
        case FdoCommandType_Update: return ogrcore::Update::Create(this, this);
        case FdoCommandType_Delete: return ogrcore::Delete::Create(this, this);
        case FdoCommandType_DescribeSchema: return ogrcore::DescribeSchema::Create(this, this);
        case FdoCommandType_GetSchemaNames: return ogrcore::GetSchemaNames::Create(this, this);
        case FdoCommandType_GetClassNames: return ogrcore::GetClassNames::Create(this, this);
        case FdoCommandType_GetSpatialContexts: return ogrcore::GetSpatialContexts::Create(this, this);
        case FdoCommandType_ApplySchema: return OgrApplySchema::Create(this);
        case FdoCommandType_CreateSpatialContext: return OgrCreateSpatialContext::Create(this);
        default: break;
    }
    throw FdoConnectionException::Create(
        FdoStringP::Format(L"The command %d is not supported by %ls.", static_cast<int>(type), ProviderName()));
}

FdoFeatureSchema* OgrConnection::Schema() { return m_schemas->GetItem(0); }

ogrcore::ClassMap* OgrConnection::FindClass(FdoString* name) {
    auto it = m_classes.find(name ? name : L"");
    return it == m_classes.end() ? nullptr : FDO_SAFE_ADDREF(it->second.map.p);
}

ogrcore::ClassMap* OgrConnection::GetClassMap(FdoIdentifier* className) {
    CheckOpen();
    FdoString* name = className ? className->GetName() : L"";
    ogrcore::ClassMap* map = FindClass(name);
    if (!map)
        throw FdoCommandException::Create(FdoStringP::Format(L"Class '%ls' is not in schema '%ls' of '%ls'.", name,
                                                             SchemaName(), static_cast<FdoString*>(DataSourceText())));
    return map;
}

void OgrConnection::CheckWritable(ogrcore::ClassMap* map) {
    if (!m_target.writable)
        throw FdoCommandException::Create(FdoStringP::Format(L"Class '%ls' cannot be written: '%ls' is read-only.",
                                                             map->ClassName(), static_cast<FdoString*>(DataSourceText())));
}

void OgrConnection::GetSpatialContexts(std::vector<ogrcore::SpatialContextInfo>& contexts) {
    CheckOpen();
    contexts.insert(contexts.end(), m_contexts.begin(), m_contexts.end());
}

const ogrcore::SpatialContextInfo* OgrConnection::FindContext(FdoString* name) const {
    if (!name || !*name) return nullptr;
    for (const auto& c : m_contexts)
        if (wcscasecmp(c.name, name) == 0) return &c;
    return nullptr;
}

void OgrConnection::AddContext(const ogrcore::SpatialContextInfo& context) {
    for (auto& c : m_contexts)
        if (wcscasecmp(c.name, context.name) == 0) {
            c = context;
            return;
        }
    m_contexts.push_back(context);
}

ogrcore::Dataset* OgrConnection::DatasetForCreate() {
    if (m_target.createDriver.empty()) return m_source->UpdateDataset();
    ogrcore::ErrorTrap trap;
    GDALDriverH driver = GDALGetDriverByName(m_target.createDriver.c_str());
    GDALDatasetH h = driver ? GDALCreate(driver, m_target.path.c_str(), 0, 0, 0, GDT_Unknown, nullptr) : nullptr;
    if (!h)
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
            L"Cannot create the data source '%ls' with GDAL's %ls driver", static_cast<FdoString*>(DataSourceText()),
            static_cast<FdoString*>(ogrcore::Wide(m_target.createDriver.c_str())))));
    FdoPtr<ogrcore::Dataset> ds = ogrcore::Dataset::Adopt(h, m_target.path, true);
    m_source->AdoptUpdateDataset(ds);
    m_target.createDriver.clear();
    return ds.Detach();
}

void OgrConnection::CreateClass(FdoClassDefinition* cls) {
    CheckOpen();
    FdoString* className = cls->GetName();
    if (!m_target.writable)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"Class '%ls' cannot be created: '%ls' is read-only.", className, static_cast<FdoString*>(DataSourceText())));
    if (FdoPtr<ogrcore::ClassMap>(FindClass(className)))
        throw FdoSchemaException::Create(
            FdoStringP::Format(L"Class '%ls' already exists in schema '%ls'.", className, SchemaName()));
    FdoGeometricPropertyDefinition* geometry = nullptr;
    FdoPtr<FdoGeometricPropertyDefinition> declared;
    if (auto* feature = dynamic_cast<FdoFeatureClass*>(cls)) declared = feature->GetGeometryProperty();
    geometry = declared;
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    for (FdoInt32 i = 0; i < props->GetCount() && !geometry; i++) {
        FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
        geometry = dynamic_cast<FdoGeometricPropertyDefinition*>(p.p);
    }
    // The layer's coordinate system is that of the context the geometry
    // names when this connection knows it; an unknown context gives none.
    const ogrcore::SpatialContextInfo* context = geometry ? FindContext(geometry->GetSpatialContextAssociation()) : nullptr;
    FdoPtr<ogrcore::GeometryAdapter> adapter;
    OGRSpatialReferenceH srs = NewLayerSrs(context, geometry, adapter);
    std::set<std::wstring> skip;
    for (auto& [property, field] : ReservedProperties()) skip.insert(property);
    std::vector<Renamed> renamed;
    OGRLayerH layer = nullptr;
    try {
        FdoPtr<ogrcore::Dataset> ds = DatasetForCreate();
        layer = CreateLayerForClass(ds, cls, LayerNameOf(className), srs, skip, renamed);
        // The provider's own fields, in every new layer (text).
        for (auto& [property, field] : ReservedProperties()) {
            if (OGR_FD_GetFieldIndex(OGR_L_GetLayerDefn(layer), field.c_str()) >= 0) continue;
            OGRFieldDefnH fd = OGR_Fld_Create(field.c_str(), OFTString);
            ogrcore::ErrorTrap trap;
            OGRErr err = OGR_L_CreateField(layer, fd, TRUE);
            OGR_Fld_Destroy(fd);
            if (err != OGRERR_NONE)
                throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
                    L"Cannot create the field '%ls' of class '%ls'", property.c_str(), className)));
        }
        CreateTableNow(ds, layer, className);
    } catch (...) {
        if (srs) OSRRelease(srs);
        throw;
    }
    if (srs) OSRRelease(srs);
    FdoStringP contextName = ContextOfLayer(layer, className, m_contexts);
    FdoPtr<ogrcore::ClassMap> map = AddLayerClass(layer, className, contextName);
    if (adapter) map->SetGeometryAdapter(adapter);
    CreatedLayer created;
    for (const auto& r : renamed) created.aliases.emplace_back(r.property.Str(), ogrcore::Wide(r.field.c_str()).Str());
    // Names the class gave the properties the provider keeps itself.
    auto reserved = ReservedProperties();
    for (FdoInt32 i = 0; i < props->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
        for (auto& [property, field] : reserved)
            if (wcscasecmp(property.c_str(), p->GetName()) == 0) created.aliases.emplace_back(p->GetName(), property);
    }
    if (geometry && map->GeometryIndex() >= 0)
        created.aliases.emplace_back(geometry->GetName(),
                                     map->Bindings()[static_cast<size_t>(map->GeometryIndex())].name.Str());
    for (const auto& [alias, property] : created.aliases) map->AddAlias(alias.c_str(), property.c_str());
    for (auto& f : FieldsOf(layer)) {
        bool reserved = false;
        for (auto& [property, field] : ReservedProperties()) reserved = reserved || field == f.name;
        if (!reserved) created.fields.push_back(f);
    }
    RememberLayer(m_target.path, map->LayerName(), created);
    ClassCreated(map, layer, context);
}

void OgrConnection::RestoreFields() {
    std::vector<std::wstring> names;
    for (const auto& [name, entry] : m_classes) names.push_back(name);
    for (const auto& className : names) {
        FdoPtr<ogrcore::ClassMap> map = FindClass(className.c_str());
        CreatedLayer created;
        if (!RecallLayer(m_target.path, map->LayerName(), created)) continue;
        std::vector<FieldSpec> missing;
        for (const auto& f : created.fields)
            if (map->Find(ogrcore::Wide(f.name.c_str())) < 0) missing.push_back(f);
        if (missing.empty()) continue;
        FdoPtr<ogrcore::Dataset> ds = DatasetForCreate();
        OGRLayerH layer = ds->Layer(map->LayerName());
        ogrcore::ErrorTrap trap;
        for (const auto& f : missing) {
            OGRFieldDefnH fd = OGR_Fld_Create(f.name.c_str(), f.type);
            OGR_Fld_SetSubType(fd, f.subType);
            OGR_Fld_SetWidth(fd, f.width);
            OGR_Fld_SetPrecision(fd, f.precision);
            OGRErr err = OGR_L_CreateField(layer, fd, TRUE);
            OGR_Fld_Destroy(fd);
            if (err != OGRERR_NONE)
                throw FdoConnectionException::Create(trap.Describe(FdoStringP::Format(
                    L"Cannot restore the field '%ls' of class '%ls' in '%ls'",
                    static_cast<FdoString*>(ogrcore::Wide(f.name.c_str())), className.c_str(),
                    static_cast<FdoString*>(DataSourceText()))));
        }
        ReloadClass(className.c_str(), layer);
    }
}

void OgrConnection::ReloadClass(FdoString* className, OGRLayerH layer) {
    FdoStringP name = className;
    m_classes.erase(name.Str());
    FdoPtr<FdoFeatureSchema> schema = Schema();
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    FdoInt32 i = classes->IndexOf(name);
    if (i >= 0) classes->RemoveAt(i);
    FdoStringP context = ContextOfLayer(layer, name, m_contexts);
    FdoPtr<ogrcore::ClassMap> map = AddLayerClass(layer, name, context);
}


void OgrConnection::DeleteClass(FdoString* className) {
    CheckOpen();
    FdoPtr<ogrcore::ClassMap> map = FindClass(className);
    if (!map) return;
    FdoPtr<ogrcore::Dataset> ds = DatasetForCreate();
    ogrcore::ErrorTrap trap;
    int count = GDALDatasetGetLayerCount(ds->Handle());
    for (int i = 0; i < count; i++) {
        if (map->LayerName() != OGR_L_GetName(GDALDatasetGetLayer(ds->Handle(), i))) continue;
        if (GDALDatasetDeleteLayer(ds->Handle(), i) != OGRERR_NONE)
            throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
                L"Cannot delete the layer of class '%ls' from '%ls'", className, static_cast<FdoString*>(DataSourceText()))));
        break;
    }
    m_classes.erase(className);
    FdoPtr<FdoFeatureSchema> schema = Schema();
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    FdoInt32 i = classes->IndexOf(className);
    if (i >= 0) classes->RemoveAt(i);
    schema->AcceptChanges();
}

}  // namespace ogrprovider
