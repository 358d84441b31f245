// Writing through OSGeo.SHP: ApplySchema creates shape file sets by the
// FDO -> DBF rules, Insert (single and batched) stores features that read
// back exactly, Update and Delete change what a filter selects, and the
// schema rules refuse what a shape file cannot hold with FDO's messages.
#include "ShpTestSupport.h"

using namespace shptest;

namespace {

FdoFeatureSchema* NewSchema(FdoClassDefinition* cls) {
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(cls);
    return schema.Detach();
}

void Apply(FdoIConnection* c, FdoFeatureSchema* schema, bool ignoreStates = false) {
    FdoPtr<FdoIApplySchema> apply = Command<FdoIApplySchema>(c, FdoCommandType_ApplySchema);
    apply->SetFeatureSchema(schema);
    apply->SetIgnoreStates(ignoreStates);
    apply->Execute();
}

FdoFeatureClass* PointClass(FdoString* name) {
    FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(name, L"");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoGeometricPropertyDefinition> g = FdoGeometricPropertyDefinition::Create(L"Geometry", L"");
    FdoGeometryType point = FdoGeometryType_Point;
    g->SetSpecificGeometryTypes(&point, 1);
    props->Add(g);
    cls->SetGeometryProperty(g);
    return cls.Detach();
}

FdoDataPropertyDefinition* AddData(FdoClassDefinition* cls, FdoString* name, FdoDataType type, FdoInt32 length = 0) {
    FdoPtr<FdoDataPropertyDefinition> p = FdoDataPropertyDefinition::Create(name, L"");
    p->SetDataType(type);
    p->SetLength(length);
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    props->Add(p);
    return p.Detach();
}

FdoByteArray* Fgf(FdoString* text) {
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> g = factory->CreateGeometry(text);
    return factory->GetFgf(g);
}

FdoInt32 InsertOne(FdoIConnection* c, FdoString* cls, std::vector<std::pair<FdoString*, FdoValueExpression*>> values) {
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
    insert->SetFeatureClassName(cls);
    FdoPtr<FdoPropertyValueCollection> pvs = insert->GetPropertyValues();
    for (auto& [name, value] : values) {
        FdoPtr<FdoPropertyValue> pv = FdoPropertyValue::Create(name, value);
        pvs->Add(pv);
        value->Release();
    }
    FdoPtr<FdoIFeatureReader> r = insert->Execute();
    EXPECT_TRUE(r->ReadNext());
    return r->GetInt32(L"FeatId");
}

class ShpWrite : public ::testing::Test {
protected:
    void SetUp() override {
        m_dir = geoxfer_test::TempDir("shp-write");
        m_folder = m_dir / "store";
        FdoPtr<FdoIConnection> c = Connect(m_dir, false);
        FdoPtr<FdoICreateDataStore> create = Command<FdoICreateDataStore>(c, FdoCommandType_CreateDataStore);
        FdoPtr<FdoIDataStorePropertyDictionary> props = create->GetDataStoreProperties();
        props->SetProperty(L"DefaultFileLocation", FdoStringP(m_folder.string().c_str()));
        create->Execute();
        m_c = Connect(m_folder);
    }
    void TearDown() override {
        if (m_c) m_c->Close();
        m_c = nullptr;
        std::error_code ec;
        fs::permissions(m_folder, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_dir, ec);
    }
    void CopyRealFile(const fs::path& file);
    fs::path m_dir, m_folder;
    FdoPtr<FdoIConnection> m_c;
};

}  // namespace

// Every real file is copied feature by feature into a new shape file set
// and read back. One reference file stores numbers in exponent form
// ("-3.33333333333e+021" in an N(19,8) field), which GDAL can only write in
// fixed notation: the copy widens that field rather than cut digits.
TEST_F(ShpWrite, EveryRealFileIsReproducedByApplySchemaAndInsert) {
    auto files = RealShapeFiles();
    if (files.empty()) GTEST_SKIP() << "no real shape files";
    std::vector<fs::path> copied;
    for (const auto& file : files) {
        std::string error = ErrorOf([&] { CopyRealFile(file); });
        EXPECT_EQ(error, "") << file;
        copied.push_back(file);
    }
    m_c->Close();
    m_c = Connect(m_folder);
    for (const auto& file : copied) {
        SCOPED_TRACE(file.string());
        FdoStringP name(file.stem().string().c_str());
        FdoPtr<FdoIFeatureReader> r = SelectAll(m_c, name);
        long n = CompareWithOgr(r, file);
        OgrFile ogr(file);
        EXPECT_EQ(n, OGR_L_GetFeatureCount(ogr.Layer(), TRUE));
        fs::path prj = file, written = m_folder / (file.stem().string() + ".prj");
        prj.replace_extension(".prj");
        EXPECT_EQ(fs::exists(prj), fs::exists(written));
        if (fs::exists(prj)) {
            EXPECT_EQ(ReadText(written), ReadText(prj).substr(0, ReadText(written).size()));
        }
    }
}

void ShpWrite::CopyRealFile(const fs::path& file) {
    {
        FdoStringP name(file.stem().string().c_str());
        FdoPtr<FdoIConnection> source = Connect(file);
        FdoPtr<FdoFeatureClass> described = DescribeClass(source, name);
        // The target needs the source's spatial contexts before the schema refers to them.
        FdoPtr<FdoIGetSpatialContexts> gsc = Command<FdoIGetSpatialContexts>(source, FdoCommandType_GetSpatialContexts);
        FdoPtr<FdoISpatialContextReader> scr = gsc->Execute();
        while (scr->ReadNext()) {
            if (!*scr->GetCoordinateSystemWkt()) continue;
            FdoPtr<FdoICreateSpatialContext> csc = Command<FdoICreateSpatialContext>(m_c, FdoCommandType_CreateSpatialContext);
            csc->SetName(scr->GetName());
            csc->SetCoordinateSystem(scr->GetCoordinateSystem());
            csc->SetCoordinateSystemWkt(scr->GetCoordinateSystemWkt());
            csc->Execute();
        }
        FdoPtr<FdoClassDefinition> copy = FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(described);
        FdoPtr<FdoFeatureSchema> schema = NewSchema(copy);
        Apply(m_c, schema);

        // Batched insert with parameters, as a copy engine does it.
        FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(m_c, FdoCommandType_Insert);
        insert->SetFeatureClassName(name);
        FdoPtr<FdoPropertyValueCollection> pvs = insert->GetPropertyValues();
        FdoPtr<FdoPropertyDefinitionCollection> props = described->GetProperties();
        std::vector<FdoPtr<FdoPropertyDefinition>> writable;
        for (FdoInt32 i = 0; i < props->GetCount(); i++) {
            FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
            if (wcscmp(p->GetName(), L"FeatId") == 0) continue;
            writable.push_back(p);
            FdoPtr<FdoParameter> param = FdoParameter::Create(p->GetName());
            FdoPtr<FdoPropertyValue> pv = FdoPropertyValue::Create(p->GetName(), param);
            pvs->Add(pv);
        }
        FdoPtr<FdoBatchParameterValueCollection> batch = insert->GetBatchParameterValues();
        FdoPtr<FdoIFeatureReader> r = SelectAll(source, name);
        FdoInt32 expectedId = 1;
        auto flush = [&] {
            FdoPtr<FdoIFeatureReader> ids = insert->Execute();
            while (ids->ReadNext()) EXPECT_EQ(ids->GetInt32(L"FeatId"), expectedId++);
            batch->Clear();
        };
        while (r->ReadNext()) {
            FdoPtr<FdoParameterValueCollection> row = FdoParameterValueCollection::Create();
            for (auto& p : writable) {
                FdoString* pn = p->GetName();
                FdoPtr<FdoLiteralValue> v;
                if (p->GetPropertyType() == FdoPropertyType_GeometricProperty) {
                    FdoPtr<FdoByteArray> g = r->IsNull(pn) ? nullptr : r->GetGeometry(pn);
                    v = FdoGeometryValue::Create(g);
                } else {
                    auto* dp = static_cast<FdoDataPropertyDefinition*>(p.p);
                    if (r->IsNull(pn)) v = FdoDataValue::Create(dp->GetDataType());
                    else switch (dp->GetDataType()) {
                        case FdoDataType_String: v = FdoDataValue::Create(r->GetString(pn)); break;
                        case FdoDataType_Int16: v = FdoDataValue::Create(r->GetInt16(pn)); break;
                        case FdoDataType_Int32: v = FdoDataValue::Create(r->GetInt32(pn)); break;
                        case FdoDataType_Int64: v = FdoDataValue::Create(r->GetInt64(pn)); break;
                        case FdoDataType_Decimal: v = FdoDataValue::Create(r->GetDouble(pn), FdoDataType_Decimal); break;
                        case FdoDataType_DateTime: v = FdoDataValue::Create(r->GetDateTime(pn)); break;
                        case FdoDataType_Boolean: v = FdoDataValue::Create(r->GetBoolean(pn)); break;
                        default: ADD_FAILURE() << "unexpected type";
                    }
                }
                FdoPtr<FdoParameterValue> pv = FdoParameterValue::Create(pn, v);
                row->Add(pv);
            }
            batch->Add(row);
            if (batch->GetCount() == 100) flush();
        }
        if (batch->GetCount() > 0) flush();
    }
}

TEST_F(ShpWrite, UnsupportedDataTypesAreRefused) {
    const std::pair<FdoDataType, const char*> cases[] = {
        {FdoDataType_Double, "The 'Double' data type is not supported by Shp (property 'Value' of class 'Refused')."},
        {FdoDataType_Single, "The 'Single' data type is not supported by Shp (property 'Value' of class 'Refused')."},
        {FdoDataType_Byte, "The 'Byte' data type is not supported by Shp (property 'Value' of class 'Refused')."},
        {FdoDataType_BLOB, "The 'BLOB' data type is not supported by Shp (property 'Value' of class 'Refused')."},
        {FdoDataType_CLOB, "The 'CLOB' data type is not supported by Shp (property 'Value' of class 'Refused')."},
    };
    for (const auto& [type, message] : cases) {
        FdoPtr<FdoFeatureClass> cls = PointClass(L"Refused");
        FdoPtr<FdoDataPropertyDefinition> p = AddData(cls, L"Value", type);
        FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
        EXPECT_EQ(ErrorOf([&] { Apply(m_c, schema); }), message);
        EXPECT_FALSE(fs::exists(m_folder / "Refused.shp"));
    }
}

TEST_F(ShpWrite, GeometryTypeSetsDecideTheShapeType) {
    struct Case {
        std::vector<FdoGeometryType> types;
        bool z, m;
        int shapeType;  // -1: refused
    };
    const Case cases[] = {
        {{FdoGeometryType_Point}, false, false, 1},
        {{FdoGeometryType_MultiPoint}, false, false, 8},
        {{FdoGeometryType_Point, FdoGeometryType_MultiPoint}, true, false, 18},
        {{FdoGeometryType_LineString}, false, true, 23},
        {{FdoGeometryType_LineString, FdoGeometryType_MultiLineString}, true, true, 13},
        {{FdoGeometryType_MultiLineString}, false, false, 3},
        {{FdoGeometryType_Polygon}, false, false, 5},
        {{FdoGeometryType_Polygon, FdoGeometryType_MultiPolygon}, true, false, 15},
        {{FdoGeometryType_Polygon, FdoGeometryType_MultiPolygon, FdoGeometryType_CurvePolygon,
          FdoGeometryType_MultiCurvePolygon}, false, false, 5},
        {{FdoGeometryType_Point, FdoGeometryType_LineString}, false, false, -1},
        {{FdoGeometryType_Point, FdoGeometryType_MultiPoint, FdoGeometryType_LineString,
          FdoGeometryType_MultiLineString, FdoGeometryType_Polygon, FdoGeometryType_MultiPolygon,
          FdoGeometryType_CurveString, FdoGeometryType_MultiCurveString, FdoGeometryType_CurvePolygon,
          FdoGeometryType_MultiCurvePolygon}, false, false, -1},
    };
    int n = 0;
    for (const auto& c : cases) {
        FdoStringP name = FdoStringP::Format(L"G%d", n++);
        FdoPtr<FdoFeatureClass> cls = PointClass(name);
        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        FdoPtr<FdoGeometricPropertyDefinition> g = static_cast<FdoGeometricPropertyDefinition*>(props->GetItem(L"Geometry"));
        g->SetSpecificGeometryTypes(c.types.data(), static_cast<FdoInt32>(c.types.size()));
        g->SetHasElevation(c.z);
        g->SetHasMeasure(c.m);
        FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
        std::string error = ErrorOf([&] { Apply(m_c, schema); });
        SCOPED_TRACE(FdoStringP::Utf8FromUnicode(name));
        if (c.shapeType < 0) {
            EXPECT_NE(error.find("geometry type (or combination of types) is not supported."), std::string::npos) << error;
            continue;
        }
        ASSERT_EQ(error, "");
        fs::path shp = m_folder / (FdoStringP::Utf8FromUnicode(name) + ".shp");
        FILE* f = fopen(shp.c_str(), "rb");
        ASSERT_TRUE(f);
        unsigned char h[36];
        ASSERT_EQ(fread(h, 1, 36, f), 36u);
        fclose(f);
        EXPECT_EQ(h[32], c.shapeType);
        FdoPtr<FdoFeatureClass> back = DescribeClass(m_c, name);
        FdoPtr<FdoGeometricPropertyDefinition> bg = back->GetGeometryProperty();
        EXPECT_EQ(bg->GetHasElevation(), c.z);
    }
}

// FDO's Point geometric type covers points and multipoints, so such a
// class gets a multipoint shape file; a single point written to it is kept
// as a multipoint of one point, with every ordinate. A class whose specific
// types say Point only keeps a point shape file.
TEST_F(ShpWrite, PointsGoIntoMultipointFilesAsOnePointMultipoints) {
    struct Case {
        FdoString* name;
        bool z, m;
        std::vector<std::pair<FdoString*, FdoString*>> written;  // inserted, read back
    };
    const Case cases[] = {
        {L"Spots", false, false,
         {{L"POINT (1 2)", L"MULTIPOINT (1 2)"},
          {L"MULTIPOINT (3 4, 5.5 6.25)", L"MULTIPOINT (3 4, 5.5 6.25)"},
          {L"POINT (-7.125 8)", L"MULTIPOINT (-7.125 8)"}}},
        {L"Spots3d", true, false,
         {{L"POINT XYZ (1 2 3)", L"MULTIPOINT XYZ (1 2 3)"},
          {L"MULTIPOINT XYZ (4 5 6, 7 8 9)", L"MULTIPOINT XYZ (4 5 6, 7 8 9)"}}},
        {L"SpotsZm", true, true, {{L"POINT XYZM (1 2 3 4)", L"MULTIPOINT XYZM (1 2 3 4)"}}},
    };
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    for (const auto& c : cases) {
        SCOPED_TRACE(FdoStringP::Utf8FromUnicode(c.name));
        FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(c.name, L"");
        FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
        FdoPtr<FdoGeometricPropertyDefinition> g = FdoGeometricPropertyDefinition::Create(L"Geometry", L"");
        g->SetGeometryTypes(FdoGeometricType_Point);
        g->SetHasElevation(c.z);
        g->SetHasMeasure(c.m);
        props->Add(g);
        cls->SetGeometryProperty(g);
        FdoPtr<FdoDataPropertyDefinition> n = AddData(cls, L"N", FdoDataType_Int32);
        FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
        Apply(m_c, schema);
        FILE* f = fopen((m_folder / (FdoStringP::Utf8FromUnicode(c.name) + ".shp")).c_str(), "rb");
        ASSERT_TRUE(f);
        unsigned char h[36];
        ASSERT_EQ(fread(h, 1, 36, f), 36u);
        fclose(f);
        EXPECT_EQ(h[32], c.z ? 18 : 8);
        // A Z file without records reads as measured to GDAL; the class
        // keeps what was applied.
        FdoPtr<FdoFeatureClass> described = DescribeClass(m_c, c.name);
        FdoPtr<FdoGeometricPropertyDefinition> dg = described->GetGeometryProperty();
        EXPECT_EQ(dg->GetHasElevation(), c.z);
        EXPECT_EQ(dg->GetHasMeasure(), c.m);

        int i = 0;
        for (const auto& [text, expected] : c.written) {
            std::string error = ErrorOf([&] {
                InsertOne(m_c, c.name, {{L"Geometry", FdoGeometryValue::Create(FdoPtr<FdoByteArray>(Fgf(text)))},
                                        {L"N", FdoDataValue::Create(FdoInt32(++i))}});
            });
            EXPECT_EQ(error, "") << FdoStringP::Utf8FromUnicode(text);
        }
        FdoPtr<FdoIFeatureReader> r = SelectAll(m_c, c.name);
        size_t k = 0;
        while (r->ReadNext()) {
            ASSERT_LT(k, c.written.size());
            EXPECT_EQ(r->GetInt32(L"N"), static_cast<FdoInt32>(k + 1));
            FdoPtr<FdoByteArray> back = r->GetGeometry(L"Geometry");
            FdoPtr<FdoIGeometry> geometry = factory->CreateGeometryFromFgf(back);
            EXPECT_STREQ(geometry->GetText(), c.written[k].second);
            k++;
        }
        EXPECT_EQ(k, c.written.size());
    }

    // Update takes the same way in.
    FdoPtr<FdoIUpdate> update = Command<FdoIUpdate>(m_c, FdoCommandType_Update);
    update->SetFeatureClassName(L"Spots");
    update->SetFilter(L"N = 2");
    FdoPtr<FdoPropertyValueCollection> values = update->GetPropertyValues();
    FdoPtr<FdoByteArray> moved = Fgf(L"POINT (10 20)");
    FdoPtr<FdoGeometryValue> movedValue = FdoGeometryValue::Create(moved);
    FdoPtr<FdoPropertyValue> pv = FdoPropertyValue::Create(L"Geometry", movedValue);
    values->Add(pv);
    EXPECT_EQ(update->Execute(), 1);
    FdoPtr<FdoIFeatureReader> r = SelectAll(m_c, L"Spots", L"N = 2");
    ASSERT_TRUE(r->ReadNext());
    FdoPtr<FdoByteArray> back = r->GetGeometry(L"Geometry");
    FdoPtr<FdoIGeometry> geometry = factory->CreateGeometryFromFgf(back);
    EXPECT_STREQ(geometry->GetText(), L"MULTIPOINT (10 20)");
    r->Close();

    // A new connection reads the files the same way.
    m_c->Close();
    m_c = Connect(m_folder);
    for (const auto& c : cases) {
        FdoPtr<FdoIFeatureReader> again = SelectAll(m_c, c.name, L"N = 1");
        ASSERT_TRUE(again->ReadNext());
        FdoPtr<FdoByteArray> bytes = again->GetGeometry(L"Geometry");
        FdoPtr<FdoIGeometry> first = factory->CreateGeometryFromFgf(bytes);
        EXPECT_STREQ(first->GetText(), c.written[0].second);
    }

    // A Point-only class keeps a point shape file, whose points stay points.
    FdoPtr<FdoFeatureClass> only = PointClass(L"Only");
    FdoPtr<FdoFeatureSchema> onlySchema = NewSchema(only);
    Apply(m_c, onlySchema);
    InsertOne(m_c, L"Only", {{L"Geometry", FdoGeometryValue::Create(FdoPtr<FdoByteArray>(Fgf(L"POINT (1 2)")))}});
    FdoPtr<FdoIFeatureReader> pr = SelectAll(m_c, L"Only");
    ASSERT_TRUE(pr->ReadNext());
    FdoPtr<FdoByteArray> pback = pr->GetGeometry(L"Geometry");
    FdoPtr<FdoIGeometry> pgeometry = factory->CreateGeometryFromFgf(pback);
    EXPECT_STREQ(pgeometry->GetText(), L"POINT (1 2)");
}

TEST_F(ShpWrite, LongNamesAreCutToElevenCharactersAndStayUsable) {
    FdoPtr<FdoFeatureClass> cls = PointClass(L"Names");
    FdoPtr<FdoDataPropertyDefinition> a = AddData(cls, L"PropertyNumberOne", FdoDataType_String, 20);
    FdoPtr<FdoDataPropertyDefinition> b = AddData(cls, L"PropertyNumberTwo", FdoDataType_Int32);
    FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
    Apply(m_c, schema);
    FdoPtr<FdoFeatureClass> back = DescribeClass(m_c, L"Names");
    FdoPtr<FdoPropertyDefinitionCollection> props = back->GetProperties();
    EXPECT_TRUE(props->Contains(L"PropertyNum"));
    EXPECT_TRUE(props->Contains(L"PropertyNu1"));
    // The schema's own names still work for writing and reading in this session.
    InsertOne(m_c, L"Names", {{L"PropertyNumberOne", FdoDataValue::Create(L"text")},
                              {L"PropertyNumberTwo", FdoDataValue::Create(FdoInt32(7))}});
    FdoPtr<FdoIFeatureReader> r = SelectAll(m_c, L"Names");
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetString(L"PropertyNumberOne"), L"text");
    EXPECT_EQ(r->GetInt32(L"PropertyNu1"), 7);
}

TEST_F(ShpWrite, TypesRoundTripWithNullsAndDbfCodes) {
    FdoPtr<FdoFeatureClass> cls = PointClass(L"Types");
    FdoPtr<FdoDataPropertyDefinition> s = AddData(cls, L"Text", FdoDataType_String, 30);
    FdoPtr<FdoDataPropertyDefinition> i16 = AddData(cls, L"Small", FdoDataType_Int16);
    FdoPtr<FdoDataPropertyDefinition> i64 = AddData(cls, L"Big", FdoDataType_Int64);
    FdoPtr<FdoDataPropertyDefinition> dec = AddData(cls, L"Amount", FdoDataType_Decimal);
    dec->SetPrecision(12);
    dec->SetScale(3);
    FdoPtr<FdoDataPropertyDefinition> date = AddData(cls, L"Day", FdoDataType_DateTime);
    FdoPtr<FdoDataPropertyDefinition> flag = AddData(cls, L"Flag", FdoDataType_Boolean);
    FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
    Apply(m_c, schema);
    EXPECT_EQ(schema->GetElementState(), FdoSchemaElementState_Unchanged);

    FdoPtr<FdoByteArray> point = Fgf(L"POINT (1.5 2.25)");
    InsertOne(m_c, L"Types", {{L"Text", FdoDataValue::Create(L"été")},
                              {L"Small", FdoDataValue::Create(FdoInt16(-123))},
                              {L"Big", FdoDataValue::Create(FdoInt64(1234567890123LL))},
                              {L"Amount", FdoDataValue::Create(12345.678, FdoDataType_Decimal)},
                              {L"Day", FdoDataValue::Create(FdoDateTime(FdoInt16(2021), FdoInt8(12), FdoInt8(31)))},
                              {L"Flag", FdoDataValue::Create(true)},
                              {L"Geometry", FdoGeometryValue::Create(point)}});
    InsertOne(m_c, L"Types", {{L"Flag", FdoDataValue::Create(false)}});
    InsertOne(m_c, L"Types", {{L"Text", FdoDataValue::Create(FdoDataType_String)}});
    m_c->Close();
    m_c->Open();

    const fs::path dbf = m_folder / "Types.dbf";
    FILE* f = fopen(dbf.c_str(), "rb");
    ASSERT_TRUE(f);
    std::vector<unsigned char> bytes(4096);
    bytes.resize(fread(bytes.data(), 1, bytes.size(), f));
    fclose(f);
    std::string codes;
    for (size_t off = 32; off + 32 <= bytes.size() && bytes[off] != 0x0d; off += 32) codes += static_cast<char>(bytes[off + 11]);
    EXPECT_EQ(codes, "CNNNDL");

    FdoPtr<FdoIFeatureReader> r = SelectAll(m_c, L"Types");
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetString(L"Text"), L"été");
    EXPECT_EQ(r->GetInt16(L"Small"), -123);
    EXPECT_EQ(r->GetInt64(L"Big"), 1234567890123LL);
    EXPECT_DOUBLE_EQ(r->GetDouble(L"Amount"), 12345.678);
    EXPECT_TRUE(r->GetDateTime(L"Day") == FdoDateTime(FdoInt16(2021), FdoInt8(12), FdoInt8(31)));
    EXPECT_TRUE(r->GetBoolean(L"Flag"));
    FdoInt32 n = 0;
    const FdoByte* g = r->GetGeometry(L"Geometry", &n);
    EXPECT_EQ(std::vector<FdoByte>(g, g + n), std::vector<FdoByte>(point->GetData(), point->GetData() + point->GetCount()));
    ASSERT_TRUE(r->ReadNext());
    EXPECT_FALSE(r->GetBoolean(L"Flag"));
    for (FdoString* name : {L"Text", L"Small", L"Big", L"Amount", L"Day", L"Geometry"}) EXPECT_TRUE(r->IsNull(name)) << name;
    ASSERT_TRUE(r->ReadNext());
    EXPECT_TRUE(r->IsNull(L"Flag"));
    EXPECT_EQ(ErrorOf([&] { r->GetBoolean(L"Flag"); }), "The property 'Flag' is NULL.");
    EXPECT_EQ(ErrorOf([&] { r->GetInt32(L"Small"); }),
              "Value type to insert, update or retrieve doesn't match the type (Int16) of property 'Small'.");
    EXPECT_FALSE(r->ReadNext());
}

// A real too wide for its DBF field widens the field and keeps every digit;
// one too wide for any DBF field is refused, naming the property.
TEST_F(ShpWrite, NarrowRealFieldsWidenRatherThanCutDigits) {
    FdoPtr<FdoFeatureClass> cls = PointClass(L"Wide");
    FdoPtr<FdoDataPropertyDefinition> dec = AddData(cls, L"Amount", FdoDataType_Decimal);
    dec->SetPrecision(10);
    dec->SetScale(2);
    FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
    Apply(m_c, schema);
    const double big = -3.33333333333e21;
    InsertOne(m_c, L"Wide", {{L"Amount", FdoDataValue::Create(12.5, FdoDataType_Decimal)}});
    InsertOne(m_c, L"Wide", {{L"Amount", FdoDataValue::Create(big, FdoDataType_Decimal)}});
    EXPECT_NE(ErrorOf([&] { InsertOne(m_c, L"Wide", {{L"Amount", FdoDataValue::Create(1e300, FdoDataType_Decimal)}}); })
                  .find("of property 'Amount' does not fit in its field of"),
              std::string::npos);
    m_c->Close();
    m_c->Open();
    FdoPtr<FdoIFeatureReader> r = SelectAll(m_c, L"Wide");
    ASSERT_TRUE(r->ReadNext());
    EXPECT_DOUBLE_EQ(r->GetDouble(L"Amount"), 12.5);
    ASSERT_TRUE(r->ReadNext());
    EXPECT_DOUBLE_EQ(r->GetDouble(L"Amount"), big);
    EXPECT_FALSE(r->ReadNext());
}

TEST_F(ShpWrite, ClassWithoutGeometryIsANullShapeFile) {
    FdoPtr<FdoClass> cls = FdoClass::Create(L"Table", L"");
    FdoPtr<FdoDataPropertyDefinition> p = AddData(cls, L"Name", FdoDataType_String, 10);
    FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
    Apply(m_c, schema);
    InsertOne(m_c, L"Table", {{L"Name", FdoDataValue::Create(L"a")}});
    InsertOne(m_c, L"Table", {{L"Name", FdoDataValue::Create(L"b")}});
    m_c->Close();
    m_c->Open();
    FdoPtr<FdoFeatureClass> back = DescribeClass(m_c, L"Table");
    FdoPtr<FdoGeometricPropertyDefinition> g = back->GetGeometryProperty();
    EXPECT_FALSE(g);
    FdoPtr<FdoIFeatureReader> r = SelectAll(m_c, L"Table");
    int n = 0;
    while (r->ReadNext()) n++;
    EXPECT_EQ(n, 2);
}

TEST_F(ShpWrite, NullShapesReadAsNullGeometries) {
    // GDAL writes a null shape record for a feature without geometry.
    ogrcore::Init();
    GDALDriverH driver = GDALGetDriverByName("ESRI Shapefile");
    std::string path = (m_folder / "holes.shp").string();
    GDALDatasetH ds = GDALCreate(driver, path.c_str(), 0, 0, 0, GDT_Unknown, nullptr);
    OGRLayerH layer = GDALDatasetCreateLayer(ds, "holes", nullptr, wkbPoint, nullptr);
    OGRFieldDefnH fd = OGR_Fld_Create("n", OFTInteger);
    OGR_L_CreateField(layer, fd, TRUE);
    OGR_Fld_Destroy(fd);
    for (int i = 0; i < 3; i++) {
        OGRFeatureH f = OGR_F_Create(OGR_L_GetLayerDefn(layer));
        OGR_F_SetFieldInteger(f, 0, i);
        if (i != 1) {
            OGRGeometryH g = OGR_G_CreateGeometry(wkbPoint);
            OGR_G_SetPoint_2D(g, 0, i, i);
            OGR_F_SetGeometryDirectly(f, g);
        }
        EXPECT_EQ(OGR_L_CreateFeature(layer, f), OGRERR_NONE);
        OGR_F_Destroy(f);
    }
    GDALClose(ds);
    m_c->Close();
    m_c->Open();
    FdoPtr<FdoIFeatureReader> r = SelectAll(m_c, L"holes");
    std::vector<bool> nulls;
    while (r->ReadNext()) nulls.push_back(r->IsNull(L"Geometry"));
    EXPECT_EQ(nulls, (std::vector<bool>{false, true, false}));
}

TEST_F(ShpWrite, UpdateAndDeleteChangeWhatTheFilterSelects) {
    FdoPtr<FdoFeatureClass> cls = PointClass(L"Edit");
    FdoPtr<FdoDataPropertyDefinition> p = AddData(cls, L"N", FdoDataType_Int32);
    FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
    Apply(m_c, schema);
    for (int i = 1; i <= 10; i++) InsertOne(m_c, L"Edit", {{L"N", FdoDataValue::Create(FdoInt32(i))}});

    FdoPtr<FdoIUpdate> update = Command<FdoIUpdate>(m_c, FdoCommandType_Update);
    update->SetFeatureClassName(L"Edit");
    update->SetFilter(L"N > 7");
    FdoPtr<FdoPropertyValueCollection> values = update->GetPropertyValues();
    FdoPtr<FdoDataValue> hundred = FdoDataValue::Create(FdoInt32(100));
    FdoPtr<FdoPropertyValue> pv = FdoPropertyValue::Create(L"N", hundred);
    values->Add(pv);
    EXPECT_EQ(update->Execute(), 3);

    FdoPtr<FdoIDelete> del = Command<FdoIDelete>(m_c, FdoCommandType_Delete);
    del->SetFeatureClassName(L"Edit");
    del->SetFilter(L"N < 3 OR FeatId = 5");
    EXPECT_EQ(del->Execute(), 3);

    FdoPtr<FdoIFeatureReader> r = SelectAll(m_c, L"Edit");
    std::vector<int> left;
    while (r->ReadNext()) left.push_back(r->GetInt32(L"N"));
    EXPECT_EQ(left, (std::vector<int>{3, 4, 6, 7, 100, 100, 100}));

    EXPECT_NE(ErrorOf([&] {
                  InsertOne(m_c, L"Edit", {{L"FeatId", FdoDataValue::Create(FdoInt32(1))}});
              }).find("read-only"),
              std::string::npos);
}

TEST_F(ShpWrite, SpatialContextsComeFromPrjFilesAndCreateSpatialContext) {
    const std::string wkt =
        "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137.0,298.257223563]],"
        "PRIMEM[\"Greenwich\",0.0],UNIT[\"Degree\",0.0174532925199433]]";
    FdoPtr<FdoICreateSpatialContext> csc = Command<FdoICreateSpatialContext>(m_c, FdoCommandType_CreateSpatialContext);
    csc->SetName(L"MyContext");
    csc->SetCoordinateSystemWkt(FdoStringP(wkt.c_str()));
    csc->Execute();
    // A context without WKT (a source shape file without .prj) is another
    // name of Default; so is one whose coordinate system name is not the
    // WKT's (the database stand-ins name it after the SRID).
    FdoPtr<FdoICreateSpatialContext> noWkt = Command<FdoICreateSpatialContext>(m_c, FdoCommandType_CreateSpatialContext);
    noWkt->SetName(L"NoWkt");
    noWkt->Execute();
    FdoPtr<FdoICreateSpatialContext> srid = Command<FdoICreateSpatialContext>(m_c, FdoCommandType_CreateSpatialContext);
    srid->SetName(L"OracleSrid8307");
    srid->SetCoordinateSystem(L"OracleSrid8307");
    srid->SetCoordinateSystemWkt(FdoStringP(wkt.c_str()));
    srid->Execute();

    FdoPtr<FdoFeatureClass> cls = PointClass(L"Located");
    FdoPtr<FdoGeometricPropertyDefinition> g = cls->GetGeometryProperty();
    g->SetSpatialContextAssociation(L"MyContext");
    FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
    Apply(m_c, schema);
    FdoPtr<FdoByteArray> p1 = Fgf(L"POINT (10 20)"), p2 = Fgf(L"POINT (30 -5)");
    InsertOne(m_c, L"Located", {{L"Geometry", FdoGeometryValue::Create(p1)}});
    InsertOne(m_c, L"Located", {{L"Geometry", FdoGeometryValue::Create(p2)}});
    EXPECT_EQ(ReadText(m_folder / "Located.prj"), wkt);
    EXPECT_EQ(ReadText(m_folder / "Located.cpg"), "UTF-8");

    m_c->Close();
    m_c->Open();
    FdoPtr<FdoFeatureClass> back = DescribeClass(m_c, L"Located");
    FdoPtr<FdoGeometricPropertyDefinition> bg = back->GetGeometryProperty();
    EXPECT_STREQ(bg->GetSpatialContextAssociation(), L"GCS_WGS_1984");
    FdoPtr<FdoIGetSpatialContexts> gsc = Command<FdoIGetSpatialContexts>(m_c, FdoCommandType_GetSpatialContexts);
    FdoPtr<FdoISpatialContextReader> r = gsc->Execute();
    ASSERT_TRUE(r->ReadNext());
    EXPECT_STREQ(r->GetName(), L"GCS_WGS_1984");
    EXPECT_STREQ(r->GetCoordinateSystem(), L"GCS_WGS_1984");
    EXPECT_EQ(FdoStringP::Utf8FromUnicode(r->GetCoordinateSystemWkt()), wkt);
    EXPECT_EQ(r->GetExtentType(), FdoSpatialContextExtentType_Dynamic);
    FdoPtr<FdoByteArray> extent = r->GetExtent();
    FdoFgfBounds b = FdoFgfBounds::Compute(extent->GetData(), extent->GetCount());
    EXPECT_EQ(b.minX, 10);
    EXPECT_EQ(b.minY, -5);
    EXPECT_EQ(b.maxX, 30);
    EXPECT_EQ(b.maxY, 20);
    EXPECT_FALSE(r->ReadNext()) << "Default is dropped when every class has a .prj";
}

TEST_F(ShpWrite, GeometryBindsToTheWktOfItsContextOrToNoPrj) {
    const std::string wkt = "GEOGCS[\"GCS_WGS_1984\",DATUM[\"D_WGS_1984\",SPHEROID[\"WGS_1984\",6378137,298.257223563]],"
                            "PRIMEM[\"Greenwich\",0],UNIT[\"Degree\",0.0174532925199433]]";
    FdoPtr<FdoICreateSpatialContext> srid = Command<FdoICreateSpatialContext>(m_c, FdoCommandType_CreateSpatialContext);
    srid->SetName(L"OracleSrid8307");
    srid->SetCoordinateSystem(L"OracleSrid8307");
    srid->SetCoordinateSystemWkt(FdoStringP(wkt.c_str()));
    srid->Execute();
    FdoPtr<FdoICreateSpatialContext> noWkt = Command<FdoICreateSpatialContext>(m_c, FdoCommandType_CreateSpatialContext);
    noWkt->SetName(L"NoWkt");
    noWkt->Execute();

    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Default", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    for (FdoString* context : {L"OracleSrid8307", L"NoWkt", L"Nowhere"}) {
        FdoPtr<FdoFeatureClass> cls = PointClass(FdoStringP(L"In") + context);
        FdoPtr<FdoGeometricPropertyDefinition> g = cls->GetGeometryProperty();
        g->SetSpatialContextAssociation(context);
        classes->Add(cls);
    }
    Apply(m_c, schema);
    EXPECT_EQ(ReadText(m_folder / "InOracleSrid8307.prj"), wkt);
    EXPECT_FALSE(fs::exists(m_folder / "InNoWkt.prj"));
    EXPECT_FALSE(fs::exists(m_folder / "InNowhere.prj"));
    EXPECT_TRUE(fs::exists(m_folder / "InNowhere.shp"));
}

TEST_F(ShpWrite, AggregatesCountAndExtent) {
    FdoPtr<FdoFeatureClass> cls = PointClass(L"Agg");
    FdoPtr<FdoDataPropertyDefinition> p = AddData(cls, L"N", FdoDataType_Int32);
    FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
    Apply(m_c, schema);
    for (int i = 0; i < 5; i++) {
        FdoPtr<FdoByteArray> pt = Fgf(FdoStringP::Format(L"POINT (%d %d)", i, 10 * i));
        InsertOne(m_c, L"Agg", {{L"N", i == 2 ? FdoDataValue::Create(FdoDataType_Int32) : FdoDataValue::Create(FdoInt32(i))},
                                {L"Geometry", FdoGeometryValue::Create(pt)}});
    }
    for (FdoString* filter : {static_cast<FdoString*>(nullptr), L"N >= 0"}) {
        FdoPtr<FdoISelectAggregates> sa = Command<FdoISelectAggregates>(m_c, FdoCommandType_SelectAggregates);
        sa->SetFeatureClassName(L"Agg");
        if (filter) sa->SetFilter(filter);
        FdoPtr<FdoIdentifierCollection> ids = sa->GetPropertyNames();
        for (FdoString* text : {L"Count() AS Rows", L"Count(N) AS Values", L"SpatialExtents(Geometry) AS Box"}) {
            FdoPtr<FdoExpression> e = FdoExpression::Parse(FdoStringP(text).Left(L" AS "));
            FdoPtr<FdoComputedIdentifier> ci = FdoComputedIdentifier::Create(FdoStringP(text).Right(L" AS "), e);
            ids->Add(ci);
        }
        FdoPtr<FdoIDataReader> r = sa->Execute();
        ASSERT_TRUE(r->ReadNext());
        EXPECT_EQ(r->GetInt64(L"Rows"), filter ? 4 : 5);
        EXPECT_EQ(r->GetInt64(L"Values"), 4);
        FdoPtr<FdoByteArray> box = r->GetGeometry(L"Box");
        FdoFgfBounds b = FdoFgfBounds::Compute(box->GetData(), box->GetCount());
        EXPECT_EQ(b.minX, 0);
        EXPECT_EQ(b.maxY, 40);
        EXPECT_FALSE(r->ReadNext());
    }
}

namespace {

// The record count the header of a .dbf gives, and whether the file is
// exactly its header, those records and one end-of-file mark (0x1A).
struct DbfEnd {
    long records = -1;
    bool oneMarkAtTheEnd = false;
};

DbfEnd ReadDbfEnd(const fs::path& dbf) {
    std::string bytes = ReadText(dbf);
    DbfEnd end;
    if (bytes.size() < 12) return end;
    auto byte = [&](size_t i) { return static_cast<unsigned long>(static_cast<unsigned char>(bytes[i])); };
    end.records = static_cast<long>(byte(4) | byte(5) << 8 | byte(6) << 16 | byte(7) << 24);
    const unsigned long header = byte(8) | byte(9) << 8, record = byte(10) | byte(11) << 8;
    end.oneMarkAtTheEnd = bytes.size() == header + static_cast<unsigned long>(end.records) * record + 1 &&
                          bytes.back() == '\x1a';
    return end;
}

}  // namespace

// Records are appended without GDAL's end-of-file mark after each of them
// (which costs a seek and a block read per record); the mark is put once
// when the connection lets the file go. Every write session, a second one
// appending to the file included, ends with the file as GDAL leaves it.
TEST_F(ShpWrite, AttributeTableEndsWithOneEndOfFileMarkAfterEveryWriteSession) {
    FdoPtr<FdoFeatureClass> cls = PointClass(L"Marked");
    FdoPtr<FdoDataPropertyDefinition> p = AddData(cls, L"N", FdoDataType_Int32);
    FdoPtr<FdoFeatureSchema> schema = NewSchema(cls);
    Apply(m_c, schema);
    const fs::path dbf = m_folder / "Marked.dbf";
    EXPECT_TRUE(ReadDbfEnd(dbf).oneMarkAtTheEnd) << "a new, empty table";

    auto insert = [&](int from, int to) {
        for (int i = from; i <= to; i++) {
            FdoPtr<FdoByteArray> point = Fgf(FdoStringP::Format(L"POINT (%d %d)", i, i));
            InsertOne(m_c, L"Marked",
                      {{L"N", FdoDataValue::Create(FdoInt32(i))}, {L"Geometry", FdoGeometryValue::Create(point)}});
        }
    };
    insert(1, 10);
    m_c->Close();
    DbfEnd end = ReadDbfEnd(dbf);
    EXPECT_EQ(end.records, 10);
    EXPECT_TRUE(end.oneMarkAtTheEnd);

    m_c->Open();
    insert(11, 15);
    FdoPtr<FdoIDelete> del = Command<FdoIDelete>(m_c, FdoCommandType_Delete);
    del->SetFeatureClassName(L"Marked");
    del->SetFilter(L"N = 4");
    EXPECT_EQ(del->Execute(), 1);
    m_c->Close();
    end = ReadDbfEnd(dbf);
    EXPECT_EQ(end.records, 14) << "GDAL packs the deleted record out on close";
    EXPECT_TRUE(end.oneMarkAtTheEnd);

    OgrFile ogr(m_folder / "Marked.shp");
    EXPECT_EQ(OGR_L_GetFeatureCount(ogr.Layer(), TRUE), 14);
    std::vector<int> numbers;
    OGR_L_ResetReading(ogr.Layer());
    while (OGRFeatureH f = OGR_L_GetNextFeature(ogr.Layer())) {
        numbers.push_back(OGR_F_GetFieldAsInteger(f, 0));
        OGR_F_Destroy(f);
    }
    EXPECT_EQ(numbers, (std::vector<int>{1, 2, 3, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
    m_c->Open();
}
