// Real shape files copied into new SDF files through ApplySchema and batch
// inserts, read with GDAL directly: every feature comes back, and the file
// is a GeoPackage that GDAL (and ogrinfo) open with the same counts.
#include "SdfTestSupport.h"

#include <cpl_conv.h>
#include <gdal.h>
#include <ogr_api.h>
#include <ogr_srs_api.h>

#include <cstdio>
#include <cstring>

using namespace sdftest;

namespace {

struct Source {
    GDALDatasetH ds = nullptr;
    OGRLayerH layer = nullptr;
    explicit Source(const std::filesystem::path& shp) {
        GDALAllRegister();
        ds = GDALOpenEx(shp.string().c_str(), GDAL_OF_VECTOR, nullptr, nullptr, nullptr);
        if (ds) layer = GDALDatasetGetLayer(ds, 0);
    }
    ~Source() {
        if (ds) GDALClose(ds);
    }
};

FdoDataType TypeOf(OGRFieldDefnH f) {
    switch (OGR_Fld_GetType(f)) {
        case OFTInteger: return FdoDataType_Int32;
        case OFTInteger64: return FdoDataType_Int64;
        case OFTReal: return FdoDataType_Double;
        case OFTDate: return FdoDataType_DateTime;
        default: return FdoDataType_String;
    }
}

std::vector<FdoByte> FgfOf(OGRGeometryH g) {
    std::vector<FdoByte> wkb(static_cast<size_t>(OGR_G_WkbSize(g))), fgf;
    OGR_G_ExportToIsoWkb(g, wkbNDR, wkb.data());
    FdoFgfWkb::WkbToFgf(wkb.data(), static_cast<FdoInt32>(wkb.size()), fgf);
    return fgf;
}

FdoDataValue* ValueOf(OGRFeatureH f, int i, FdoDataType type) {
    if (!OGR_F_IsFieldSetAndNotNull(f, i)) return FdoDataValue::Create(type);
    switch (type) {
        case FdoDataType_Int32: return FdoDataValue::Create(static_cast<FdoInt32>(OGR_F_GetFieldAsInteger(f, i)));
        case FdoDataType_Int64: return FdoDataValue::Create(static_cast<FdoInt64>(OGR_F_GetFieldAsInteger64(f, i)));
        case FdoDataType_Double: return FdoDataValue::Create(OGR_F_GetFieldAsDouble(f, i), FdoDataType_Double);
        case FdoDataType_DateTime: {
            int y, m, d, h, mi, tz;
            float s;
            OGR_F_GetFieldAsDateTimeEx(f, i, &y, &m, &d, &h, &mi, &s, &tz);
            return FdoDataValue::Create(FdoDateTime(static_cast<FdoInt16>(y), static_cast<FdoInt8>(m), static_cast<FdoInt8>(d)));
        }
        default: return FdoDataValue::Create(FdoStringP(OGR_F_GetFieldAsString(f, i)).operator FdoString*());
    }
}

// Copies the shape file into a new SDF file; returns the number of features.
long long Copy(const std::filesystem::path& shp, const std::filesystem::path& sdfFile) {
    Source src(shp);
    EXPECT_NE(src.layer, nullptr) << shp;
    if (!src.layer) return -1;
    CreateStore(sdfFile);
    FdoPtr<FdoIConnection> c = OpenStore(sdfFile);

    FdoStringP className(OGR_L_GetName(src.layer));
    OGRSpatialReferenceH srs = OGR_L_GetSpatialRef(src.layer);
    FdoStringP scName = L"Default";
    if (srs) {
        char* wkt = nullptr;
        OSRExportToWkt(srs, &wkt);
        scName = L"Shape";
        FdoPtr<FdoICreateSpatialContext> sc = Command<FdoICreateSpatialContext>(c, FdoCommandType_CreateSpatialContext);
        sc->SetName(scName);
        sc->SetCoordinateSystem(FdoStringP(OSRGetName(srs)));
        sc->SetCoordinateSystemWkt(FdoStringP(wkt));
        sc->Execute();
        CPLFree(wkt);
    }

    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoFeatureClass> cls = ClassWithId(className, L"FeatId");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    OGRFeatureDefnH defn = OGR_L_GetLayerDefn(src.layer);
    std::vector<FdoDataType> types;
    for (int i = 0; i < OGR_FD_GetFieldCount(defn); i++) {
        OGRFieldDefnH f = OGR_FD_GetFieldDefn(defn, i);
        types.push_back(TypeOf(f));
        FdoPtr<FdoDataPropertyDefinition> p = DataProperty(FdoStringP(OGR_Fld_GetNameRef(f)), types.back());
        if (types.back() == FdoDataType_String) p->SetLength(OGR_Fld_GetWidth(f));
        props->Add(p);
    }
    FdoPtr<FdoGeometricPropertyDefinition> g = Geometry(L"Geometry", FdoGeometricType_Curve | FdoGeometricType_Surface);
    g->SetSpatialContextAssociation(scName);
    props->Add(g);
    cls->SetGeometryProperty(g);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(cls);
    ApplySchema(c, schema);

    // Batches of 100 parameterised rows.
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
    insert->SetFeatureClassName(className);
    FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
    std::vector<FdoStringP> names;
    for (int i = 0; i < OGR_FD_GetFieldCount(defn); i++) names.push_back(OGR_Fld_GetNameRef(OGR_FD_GetFieldDefn(defn, i)));
    names.push_back(L"Geometry");
    for (size_t i = 0; i < names.size(); i++) {
        FdoPtr<FdoParameter> p = FdoParameter::Create(FdoStringP::Format(L"p%d", static_cast<int>(i)));
        AddValue(values, names[i], p);
    }
    FdoPtr<FdoBatchParameterValueCollection> batch = insert->GetBatchParameterValues();
    long long count = 0;
    auto flush = [&] {
        if (batch->GetCount() == 0) return;
        FdoPtr<FdoIFeatureReader> ids = insert->Execute();
        while (ids->ReadNext()) EXPECT_EQ(ids->GetInt32(L"FeatId"), ++count);
        batch->Clear();
    };
    OGR_L_ResetReading(src.layer);
    while (OGRFeatureH f = OGR_L_GetNextFeature(src.layer)) {
        FdoPtr<FdoParameterValueCollection> row = FdoParameterValueCollection::Create();
        for (size_t i = 0; i + 1 < names.size(); i++) {
            FdoPtr<FdoDataValue> v = ValueOf(f, static_cast<int>(i), types[i]);
            FdoPtr<FdoParameterValue> pv = FdoParameterValue::Create(FdoStringP::Format(L"p%d", static_cast<int>(i)), v);
            row->Add(pv);
        }
        FdoPtr<FdoGeometryValue> gv = FdoGeometryValue::Create();
        if (OGRGeometryH geom = OGR_F_GetGeometryRef(f)) {
            std::vector<FdoByte> fgf = FgfOf(geom);
            FdoPtr<FdoByteArray> bytes = FdoByteArray::Create(fgf.data(), static_cast<FdoInt32>(fgf.size()));
            gv->SetGeometry(bytes);
        }
        FdoPtr<FdoParameterValue> pg = FdoParameterValue::Create(FdoStringP::Format(L"p%d", static_cast<int>(names.size() - 1)), gv);
        row->Add(pg);
        batch->Add(row);
        OGR_F_Destroy(f);
        if (batch->GetCount() == 100) flush();
    }
    flush();

    // Read back through SDF, feature by feature against the shape file.
    FdoPtr<FdoISelect> select = Command<FdoISelect>(c, FdoCommandType_Select);
    select->SetFeatureClassName(className);
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    OGR_L_ResetReading(src.layer);
    long long compared = 0;
    while (OGRFeatureH f = OGR_L_GetNextFeature(src.layer)) {
        EXPECT_TRUE(reader->ReadNext());
        for (size_t i = 0; i + 1 < names.size(); i++) {
            FdoPtr<FdoDataValue> expected = ValueOf(f, static_cast<int>(i), types[i]);
            if (expected->IsNull()) {
                EXPECT_TRUE(reader->IsNull(names[i]));
                continue;
            }
            switch (types[i]) {
                case FdoDataType_Int32: EXPECT_EQ(reader->GetInt32(names[i]), static_cast<FdoInt32Value*>(expected.p)->GetInt32()); break;
                case FdoDataType_Int64: EXPECT_EQ(reader->GetInt64(names[i]), static_cast<FdoInt64Value*>(expected.p)->GetInt64()); break;
                case FdoDataType_Double: EXPECT_EQ(reader->GetDouble(names[i]), static_cast<FdoDoubleValue*>(expected.p)->GetDouble()); break;
                case FdoDataType_DateTime: EXPECT_TRUE(reader->GetDateTime(names[i]) == static_cast<FdoDateTimeValue*>(expected.p)->GetDateTime()); break;
                default: EXPECT_STREQ(reader->GetString(names[i]), static_cast<FdoStringValue*>(expected.p)->GetString());
            }
        }
        OGRGeometryH geom = OGR_F_GetGeometryRef(f);
        EXPECT_EQ(reader->IsNull(L"Geometry"), geom == nullptr);
        if (geom) {
            std::vector<FdoByte> expected = FgfOf(geom);
            FdoInt32 n = 0;
            const FdoByte* got = reader->GetGeometry(L"Geometry", &n);
            EXPECT_EQ(std::vector<FdoByte>(got, got + n), expected) << "feature " << compared;
        }
        compared++;
        OGR_F_Destroy(f);
    }
    EXPECT_FALSE(reader->ReadNext());
    EXPECT_EQ(compared, count);

    FdoPtr<FdoISelectAggregates> aggregates = Command<FdoISelectAggregates>(c, FdoCommandType_SelectAggregates);
    aggregates->SetFeatureClassName(className);
    FdoPtr<FdoIdentifierCollection> list = aggregates->GetPropertyNames();
    FdoPtr<FdoExpression> countExpr = FdoExpression::Parse(L"Count()");
    FdoPtr<FdoComputedIdentifier> countId = FdoComputedIdentifier::Create(L"N", countExpr);
    list->Add(countId);
    FdoPtr<FdoIDataReader> agg = aggregates->Execute();
    EXPECT_TRUE(agg->ReadNext());
    EXPECT_EQ(agg->GetInt64(L"N"), count);
    c->Close();
    return count;
}

}  // namespace

TEST(SdfShapeCopy, ShapeFilesCopyFeatureForFeature) {
    SHARED_DATA_OR_SKIP("shp");
    auto dir = geoxfer_test::TempDir("sdf-shapecopy");
    struct {
        const char* shp;
        long long features;
    } cases[] = {{"shp/Sheboygan/RoadCenterLines.shp", 447},
                 {"shp/Sheboygan/HydrographicPolygons.shp", 91},
                 {"shp/Ontario/roads.shp", 1088},
                 {"shp/Ontario/ShpMixedDecimals.shp", 3}};
    for (auto& k : cases) {
        auto shp = geoxfer_test::SharedDataDir() / k.shp;
        auto sdfFile = dir / (shp.stem().string() + ".sdf");
        long long copied = -1;
        std::wstring error = Thrown([&] { copied = Copy(shp, sdfFile); });
        ASSERT_EQ(error, L"") << Narrow(error);
        EXPECT_EQ(copied, k.features) << k.shp;

        // GDAL's GeoPackage driver reads the same features.
        const char* drivers[] = {"GPKG", nullptr};
        GDALDatasetH ds = GDALOpenEx(sdfFile.string().c_str(), GDAL_OF_VECTOR, drivers, nullptr, nullptr);
        ASSERT_NE(ds, nullptr) << k.shp;
        OGRLayerH layer = GDALDatasetGetLayerByName(ds, shp.stem().string().c_str());
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(OGR_L_GetFeatureCount(layer, TRUE), k.features);
        EXPECT_STREQ(OGR_L_GetGeometryColumn(layer), "Geometry");
        GDALClose(ds);

        // And so does ogrinfo, when it is installed.
        std::string command = "ogrinfo -so '" + sdfFile.string() + "' '" + shp.stem().string() + "' 2>&1";
        if (FILE* p = popen(command.c_str(), "r")) {
            std::string out;
            char buf[512];
            while (size_t n = fread(buf, 1, sizeof buf, p)) out.append(buf, n);
            if (pclose(p) == 0) {
                EXPECT_NE(out.find("Feature Count: " + std::to_string(k.features)), std::string::npos) << out;
            }
        }
    }
}
