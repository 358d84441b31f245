// Open validates the location, then reads each shape file set into a class;
// a set that cannot be read fails the open with a message naming the file.
// Close flushes and closes every data source the commands opened.
#include "ShpConnection.h"

#include <ogrcore/OgrCommands.h>
#include <ogrcore/OgrError.h>

#include "ShpCapabilities.h"
#include "ShpClassBuilder.h"
#include "ShpCommands.h"

#include <algorithm>

#include <strings.h>

namespace shp {

// ------------------------------------------------------------------ info

ShpConnectionInfo::ShpConnectionInfo(ShpConnection* owner)
    : m_owner(owner), m_dictionary(FdoCommonConnPropDictionary::Create()) {
    m_dictionary->AddProperty(kLocationProperty, L"", FdoCommonProp_FileName | FdoCommonProp_FilePath);
    m_dictionary->AddProperty(kTemporaryProperty, L"", FdoCommonProp_FilePath);
}

FdoString* ShpConnectionInfo::GetProviderDisplayName() { return L"OSGeo FDO Provider for SHP"; }

FdoString* ShpConnectionInfo::GetProviderDescription() {
    return L"Read/write access to spatial and attribute data in shape files.";
}

FdoStringCollection* ShpConnectionInfo::GetDependentFileNames() {
    FdoStringCollection* names = FdoStringCollection::Create();
    if (m_owner)
        for (const auto& file : m_owner->Files()) names->Add(PathText(file));
    return names;
}

// ------------------------------------------------------------ connection

ShpConnection::ShpConnection() : m_info(ShpConnectionInfo::Create(this)) { ogrcore::Init(); }

ShpConnection::~ShpConnection() {
    try {
        Close();
    } catch (FdoException* e) {
        e->Release();
    }
    m_info->Orphan();
}

FdoICommandCapabilities* ShpConnection::GetCommandCapabilities() { return CommandCapabilities(); }
FdoISchemaCapabilities* ShpConnection::GetSchemaCapabilities() { return SchemaCapabilities(); }
FdoIConnectionCapabilities* ShpConnection::GetConnectionCapabilities() { return ConnectionCapabilities(); }
FdoIFilterCapabilities* ShpConnection::GetFilterCapabilities() { return FilterCapabilities(); }
FdoIExpressionCapabilities* ShpConnection::GetExpressionCapabilities() { return ExpressionCapabilities(); }
FdoIGeometryCapabilities* ShpConnection::GetGeometryCapabilities() { return GeometryCapabilities(); }


FdoIConnectionInfo* ShpConnection::GetConnectionInfo() { return FDO_SAFE_ADDREF(m_info.p); }
FdoCommonConnPropDictionary* ShpConnection::Properties() { return m_info->Dictionary(); }


FdoConnectionState ShpConnection::Open() {
    if (m_state == FdoConnectionState_Open) throw FdoConnectionException::Create(L"The connection is already open.");
    FdoCommonConnPropDictionary* dict = m_info->Dictionary();
    dict->Validate();
    FdoStringP location = dict->GetProperty(kLocationProperty);
    fs::path path = location.IsEmpty() ? fs::current_path() : NormalisePath(location);
    std::string ext = path.extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    std::error_code ec;
    if (ext == ".shp") {
        if (!fs::is_regular_file(path, ec))
            throw FdoConnectionException::Create(
                FdoStringP::Format(L"The File '%ls' does not exist.", static_cast<FdoString*>(PathText(path))));
        m_singleFile = true;
        m_folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    } else {
        if (!fs::is_directory(path, ec))
            throw FdoConnectionException::Create(
                FdoStringP::Format(L"The directory '%ls' does not exist.", static_cast<FdoString*>(PathText(path))));
        m_singleFile = false;
        m_folder = path;
    }
    FdoStringP temporary = dict->GetProperty(kTemporaryProperty);
    if (!temporary.IsEmpty() && !fs::is_directory(NormalisePath(temporary), ec))
        throw FdoConnectionException::Create(FdoStringP::Format(L"The directory '%ls' does not exist.",
                                                                static_cast<FdoString*>(temporary)));
    Reset();
    try {
        if (m_singleFile) {
            AddClass(path, ClassNameFor(path), nullptr);
        } else {
            std::vector<fs::path> files;
            for (const auto& e : fs::directory_iterator(m_folder)) {
                std::string x = e.path().extension().string();
                if (strcasecmp(x.c_str(), ".shp") == 0 && e.is_regular_file()) files.push_back(e.path());
            }
            std::sort(files.begin(), files.end());
            for (const auto& f : files) AddClass(f, ClassNameFor(f), nullptr);
        }
    } catch (...) {
        Reset();
        throw;
    }
    m_state = FdoConnectionState_Open;
    dict->SetLocked(true);
    return m_state;
}

void ShpConnection::Reset() {
    m_classes.clear();
    m_contexts.Reset();
    m_schemas = FdoFeatureSchemaCollection::Create(nullptr);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(kSchemaName, L"Default schema.");
    m_schemas->Add(schema);
}

void ShpConnection::Close() {
    if (m_state != FdoConnectionState_Open) return;
    FdoException* first = nullptr;
    for (auto& [name, entry] : m_classes) {
        FdoPtr<ogrcore::DataSource> source = entry.map->GetSource();
        try {
            source->Close();
        } catch (FdoException* e) {
            if (first) e->Release();
            else first = e;
        }
    }
    m_classes.clear();
    m_schemas = nullptr;
    m_contexts.Reset();
    m_state = FdoConnectionState_Closed;
    m_info->Dictionary()->SetLocked(false);
    if (first) throw first;
}

void ShpConnection::Flush() {
    CheckOpen();
    for (auto& [name, entry] : m_classes) {
        FdoPtr<ogrcore::DataSource> source = entry.map->GetSource();
        source->Flush();
    }
}

void ShpConnection::CheckOpen() {
    if (m_state != FdoConnectionState_Open) throw FdoConnectionException::Create(L"The connection is not open.");
}

FdoICommand* ShpConnection::CreateCommand(FdoInt32 type) {
    FdoPtr<FdoCommonCommandCapabilities> caps = CommandCapabilities();
    if (!caps->Supports(type))
        throw FdoConnectionException::Create(
            FdoStringP::Format(L"The command %d is not supported by OSGeo.SHP.", static_cast<int>(type)));
    if (type == FdoCommandType_CreateDataStore) return ShpCreateDataStore::Create(this);
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
        case FdoCommandType_ApplySchema: return ShpApplySchema::Create(this);
        case FdoCommandType_CreateSpatialContext: return ShpCreateSpatialContext::Create(this);
        default: break;
    }
    throw FdoConnectionException::Create(FdoStringP::Format(L"The command %d is not supported by OSGeo.SHP.", type));
}

FdoFeatureSchema* ShpConnection::Schema() { return m_schemas->GetItem(0); }

ogrcore::ClassMap* ShpConnection::FindClass(FdoString* name) {
    auto it = m_classes.find(name ? name : L"");
    return it == m_classes.end() ? nullptr : FDO_SAFE_ADDREF(it->second.map.p);
}

ogrcore::ClassMap* ShpConnection::GetClassMap(FdoIdentifier* className) {
    CheckOpen();
    FdoString* name = className ? className->GetName() : L"";
    ogrcore::ClassMap* map = FindClass(name);
    if (!map)
        throw FdoCommandException::Create(FdoStringP::Format(L"Class '%ls' is not in schema '%ls' of '%ls'.", name,
                                                             kSchemaName, static_cast<FdoString*>(PathText(m_folder))));
    return map;
}

void ShpConnection::CheckWritable(ogrcore::ClassMap* map) {
    FdoPtr<ogrcore::DataSource> source = map->GetSource();
    if (!source->IsWritable())
        throw FdoCommandException::Create(FdoStringP::Format(L"Class '%ls' cannot be written: '%ls' is read-only.",
                                                             map->ClassName(),
                                                             static_cast<FdoString*>(FdoStringP(source->Path().c_str()))));
}

void ShpConnection::AddClass(const fs::path& shp, FdoString* className, FdoString* contextName) {
    FdoStringP context = contextName ? FdoStringP(contextName) : FdoStringP();
    if (!contextName) {
        fs::path prj = Sibling(shp, ".prj");
        context = Exists(prj) ? m_contexts.ForWkt(ReadText(prj)) : FdoStringP(kDefaultContext);
    }
    FdoPtr<ogrcore::ClassMap> map = BuildClass(shp, className, context);
    FdoPtr<FdoClassDefinition> cls = map->GetClass();
    FdoPtr<FdoFeatureSchema> schema = Schema();
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    if (classes->Contains(className))
        throw FdoCommandException::Create(FdoStringP::Format(L"Class '%ls' already exists.", className));
    classes->Add(cls);
    schema->AcceptChanges();
    m_classes[className] = Entry{map, shp, context};
}

void ShpConnection::RemoveClass(FdoString* className) {
    auto it = m_classes.find(className);
    if (it == m_classes.end()) return;
    FdoPtr<ogrcore::DataSource> source = it->second.map->GetSource();
    source->Close();
    m_classes.erase(it);
    FdoPtr<FdoFeatureSchema> schema = Schema();
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    FdoInt32 i = classes->IndexOf(className);
    if (i >= 0) classes->RemoveAt(i);
    schema->AcceptChanges();
}

fs::path ShpConnection::FileOf(FdoString* className) {
    auto it = m_classes.find(className);
    return it == m_classes.end() ? fs::path() : it->second.shp;
}

std::vector<fs::path> ShpConnection::Files() {
    std::vector<fs::path> files;
    for (const auto& [name, entry] : m_classes) files.push_back(entry.shp);
    return files;
}

void ShpConnection::GetSpatialContexts(std::vector<ogrcore::SpatialContextInfo>& out) {
    CheckOpen();
    const auto& all = m_contexts.All();
    bool defaultUsed = all.size() == 1;
    for (const auto& [name, entry] : m_classes)
        if (entry.context == kDefaultContext && entry.map->GeometryIndex() >= 0) defaultUsed = true;
    for (const auto& c : all) {
        bool isDefault = c.name == kDefaultContext && c.wkt.empty();
        if (isDefault && !defaultUsed) continue;
        ogrcore::SpatialContextInfo info;
        info.name = c.name;
        info.description = c.description;
        info.coordinateSystem = isDefault ? FdoStringP() : c.name;
        info.wkt = FdoStringP(c.wkt.c_str());
        info.xyTolerance = c.xyTolerance;
        info.zTolerance = c.zTolerance;
        info.extentType = isDefault ? FdoSpatialContextExtentType_Static : FdoSpatialContextExtentType_Dynamic;
        FdoFgfBounds bounds;
        if (!isDefault) {
            for (const auto& [name, entry] : m_classes) {
                if (entry.context != c.name || entry.map->GeometryIndex() < 0) continue;
                FdoPtr<ogrcore::DataSource> source = entry.map->GetSource();
                ogrcore::LayerLease lease = source->Read(entry.map->LayerName());
                ogrcore::ErrorTrap trap;
                OGREnvelope env;
                if (OGR_L_GetFeatureCount(lease.Layer(), FALSE) != 0 &&
                    OGR_L_GetExtent(lease.Layer(), &env, TRUE) == OGRERR_NONE) {
                    bounds.Add(env.MinX, env.MinY);
                    bounds.Add(env.MaxX, env.MaxY);
                }
            }
        }
        if (!bounds.IsEmpty()) {
            info.minX = bounds.minX, info.minY = bounds.minY, info.maxX = bounds.maxX, info.maxY = bounds.maxY;
        } else if (c.hasExtent) {
            info.minX = c.minX, info.minY = c.minY, info.maxX = c.maxX, info.maxY = c.maxY;
        } else {
            info.minX = info.minY = -10000000;
            info.maxX = info.maxY = 10000000;
        }
        out.push_back(info);
    }
}

}  // namespace shp
