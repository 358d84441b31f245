// GDAL opens the set once here to learn the field names and widths; the
// DBF header is read as well, for the field type codes GDAL folds away.
#include "ShpClassBuilder.h"

#include "ShpGeometryAdapter.h"

#include <ogrcore/OgrError.h>

#include <set>

namespace shp {

namespace {

FdoStringP SafeName(FdoStringP name) {
    std::wstring s = name.Str();
    for (wchar_t& c : s)
        if (c == L':' || c == L'.' || c < 0x20) c = L'_';
    if (s.empty()) s = L"_";
    return FdoStringP(s);
}

void SetGeometryTypes(FdoGeometricPropertyDefinition* g, int shapeType, OGRwkbGeometryType layerType) {
    std::vector<FdoGeometryType> types;
    switch (shapeType % 10) {
        case 1: types = {FdoGeometryType_Point}; break;
        case 8: types = {FdoGeometryType_MultiPoint}; break;
        case 3: types = {FdoGeometryType_LineString, FdoGeometryType_MultiLineString}; break;
        default: types = {FdoGeometryType_Polygon, FdoGeometryType_MultiPolygon}; break;
    }
    if (shapeType == kMultiPatch) types = {FdoGeometryType_Polygon};
    g->SetSpecificGeometryTypes(types.data(), static_cast<FdoInt32>(types.size()));
    bool zType = shapeType >= 11 && shapeType <= 18;
    bool mType = shapeType >= 21 && shapeType <= 28;
    g->SetHasElevation(zType || shapeType == kMultiPatch);
    g->SetHasMeasure(mType || ((zType || shapeType == kMultiPatch) && OGR_GT_HasM(layerType)));
}

}  // namespace

FdoStringP ClassNameFor(const fs::path& shp) { return SafeName(FdoStringP(shp.stem().string().c_str())); }

FdoDataPropertyDefinition* DataPropertyFor(FdoString* name, const DbfField& field) {
    FdoPtr<FdoDataPropertyDefinition> p = FdoDataPropertyDefinition::Create(name, L"");
    switch (field.type) {
        case 'C':
            p->SetDataType(FdoDataType_String);
            p->SetLength(field.width);
            break;
        case 'D': p->SetDataType(FdoDataType_DateTime); break;
        case 'L': p->SetDataType(FdoDataType_Boolean); break;
        default:
            if (field.decimals > 0 || field.width > 20) {
                p->SetDataType(FdoDataType_Decimal);
                p->SetPrecision(field.width);
                p->SetScale(field.decimals);
            } else {
                p->SetDataType(field.width <= 6 ? FdoDataType_Int16 : field.width <= 11 ? FdoDataType_Int32 : FdoDataType_Int64);
            }
    }
    p->SetNullable(true);
    return p.Detach();
}

ogrcore::ClassMap* BuildClass(const fs::path& shp, FdoString* className, FdoString* contextName) {
    FdoStringP shpText = PathText(shp);
    for (const char* ext : {".shx", ".dbf"}) {
        fs::path sibling = Sibling(shp, ext);
        if (!Exists(sibling))
            throw FdoCommandException::Create(FdoStringP::Format(
                L"The file '%ls' does not exist: class '%ls' needs it beside '%ls'.",
                static_cast<FdoString*>(PathText(sibling)), className, static_cast<FdoString*>(shpText)));
    }
    fs::path dbf = Sibling(shp, ".dbf"), shx = Sibling(shp, ".shx");
    int shapeType = ReadShapeType(shp);
    std::vector<DbfField> dbfFields = ReadDbfFields(dbf);

    FdoPtr<ogrcore::Dataset> ds = ogrcore::Dataset::Open(shp.string(), false, {"ESRI Shapefile"});
    OGRLayerH layer = GDALDatasetGetLayer(ds->Handle(), 0);
    if (!layer)
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The file '%ls' holds no shape layer.", static_cast<FdoString*>(shpText)));
    OGRFeatureDefnH defn = OGR_L_GetLayerDefn(layer);
    int fieldCount = OGR_FD_GetFieldCount(defn);
    bool headerMatches = static_cast<int>(dbfFields.size()) == fieldCount;

    FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(className, L"");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    ogrcore::AddFeatureIdIdentity(cls, kIdentityName, FdoDataType_Int32);

    std::set<std::wstring> taken = {kIdentityName, kGeometryName};
    std::vector<FdoStringP> names;
    for (int i = 0; i < fieldCount; i++) {
        OGRFieldDefnH fd = OGR_FD_GetFieldDefn(defn, i);
        DbfField field;
        field.width = OGR_Fld_GetWidth(fd);
        field.decimals = OGR_Fld_GetPrecision(fd);
        if (headerMatches) {
            field.type = dbfFields[static_cast<size_t>(i)].type;
        } else {
            OGRFieldType t = OGR_Fld_GetType(fd);
            field.type = t == OFTString ? 'C' : t == OFTDate ? 'D' : 'N';
        }
        FdoStringP base = SafeName(ogrcore::Wide(OGR_Fld_GetNameRef(fd)));
        FdoStringP name = base;
        for (int n = 1; taken.count(name.Str()); n++) name = FdoStringP::Format(L"%ls_%d", static_cast<FdoString*>(base), n);
        taken.insert(name.Str());
        FdoPtr<FdoDataPropertyDefinition> p = DataPropertyFor(name, field);
        props->Add(p);
        names.push_back(name);
    }

    bool writable = IsWritable(shp) && IsWritable(dbf) && IsWritable(shx);
    if (shapeType != kNullShape) {
        FdoPtr<FdoGeometricPropertyDefinition> g = FdoGeometricPropertyDefinition::Create(kGeometryName, L"");
        SetGeometryTypes(g, shapeType, OGR_L_GetGeomType(layer));
        g->SetSpatialContextAssociation(contextName);
        props->Add(g);
        cls->SetGeometryProperty(g);
    }
    FdoPtr<FdoClassCapabilities> caps = FdoClassCapabilities::Create();
    caps->SetSupportsWrite(writable);
    caps->SetPolygonVertexOrderRule(kGeometryName, FdoPolygonVertexOrderRule_CW);
    caps->SetPolygonVertexOrderStrictness(kGeometryName, true);
    cls->SetCapabilities(caps);

    std::string layerName = OGR_L_GetName(layer);
    ds = nullptr;
    FdoPtr<ogrcore::DataSource> source = ogrcore::DataSource::Create(shp.string(), {"ESRI Shapefile"}, writable);
    FdoPtr<ogrcore::ClassMap> map = ogrcore::ClassMap::Create(cls, source, layerName);
    map->BindIdentity(kIdentityName, 1);
    for (int i = 0; i < fieldCount; i++) map->BindData(names[static_cast<size_t>(i)], i);
    if (shapeType != kNullShape) {
        map->BindGeometry(kGeometryName, 0);
        FdoPtr<FdoGeometricPropertyDefinition> g = cls->GetGeometryProperty();
        FdoPtr<ShpGeometryAdapter> adapter = ShpGeometryAdapter::Create(g, shapeType % 10 == kMultiPoint);
        map->SetGeometryAdapter(adapter);
    }
    return map.Detach();
}

}  // namespace shp
