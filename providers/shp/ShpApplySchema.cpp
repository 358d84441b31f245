// ApplySchema plans every class first (types, names, geometry kind, .prj)
// so that a refused schema creates nothing, then writes each new set: GDAL
// makes the .shp/.shx, this code writes the .dbf header itself (GDAL would
// cut names to 10 characters and has no logical fields), the .cpg and the
// .prj with the exact WKT of the spatial context.
#include "ShpCommands.h"

#include <ogrcore/OgrClassChange.h>
#include <ogrcore/OgrError.h>
#include <ogrcore/OgrValues.h>

#include "ShpClassBuilder.h"
#include "ShpConnection.h"

#include <algorithm>
#include <set>

namespace shp {

namespace {

struct Alias {
    FdoStringP schemaName;
    FdoStringP fileName;
};

struct Layout {
    FdoStringP className;
    fs::path shp;
    std::vector<DbfField> fields;
    std::vector<Alias> aliases;
    bool hasGeometry = false;
    bool hasMeasure = false;
    std::string shapeTypeOption;
    FdoStringP context;
    std::string wkt;
};

[[noreturn]] void Refuse(const FdoStringP& message) { throw FdoSchemaException::Create(message); }

// The SHPT base name for an accepted set of geometry types, "" when refused.
std::string ShapeKind(const std::set<FdoGeometryType>& types) {
    using S = std::set<FdoGeometryType>;
    const S point = {FdoGeometryType_Point}, multiPoint = {FdoGeometryType_MultiPoint},
            points = {FdoGeometryType_Point, FdoGeometryType_MultiPoint};
    const S line = {FdoGeometryType_LineString}, multiLine = {FdoGeometryType_MultiLineString},
            lines = {FdoGeometryType_LineString, FdoGeometryType_MultiLineString},
            curves = {FdoGeometryType_LineString, FdoGeometryType_MultiLineString, FdoGeometryType_CurveString,
                      FdoGeometryType_MultiCurveString};
    const S polygon = {FdoGeometryType_Polygon}, multiPolygon = {FdoGeometryType_MultiPolygon},
            polygons = {FdoGeometryType_Polygon, FdoGeometryType_MultiPolygon},
            surfaces = {FdoGeometryType_Polygon, FdoGeometryType_MultiPolygon, FdoGeometryType_CurvePolygon,
                        FdoGeometryType_MultiCurvePolygon};
    if (types == point) return "POINT";
    if (types == multiPoint || types == points) return "MULTIPOINT";
    if (types == line || types == multiLine || types == lines || types == curves) return "ARC";
    if (types == polygon || types == multiPolygon || types == polygons || types == surfaces) return "POLYGON";
    return "";
}

// A DBF field name: at most 11 bytes, cut at a character boundary.
std::string FieldNameFor(FdoString* name) {
    std::wstring w(name ? name : L"");
    for (wchar_t& c : w)
        if (c < 0x20 || c == L':' || c == L'.') c = L'_';
    std::string utf8 = FdoStringP::Utf8FromUnicode(w.c_str());
    if (utf8.size() <= 11) return utf8;
    size_t cut = 11;
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80) cut--;
    return utf8.substr(0, cut);
}

std::string Upper(std::string s) {
    for (char& c : s) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string UniqueFieldName(const std::string& wanted, std::set<std::string>& taken) {
    std::string name = wanted;
    for (int n = 1; taken.count(Upper(name)); n++) {
        std::string suffix = std::to_string(n);
        std::string base = wanted.substr(0, std::min(wanted.size(), 11 - suffix.size()));
        while (!base.empty() && (static_cast<unsigned char>(base.back()) & 0xC0) == 0x80) base.pop_back();
        if (!base.empty() && (static_cast<unsigned char>(base.back()) & 0xC0) == 0xC0) base.pop_back();
        name = base + suffix;
    }
    taken.insert(Upper(name));
    return name;
}

DbfField FieldFor(FdoDataPropertyDefinition* p, FdoString* className) {
    DbfField f;
    int precision = p->GetPrecision();
    switch (p->GetDataType()) {
        case FdoDataType_String:
            f.type = 'C';
            f.width = p->GetLength() > 0 && p->GetLength() <= 255 ? p->GetLength() : 255;
            break;
        case FdoDataType_DateTime: f.type = 'D'; f.width = 8; break;
        case FdoDataType_Boolean: f.type = 'L'; f.width = 1; break;
        case FdoDataType_Int16: f.type = 'N'; f.width = precision > 0 ? precision : 6; break;
        case FdoDataType_Int32: f.type = 'N'; f.width = precision > 0 ? precision : 11; break;
        case FdoDataType_Int64: f.type = 'N'; f.width = precision > 0 ? precision : 20; break;
        case FdoDataType_Decimal:
            f.type = 'N';
            f.decimals = std::max(0, p->GetScale());
            f.width = precision > 0 ? precision : 20;
            if (f.decimals > 0 && f.width < f.decimals + 2) f.width = f.decimals + 2;
            break;
        default:
            Refuse(FdoStringP::Format(L"The '%ls' data type is not supported by Shp (property '%ls' of class '%ls').",
                                      ogrcore::DataTypeName(p->GetDataType()), p->GetName(), className));
    }
    f.width = std::min(f.width, 255);
    f.decimals = std::min(f.decimals, 255);
    return f;
}

fs::path FileFor(ShpConnection* conn, FdoString* className) {
    std::wstring name(className);
    bool bad = name.find_first_of(L"<>?*\\/:\"'|") != std::wstring::npos;
    auto taken = [&](const std::string& stem) {
        for (const char* ext : {".shp", ".shx", ".dbf"})
            if (Exists(Sibling(conn->Folder() / (stem + ".shp"), ext))) return true;
        return false;
    };
    if (!bad) {
        std::string stem = FdoStringP::Utf8FromUnicode(className);
        if (taken(stem))
            Refuse(FdoStringP::Format(L"The shape file '%ls' of class '%ls' already exists.",
                                      static_cast<FdoString*>(PathText(conn->Folder() / (stem + ".shp"))), className));
        return conn->Folder() / (stem + ".shp");
    }
    for (int n = 1;; n++) {
        std::string stem = "CLASS" + std::to_string(n);
        if (!taken(stem)) return conn->Folder() / (stem + ".shp");
    }
}

Layout Plan(ShpConnection* conn, FdoClassDefinition* cls) {
    Layout layout;
    FdoString* className = cls->GetName();
    layout.className = className;
    if (cls->GetClassType() != FdoClassType_FeatureClass && cls->GetClassType() != FdoClassType_Class)
        Refuse(FdoStringP::Format(L"Class '%ls' is of a class type Shp does not support.", className));
    FdoPtr<FdoClassDefinition> base = cls->GetBaseClass();
    if (base) Refuse(FdoStringP::Format(L"Class '%ls' has a base class: Shp does not support inheritance.", className));

    FdoPtr<FdoDataPropertyDefinitionCollection> identity = cls->GetIdentityProperties();
    if (identity->GetCount() > 1)
        Refuse(FdoStringP::Format(L"Class '%ls' has %d identity properties: Shp supports one, of type Int32.",
                                  className, identity->GetCount()));
    FdoPtr<FdoDataPropertyDefinition> id = identity->GetCount() == 1 ? identity->GetItem(0) : nullptr;
    if (id && id->GetDataType() != FdoDataType_Int32)
        Refuse(FdoStringP::Format(L"The identity property '%ls' of class '%ls' must be Int32: Shp numbers its records.",
                                  id->GetName(), className));
    if (id && wcscmp(id->GetName(), kIdentityName) != 0) layout.aliases.push_back({id->GetName(), kIdentityName});

    std::set<std::string> taken;
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    int geometries = 0;
    for (FdoInt32 i = 0; i < props->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
        if (p->GetElementState() == FdoSchemaElementState_Deleted) continue;
        if (auto* data = dynamic_cast<FdoDataPropertyDefinition*>(p.p)) {
            if (id && data == id.p) continue;
            DbfField f = FieldFor(data, className);
            f.name = UniqueFieldName(FieldNameFor(data->GetName()), taken);
            FdoStringP stored(f.name.c_str());
            if (stored != data->GetName()) layout.aliases.push_back({data->GetName(), stored});
            layout.fields.push_back(f);
        } else if (auto* g = dynamic_cast<FdoGeometricPropertyDefinition*>(p.p)) {
            if (++geometries > 1)
                Refuse(FdoStringP::Format(L"Class '%ls' has more than one geometric property: Shp stores one.", className));
            FdoInt32 n = 0;
            FdoGeometryType* list = g->GetSpecificGeometryTypes(n);
            std::set<FdoGeometryType> types(list, list + n);
            std::string kind = ShapeKind(types);
            if (kind.empty()) {
                FdoStringP names;
                for (FdoGeometryType t : types) names += (names.IsEmpty() ? L"" : L", ") + FdoStringP(ogrcore::GeometryTypeName(t));
                Refuse(FdoStringP::Format(L"The '%ls' geometry type (or combination of types) is not supported.",
                                          static_cast<FdoString*>(names)));
            }
            layout.hasGeometry = true;
            layout.hasMeasure = g->GetHasMeasure();
            layout.shapeTypeOption = kind + (g->GetHasElevation() ? (g->GetHasMeasure() ? "ZM" : "Z")
                                             : g->GetHasMeasure() ? "M" : "");
            if (wcscmp(g->GetName(), kGeometryName) != 0) layout.aliases.push_back({g->GetName(), kGeometryName});
            // The .prj holds the WKT of the context the geometry names when
            // this connection knows it; an unknown context gives no .prj.
            if (const ShpContext* c = conn->Contexts().Find(g->GetSpatialContextAssociation())) {
                layout.context = c->name;
                layout.wkt = c->wkt;
            }
        } else {
            Refuse(FdoStringP::Format(L"The property '%ls' of class '%ls' is of a kind Shp does not store.",
                                      p->GetName(), className));
        }
    }
    if (layout.context.IsEmpty()) layout.context = kDefaultContext;
    if (!layout.hasGeometry) layout.shapeTypeOption = "POINT";
    layout.shp = FileFor(conn, className);
    return layout;
}

// A Z file without records cannot say whether it carries measures (GDAL
// reads it as measured), so the new class keeps what the schema asked for.
void KeepMeasure(ogrcore::ClassMap* map, bool hasMeasure) {
    FdoPtr<FdoClassDefinition> cls = map->GetClass();
    FdoPtr<FdoGeometricPropertyDefinition> g = static_cast<FdoFeatureClass*>(cls.p)->GetGeometryProperty();
    if (!g || g->GetHasMeasure() == hasMeasure) return;
    g->SetHasMeasure(hasMeasure);
    FdoPtr<FdoFeatureSchema> schema = cls->GetFeatureSchema();
    if (schema) schema->AcceptChanges();
}

void RemoveFiles(const fs::path& shp) {
    std::error_code ec;
    for (const char* ext : {".shp", ".shx", ".dbf", ".prj", ".cpg", ".qix", ".sbn", ".sbx"}) {
        fs::remove(Sibling(shp, ext), ec);
    }
}

void Write(const Layout& layout) {
    ogrcore::ErrorTrap trap;
    GDALDriverH driver = GDALGetDriverByName("ESRI Shapefile");
    std::string path = layout.shp.string();
    GDALDatasetH ds = driver ? GDALCreate(driver, path.c_str(), 0, 0, 0, GDT_Unknown, nullptr) : nullptr;
    if (!ds)
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
            L"Cannot create the shape file '%ls' of class '%ls'", static_cast<FdoString*>(PathText(layout.shp)),
            static_cast<FdoString*>(layout.className))));
    std::string shpt = "SHPT=" + layout.shapeTypeOption;
    const char* options[] = {shpt.c_str(), "ENCODING=UTF-8", nullptr};
    std::string stem = layout.shp.stem().string();
    OGRLayerH layer = GDALDatasetCreateLayer(ds, stem.c_str(), nullptr, wkbUnknown, const_cast<char**>(options));
    GDALClose(ds);
    if (!layer || trap.HasFailure()) {
        RemoveFiles(layout.shp);
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
            L"Cannot create the shape file '%ls' of class '%ls'", static_cast<FdoString*>(PathText(layout.shp)),
            static_cast<FdoString*>(layout.className))));
    }
    WriteEmptyDbf(Sibling(layout.shp, ".dbf"), layout.fields);
    WriteText(Sibling(layout.shp, ".cpg"), "UTF-8");
    if (!layout.hasGeometry) {
        WriteShapeType(layout.shp, kNullShape);
        WriteShapeType(Sibling(layout.shp, ".shx"), kNullShape);
    }
    if (!layout.wkt.empty()) WriteText(Sibling(layout.shp, ".prj"), layout.wkt);
}

}  // namespace

ShpApplySchema* ShpApplySchema::Create(ShpConnection* connection) { return new ShpApplySchema(connection); }

ShpApplySchema::ShpApplySchema(ShpConnection* connection)
    : ApplySchemaSettings(connection, connection), m_shp(connection) {}

void ShpApplySchema::SetPhysicalMapping(FdoPhysicalSchemaMapping* value) {
    if (value) throw FdoCommandException::Create(L"Schema mappings are not supported by OSGeo.SHP.");
}

void ShpApplySchema::Execute() {
    m_shp->CheckOpen();
    if (!m_schema) throw FdoCommandException::Create(L"ApplySchema has no feature schema to apply.");
    if (m_shp->IsSingleFile())
        throw FdoCommandException::Create(FdoStringP::Format(
            L"ApplySchema cannot change a connection to the single shape file in '%ls': connect to the folder.",
            static_cast<FdoString*>(PathText(m_shp->Folder()))));

    std::vector<Layout> creates;
    std::vector<FdoStringP> deletes;
    FdoPtr<FdoClassCollection> classes = m_schema->GetClasses();
    bool folderChecked = false;
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
        FdoPtr<ogrcore::ClassMap> existing = m_shp->FindClass(cls->GetName());
        ogrcore::ClassChange change = ogrcore::ClassChangeFor(cls->GetElementState(), existing, m_ignoreStates);
        if (change == ogrcore::ClassChange::Conflict)
            throw FdoSchemaException::Create(
                FdoStringP::Format(L"Class '%ls' already exists in schema '%ls'.", cls->GetName(), kSchemaName));
        bool create = change == ogrcore::ClassChange::Create, remove = change == ogrcore::ClassChange::Remove;
        if ((create || remove) && !folderChecked) {
            if (!IsWritable(m_shp->Folder()))
                throw FdoCommandException::Create(FdoStringP::Format(
                    L"The folder '%ls' is read-only: the schema cannot be applied.",
                    static_cast<FdoString*>(PathText(m_shp->Folder()))));
            folderChecked = true;
        }
        if (create) creates.push_back(Plan(m_shp, cls));
        if (remove) deletes.push_back(cls->GetName());
    }
    for (size_t i = 0; i < creates.size(); i++)
        for (size_t j = 0; j < i; j++)
            if (creates[i].shp == creates[j].shp) creates[i].shp = FileFor(m_shp, L"<");

    for (const auto& name : deletes) {
        fs::path shp = m_shp->FileOf(name);
        m_shp->RemoveClass(name);
        RemoveFiles(shp);
    }
    for (const auto& layout : creates) {
        Write(layout);
        try {
            m_shp->AddClass(layout.shp, layout.className, layout.context);
        } catch (FdoException*) {
            RemoveFiles(layout.shp);
            throw;
        }
        FdoPtr<ogrcore::ClassMap> map = m_shp->FindClass(layout.className);
        for (const auto& a : layout.aliases) map->AddAlias(a.schemaName, a.fileName);
        if (layout.hasGeometry) KeepMeasure(map, layout.hasMeasure);
    }
    m_schema->AcceptChanges();
}

// ---------------------------------------------------- CreateSpatialContext

ShpCreateSpatialContext* ShpCreateSpatialContext::Create(ShpConnection* connection) {
    return new ShpCreateSpatialContext(connection);
}

ShpCreateSpatialContext::ShpCreateSpatialContext(ShpConnection* connection)
    : CreateSpatialContextSettings(0.001, connection, connection), m_shp(connection) {}

void ShpCreateSpatialContext::Execute() {
    m_shp->CheckOpen();
    FdoXmlSpatialContext sc = Settings();
    double extent[4] = {sc.minX, sc.minY, sc.maxX, sc.maxY};
    m_shp->Contexts().Create(sc.name, sc.description, sc.coordinateSystem, sc.coordinateSystemWkt,
                             sc.hasExtent ? extent : nullptr, sc.xyTolerance, sc.zTolerance);
}

// -------------------------------------------------------- CreateDataStore

ShpCreateDataStore* ShpCreateDataStore::Create(ShpConnection* connection) { return new ShpCreateDataStore(connection); }

ShpCreateDataStore::ShpCreateDataStore(ShpConnection* connection)
    : DataStoreSettings(kLocationProperty, FdoCommonProp_FilePath, connection, connection) {}

void ShpCreateDataStore::Execute() {
    m_properties->Validate();
    fs::path folder = NormalisePath(m_properties->GetProperty(kLocationProperty));
    if (Exists(folder))
        throw FdoCommandException::Create(FdoStringP::Format(L"The directory '%ls' already exists.",
                                                             static_cast<FdoString*>(PathText(folder))));
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec)
        throw FdoCommandException::Create(FdoStringP::Format(L"The directory '%ls' cannot be created: %ls.",
                                                             static_cast<FdoString*>(PathText(folder)),
                                                             static_cast<FdoString*>(FdoStringP(ec.message().c_str()))));
}

}  // namespace shp
