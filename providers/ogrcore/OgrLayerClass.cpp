// Type mapping follows FDO's OGR conventions (Integer -> Int32, Integer64
// -> Int64, Real -> Double, String -> String, dates -> DateTime) and keeps
// the OGR subtypes that say more (Boolean, Int16, Float32) plus Binary ->
// BLOB, so that those values survive a round trip. Layer creation options
// are passed only when the driver lists them, since drivers reject or
// warn about options they do not know.
#include <ogrcore/OgrLayerClass.h>

#include <ogrcore/OgrDeclaredGeometry.h>

#include <ogrcore/OgrError.h>
#include <ogrcore/OgrValues.h>

#include <cwctype>

namespace ogrprovider {

namespace {

FdoGeometryType SpecificType(OGRwkbGeometryType flat) {
    switch (flat) {
        case wkbPoint: return FdoGeometryType_Point;
        case wkbLineString: return FdoGeometryType_LineString;
        case wkbPolygon: return FdoGeometryType_Polygon;
        case wkbMultiPoint: return FdoGeometryType_MultiPoint;
        case wkbMultiLineString: return FdoGeometryType_MultiLineString;
        case wkbMultiPolygon: return FdoGeometryType_MultiPolygon;
        case wkbGeometryCollection: return FdoGeometryType_MultiGeometry;
        case wkbCircularString:
        case wkbCompoundCurve: return FdoGeometryType_CurveString;
        case wkbCurvePolygon: return FdoGeometryType_CurvePolygon;
        case wkbMultiCurve: return FdoGeometryType_MultiCurveString;
        case wkbMultiSurface: return FdoGeometryType_MultiCurvePolygon;
        default: return FdoGeometryType_None;
    }
}

// The geometry types a layer of this declared type holds; empty: any.
std::vector<FdoGeometryType> TypesOfLayer(OGRwkbGeometryType flat) {
    switch (flat) {
        case wkbPoint: return {FdoGeometryType_Point};
        case wkbMultiPoint: return {FdoGeometryType_MultiPoint};
        case wkbLineString:
        case wkbMultiLineString: return {FdoGeometryType_LineString, FdoGeometryType_MultiLineString};
        case wkbPolygon:
        case wkbMultiPolygon: return {FdoGeometryType_Polygon, FdoGeometryType_MultiPolygon};
        default: return {};
    }
}

bool HasNonZeroZ(OGRGeometryH g) {
    int parts = OGR_G_GetGeometryCount(g);
    if (parts > 0) {
        for (int i = 0; i < parts; i++)
            if (HasNonZeroZ(OGR_G_GetGeometryRef(g, i))) return true;
        return false;
    }
    int n = OGR_G_GetPointCount(g);
    for (int i = 0; i < n; i++)
        if (OGR_G_GetZ(g, i) != 0) return true;
    return false;
}

void Scan(OGRLayerH layer, int geometryField, GeometryScan& scan) {
    OGR_L_ResetReading(layer);
    while (ogrcore::FeaturePtr f{OGR_L_GetNextFeature(layer)}) {
        OGRGeometryH g = OGR_F_GetGeomFieldRef(f.get(), geometryField);
        if (!g) continue;
        FdoGeometryType t = SpecificType(wkbFlatten(OGR_G_GetGeometryType(g)));
        if (t != FdoGeometryType_None) scan.types.insert(t);
        if (!scan.elevationUsed && OGR_G_Is3D(g) && HasNonZeroZ(g)) scan.elevationUsed = true;
        if (OGR_G_IsMeasured(g)) scan.measureUsed = true;
    }
    OGR_L_ResetReading(layer);
}

FdoStringP Unique(FdoStringP name, std::set<std::wstring>& taken) {
    FdoStringP base = name;
    for (int n = 1; taken.count(name.Str()); n++) name = FdoStringP::Format(L"%ls_%d", static_cast<FdoString*>(base), n);
    taken.insert(name.Str());
    return name;
}

bool Listed(GDALDriverH driver, const char* option) {
    const char* list = driver ? GDALGetMetadataItem(driver, GDAL_DS_LAYER_CREATIONOPTIONLIST, nullptr) : nullptr;
    return list && strstr(list, (std::string("name='") + option + "'").c_str());
}

bool SameNameIgnoringCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); i++)
        if (towlower(a[i]) != towlower(b[i])) return false;
    return true;
}

OGRFieldDefnH FieldFor(FdoDataPropertyDefinition* p) {
    OGRFieldType type = OFTString;
    OGRFieldSubType sub = OFSTNone;
    switch (p->GetDataType()) {
        case FdoDataType_Boolean: type = OFTInteger, sub = OFSTBoolean; break;
        case FdoDataType_Byte:
        case FdoDataType_Int16: type = OFTInteger, sub = OFSTInt16; break;
        case FdoDataType_Int32: type = OFTInteger; break;
        case FdoDataType_Int64: type = OFTInteger64; break;
        case FdoDataType_Single: type = OFTReal, sub = OFSTFloat32; break;
        case FdoDataType_Double:
        case FdoDataType_Decimal: type = OFTReal; break;
        case FdoDataType_DateTime: type = OFTDateTime; break;
        case FdoDataType_BLOB: type = OFTBinary; break;
        case FdoDataType_String:
        case FdoDataType_CLOB: type = OFTString; break;
    }
    OGRFieldDefnH fd = OGR_Fld_Create(ogrcore::Utf8(p->GetName()).c_str(), type);
    OGR_Fld_SetSubType(fd, sub);
    if (p->GetDataType() == FdoDataType_String && p->GetLength() > 0) OGR_Fld_SetWidth(fd, p->GetLength());
    if (p->GetDataType() == FdoDataType_Decimal && p->GetPrecision() > 0) {
        OGR_Fld_SetWidth(fd, p->GetPrecision() + 2);  // sign and decimal point
        OGR_Fld_SetPrecision(fd, std::max(0, p->GetScale()));
    }
    if (!p->GetNullable()) OGR_Fld_SetNullable(fd, FALSE);
    return fd;
}

}  // namespace

bool FieldDataType(OGRFieldDefnH field, FdoDataType& type) {
    OGRFieldSubType sub = OGR_Fld_GetSubType(field);
    switch (OGR_Fld_GetType(field)) {
        case OFTInteger:
            type = sub == OFSTBoolean ? FdoDataType_Boolean : sub == OFSTInt16 ? FdoDataType_Int16 : FdoDataType_Int32;
            return true;
        case OFTInteger64: type = FdoDataType_Int64; return true;
        case OFTReal: type = sub == OFSTFloat32 ? FdoDataType_Single : FdoDataType_Double; return true;
        case OFTString: type = FdoDataType_String; return true;
        case OFTDate:
        case OFTTime:
        case OFTDateTime: type = FdoDataType_DateTime; return true;
        case OFTBinary: type = FdoDataType_BLOB; return true;
        default: return false;
    }
}

ogrcore::ClassMap* BuildLayerClass(ogrcore::DataSource* source, OGRLayerH layer, FdoString* className,
                                   FdoString* contextName, bool writable, const LayerRules& rules,
                                   GeometryScan* scanOut) {
    OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);
    FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(className, L"");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    std::set<std::wstring> taken;

    const char* fidColumn = OGR_L_GetFIDColumn(layer);
    FdoStringP idName = rules.layerNamesWin && fidColumn && *fidColumn ? ogrcore::Wide(fidColumn) : rules.identityName;
    taken.insert(idName.Str());
    ogrcore::AddFeatureIdIdentity(cls, idName, rules.identityType);

    bool hasGeometry = OGR_FD_GetGeomFieldCount(defn) > 0;
    FdoStringP geomName;
    if (hasGeometry) {
        const char* name = OGR_GFld_GetNameRef(OGR_FD_GetGeomFieldDefn(defn, 0));
        geomName = rules.layerNamesWin && name && *name ? ogrcore::Wide(name) : rules.geometryName;
        taken.insert(geomName.Str());
    }

    std::vector<std::pair<FdoStringP, int>> fields;
    for (int i = 0; i < OGR_FD_GetFieldCount(defn); i++) {
        OGRFieldDefnH fd = OGR_FD_GetFieldDefn(defn, i);
        FdoDataType type;
        if (!FieldDataType(fd, type)) continue;
        FdoStringP name = rules.propertyName ? rules.propertyName(OGR_Fld_GetNameRef(fd)) : ogrcore::Wide(OGR_Fld_GetNameRef(fd));
        if (name.IsEmpty()) continue;
        name = Unique(name, taken);
        FdoPtr<FdoDataPropertyDefinition> p = FdoDataPropertyDefinition::Create(name, L"");
        p->SetDataType(type);
        if (type == FdoDataType_String && OGR_Fld_GetWidth(fd) > 0) p->SetLength(OGR_Fld_GetWidth(fd));
        if (type == FdoDataType_Double && OGR_Fld_GetWidth(fd) > 0) {
            p->SetPrecision(OGR_Fld_GetWidth(fd));
            p->SetScale(OGR_Fld_GetPrecision(fd));
        }
        p->SetNullable(OGR_Fld_IsNullable(fd) != FALSE);
        props->Add(p);
        fields.emplace_back(name, i);
    }

    if (hasGeometry) {
        FdoPtr<FdoGeometricPropertyDefinition> g = FdoGeometricPropertyDefinition::Create(geomName, L"");
        OGRwkbGeometryType layerType = OGR_GFld_GetType(OGR_FD_GetGeomFieldDefn(defn, 0));
        std::vector<FdoGeometryType> types = TypesOfLayer(wkbFlatten(layerType));
        bool z = OGR_GT_HasZ(layerType), m = OGR_GT_HasM(layerType);
        GeometryScan scan;
        if (types.empty() && rules.scanUnknownGeometry) {
            Scan(layer, 0, scan);
            types.assign(scan.types.begin(), scan.types.end());
            z = scan.elevationUsed;
            m = scan.measureUsed;
        }
        if (scanOut) *scanOut = scan;
        if (types.empty())
            g->SetGeometryTypes(FdoGeometricType_Point | FdoGeometricType_Curve | FdoGeometricType_Surface);
        else
            g->SetSpecificGeometryTypes(types.data(), static_cast<FdoInt32>(types.size()));
        g->SetHasElevation(z);
        g->SetHasMeasure(m);
        g->SetSpatialContextAssociation(contextName);
        props->Add(g);
        cls->SetGeometryProperty(g);
    }
    FdoPtr<FdoClassCapabilities> caps = FdoClassCapabilities::Create();
    caps->SetSupportsWrite(writable);
    cls->SetCapabilities(caps);

    FdoPtr<ogrcore::ClassMap> map = ogrcore::ClassMap::Create(cls, source, OGR_L_GetName(layer));
    map->BindIdentity(idName, rules.fidOffset);
    for (auto& [name, field] : fields) map->BindData(name, field);
    if (hasGeometry) map->BindGeometry(geomName, 0);
    return map.Detach();
}

namespace {
// The first value a one-column query returns, empty when none.
std::string QueryText(GDALDatasetH ds, const std::string& sql) {
    std::string value;
    OGRLayerH result = GDALDatasetExecuteSQL(ds, sql.c_str(), nullptr, nullptr);
    if (!result) return value;
    if (OGRFeatureH row = OGR_L_GetNextFeature(result)) {
        if (OGR_F_IsFieldSetAndNotNull(row, 0)) value = OGR_F_GetFieldAsString(row, 0);
        OGR_F_Destroy(row);
    }
    GDALDatasetReleaseResultSet(ds, result);
    return value;
}

std::string SqlLiteral(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
    return quoted + "'";
}

// A database driver reads "a.b" as table b of schema a. A class named
// after a table of another schema ("schema~table") keeps that meaning;
// any other such class (an owner~table~geometry class, say) becomes a
// table of the class's own name in the connection's schema, rather than
// one in a schema that does not exist, which the driver would report only
// at the first row.
std::string LayerNameToCreate(GDALDatasetH ds, const std::string& layerName, FdoString* className) {
    const size_t dot = layerName.find('.');
    if (dot == std::string::npos || !Listed(GDALGetDatasetDriver(ds), "SCHEMA")) return layerName;
    const std::string prefix = layerName.substr(0, dot);
    if (!QueryText(ds, "SELECT nspname FROM pg_namespace WHERE nspname = " + SqlLiteral(prefix)).empty())
        return layerName;
    return ogrcore::Utf8(className);
}
}  // namespace

OGRLayerH CreateLayerForClass(ogrcore::Dataset* ds, FdoClassDefinition* cls, const std::string& layerName,
                              OGRSpatialReferenceH srs, const std::set<std::wstring>& skip,
                              std::vector<Renamed>& renamed) {
    FdoString* className = cls->GetName();
    GDALDriverH driver = GDALGetDatasetDriver(ds->Handle());
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = cls->GetIdentityProperties();
    FdoPtr<FdoDataPropertyDefinition> fid;
    if (identity->GetCount() == 1) {
        FdoPtr<FdoDataPropertyDefinition> id = identity->GetItem(0);
        FdoDataType t = id->GetDataType();
        if (id->GetIsAutoGenerated() &&
            (t == FdoDataType_Int16 || t == FdoDataType_Int32 || t == FdoDataType_Int64))
            fid = id;
    }
    FdoGeometricPropertyDefinition* geometry = nullptr;
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    for (FdoInt32 i = 0; i < props->GetCount() && !geometry; i++) {
        FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
        if (p->GetElementState() != FdoSchemaElementState_Deleted)
            geometry = dynamic_cast<FdoGeometricPropertyDefinition*>(p.p);
    }
    if (auto* feature = dynamic_cast<FdoFeatureClass*>(cls)) {
        FdoPtr<FdoGeometricPropertyDefinition> g = feature->GetGeometryProperty();
        if (g) geometry = g;
    }

    std::vector<std::string> options;
    if (fid && Listed(driver, "FID")) options.push_back("FID=" + ogrcore::Utf8(fid->GetName()));
    if (geometry && Listed(driver, "GEOMETRY_NAME"))
        options.push_back("GEOMETRY_NAME=" + ogrcore::Utf8(geometry->GetName()));
    if (Listed(driver, "LAUNDER")) options.push_back("LAUNDER=NO");

    std::vector<char*> optionList;
    for (auto& o : options) optionList.push_back(o.data());
    optionList.push_back(nullptr);

    ogrcore::ErrorTrap trap;
    const std::string name = LayerNameToCreate(ds->Handle(), layerName, className);
    OGRLayerH layer = GDALDatasetCreateLayer(ds->Handle(), name.c_str(), geometry ? srs : nullptr,
                                             DeclaredLayerType(geometry), optionList.data());
    if (!layer)
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
            L"Cannot create the layer of class '%ls' in '%ls'", className,
            static_cast<FdoString*>(ogrcore::Wide(ds->Path().c_str())))));
    for (FdoInt32 i = 0; i < props->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
        auto* data = dynamic_cast<FdoDataPropertyDefinition*>(p.p);
        if (!data || p->GetElementState() == FdoSchemaElementState_Deleted || (fid && data == fid.p)) continue;
        bool skipped = false;
        for (const auto& s : skip) skipped = skipped || SameNameIgnoringCase(s, data->GetName());
        if (skipped) continue;
        OGRFieldDefnH fd = FieldFor(data);
        trap.Clear();
        OGRErr err = OGR_L_CreateField(layer, fd, TRUE);
        OGR_Fld_Destroy(fd);
        if (err != OGRERR_NONE)
            throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
                L"Cannot create the field of property '%ls' in class '%ls'", data->GetName(), className)));
        OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);
        const char* made = OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(defn, OGR_FD_GetFieldCount(defn) - 1));
        if (ogrcore::Wide(made) != data->GetName()) renamed.push_back({data->GetName(), made});
    }
    return layer;
}

void CreateTableNow(ogrcore::Dataset* ds, OGRLayerH layer, FdoString* className) {
    if (!Listed(GDALGetDatasetDriver(ds->Handle()), "SCHEMA")) return;
    ogrcore::ErrorTrap trap;
    if (OGR_L_SyncToDisk(layer) != OGRERR_NONE || trap.HasFailure())
        throw FdoCommandException::Create(trap.Describe(FdoStringP::Format(
            L"Cannot create the layer of class '%ls' in '%ls'", className,
            static_cast<FdoString*>(ogrcore::Wide(ds->Path().c_str())))));
}

}  // namespace ogrprovider
