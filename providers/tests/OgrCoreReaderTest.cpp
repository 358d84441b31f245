// The shared reader and writer over a GeoPackage: FDO's getter rules, the
// select list, readers of one layer that do not disturb each other, and
// inserts committed in chunks that every reader sees.
#include "OgrCoreTestSupport.h"

#include <ogrcore/OgrFeatureReader.h>
#include <ogrcore/OgrFeatureWriter.h>
#include <ogrcore/OgrHandles.h>
#include <ogrcore/OgrValues.h>

using namespace shptest;

TEST(OgrCoreReader, GettersFollowFdoRules) {
    fs::path dir = geoxfer_test::TempDir("ogr-reader");
    FdoPtr<ogrcore::ClassMap> map = ogrtest::MakeItems(dir, 10);
    FdoPtr<ogrcore::FeatureReader> r = ogrcore::FeatureReader::Create(map, nullptr, nullptr, nullptr);
    EXPECT_NE(ErrorOf([&] { r->GetInt16(L"Count"); }).find("ReadNext"), std::string::npos);
    int n = 0;
    while (r->ReadNext()) {
        EXPECT_EQ(r->GetInt64(L"Id"), n + 1);
        EXPECT_EQ(r->GetInt16(L"Count"), n);
        EXPECT_EQ(r->GetDouble(L"Price"), n * 0.5);
        FdoDateTime when = r->GetDateTime(L"When");
        EXPECT_EQ(when.month, 1 + n % 12);
        EXPECT_EQ(when.hour, 12);
        EXPECT_FLOAT_EQ(when.seconds, 15.5f);
        EXPECT_EQ(r->IsNull(L"Name"), n % 7 == 3);
        if (n % 7 == 3) {
            EXPECT_EQ(ErrorOf([&] { r->GetString(L"Name"); }), "The property 'Name' is NULL.");
        }
        EXPECT_EQ(ErrorOf([&] { r->GetInt32(L"Count"); }),
                  "Value type to insert, update or retrieve doesn't match the type (Int16) of property 'Count'.");
        EXPECT_EQ(ErrorOf([&] { r->GetString(L"Geometry"); }),
                  "Value type to insert, update or retrieve doesn't match the type (Geometry) of property 'Geometry'.");
        FdoInt32 count = 0;
        const FdoByte* fgf = r->GetGeometry(L"Geometry", &count);
        FdoFgfBounds b = FdoFgfBounds::Compute(fgf, count);
        EXPECT_EQ(b.minX, n);
        EXPECT_EQ(b.minY, -n);
        n++;
    }
    EXPECT_EQ(n, 10);
    EXPECT_FALSE(r->ReadNext());
}

TEST(OgrCoreReader, ReadersOfOneLayerAreIndependent) {
    fs::path dir = geoxfer_test::TempDir("ogr-readers");
    FdoPtr<ogrcore::ClassMap> map = ogrtest::MakeItems(dir, 50);
    FdoPtr<FdoFilter> odd = FdoFilter::Parse(L"Name = 'odd'");
    FdoPtr<ogrcore::FeatureReader> a = ogrcore::FeatureReader::Create(map, nullptr, odd, nullptr);
    FdoPtr<ogrcore::FeatureReader> b = ogrcore::FeatureReader::Create(map, nullptr, nullptr, nullptr);
    int na = 0, nb = 0;
    bool moreA = true, moreB = true;
    while (moreA || moreB) {
        if (moreA && (moreA = a->ReadNext())) {
            na++;
            EXPECT_STREQ(a->GetString(L"Name"), L"odd");
        }
        if (moreB && (moreB = b->ReadNext())) nb++;
    }
    EXPECT_EQ(na, 21);
    EXPECT_EQ(nb, 50);
}

TEST(OgrCoreReader, InsertsCommitInChunksAndAreReadBack) {
    fs::path dir = geoxfer_test::TempDir("ogr-writer");
    FdoPtr<ogrcore::ClassMap> map = ogrtest::MakeItems(dir, 0);
    ogrcore::FeatureWriter writer(map);
    FdoPtr<FdoPropertyValueCollection> values = FdoPropertyValueCollection::Create();
    FdoPtr<FdoParameter> count = FdoParameter::Create(L"c");
    FdoPtr<FdoPropertyValue> pv = FdoPropertyValue::Create(L"Count", count);
    values->Add(pv);
    FdoPtr<FdoParameterValueCollection> params = FdoParameterValueCollection::Create();
    FdoPtr<FdoParameterValue> c = FdoParameterValue::Create(L"c");
    params->Add(c);
    const long rows = ogrcore::DataSource::kChunkRows + 500;
    for (long i = 0; i < rows; i++) {
        FdoPtr<FdoDataValue> v = FdoDataValue::Create(FdoInt16(i % 1000));
        c->SetValue(v);
        EXPECT_EQ(writer.Insert(values, params), i + 1);
    }
    // A second handle sees the committed chunk before Flush, and everything after it.
    {
        FdoPtr<ogrcore::Dataset> other = ogrcore::Dataset::Open((dir / "items.gpkg").string(), false);
        EXPECT_EQ(OGR_L_GetFeatureCount(other->Layer("items"), TRUE), ogrcore::DataSource::kChunkRows);
    }
    FdoPtr<ogrcore::FeatureReader> r = ogrcore::FeatureReader::Create(map, nullptr, nullptr, nullptr);
    long n = 0;
    while (r->ReadNext()) EXPECT_EQ(r->GetInt16(L"Count"), n++ % 1000);
    EXPECT_EQ(n, rows);

    FdoPtr<FdoDataValue> big = FdoDataValue::Create(FdoInt32(70000));
    FdoPtr<FdoPropertyValue> tooBig = FdoPropertyValue::Create(L"Count", big);
    FdoPtr<FdoPropertyValueCollection> bad = FdoPropertyValueCollection::Create();
    bad->Add(tooBig);
    EXPECT_NE(ErrorOf([&] { writer.Insert(bad, nullptr); }).find("property 'Count'"), std::string::npos);
    FdoPtr<FdoPropertyValue> id = FdoPropertyValue::Create(L"Id", big);
    FdoPtr<FdoPropertyValueCollection> readOnly = FdoPropertyValueCollection::Create();
    readOnly->Add(id);
    EXPECT_NE(ErrorOf([&] { writer.Insert(readOnly, nullptr); }).find("read-only"), std::string::npos);
}

TEST(OgrCoreErrors, GdalFailuresBecomeMessagesNamingTheFile) {
    std::string error = ErrorOf([] { FdoPtr<ogrcore::Dataset> d = ogrcore::Dataset::Open("/no/such/file.gpkg", false); });
    EXPECT_NE(error.find("Cannot open '/no/such/file.gpkg'"), std::string::npos) << error;
    ogrcore::ErrorTrap trap;
    CPLError(CE_Warning, CPLE_AppDefined, "first");
    CPLError(CE_Failure, CPLE_AppDefined, "second");
    EXPECT_TRUE(trap.HasWarning());
    EXPECT_TRUE(trap.HasFailure());
    CPLError(CE_Failure, CPLE_AppDefined, "third");
    EXPECT_EQ(FdoStringP::Utf8FromUnicode(trap.Describe(L"Doing it")), "Doing it: second; third")
        << "warnings stay out of messages";
}

TEST(OgrCoreValues, GeometriesCrossAsBytesWithZAndM) {
    ogrcore::Init();
    for (const char* wkt : {"POINT ZM (1 2 3 4)", "LINESTRING M (0 0 1, 1 1 2)",
                            "MULTIPOLYGON Z (((0 0 1, 1 0 1, 1 1 1, 0 0 1)), ((5 5 2, 6 5 2, 6 6 2, 5 5 2)))",
                            "MULTILINESTRING ((0 0, 1 1), (2 2, 3 3))", "MULTIPOINT Z ((1 2 3), (4 5 6))"}) {
        SCOPED_TRACE(wkt);
        OGRGeometryH g = nullptr;
        char* text = const_cast<char*>(wkt);
        ASSERT_EQ(OGR_G_CreateFromWkt(&text, nullptr, &g), OGRERR_NONE);
        std::vector<FdoByte> wkb, fgf;
        ogrcore::GeometryToFgf(g, wkb, fgf);
        ogrcore::GeometryPtr back = ogrcore::GeometryFromFgf(fgf.data(), static_cast<FdoInt32>(fgf.size()), wkb);
        std::vector<double> a, b;
        bool az = false, am = false, bz = false, bm = false;
        Ordinates(g, a, az, am);
        Ordinates(back.get(), b, bz, bm);
        EXPECT_EQ(a, b);
        EXPECT_EQ(az, bz);
        EXPECT_EQ(am, bm);
        EXPECT_EQ(OGR_G_GetGeometryType(g), OGR_G_GetGeometryType(back.get()));
        OGR_G_DestroyGeometry(g);
    }
    std::vector<FdoByte> wkb;
    const FdoByte junk[] = {9, 9, 9};
    EXPECT_NE(ErrorOf([&] { ogrcore::GeometryFromFgf(junk, 3, wkb); }), "");
}

TEST(OgrCoreValues, LogicalTextAndRanges) {
    EXPECT_EQ(ogrcore::LogicalFromText("Y"), 1);
    EXPECT_EQ(ogrcore::LogicalFromText("t"), 1);
    EXPECT_EQ(ogrcore::LogicalFromText("N"), 0);
    EXPECT_EQ(ogrcore::LogicalFromText("f"), 0);
    EXPECT_EQ(ogrcore::LogicalFromText("?"), -1);
    EXPECT_EQ(ogrcore::LogicalFromText(" "), -1);
    OGRFeatureDefnH defn = OGR_FD_Create("t");
    OGRFieldDefnH fd = OGR_Fld_Create("n", OFTInteger64);
    OGR_FD_AddFieldDefn(defn, fd);
    OGR_Fld_Destroy(fd);
    OGR_FD_Reference(defn);
    {
        ogrcore::FeaturePtr f(OGR_F_Create(defn));
        OGR_F_SetFieldInteger64(f.get(), 0, 99999);
        ogrcore::PropertyBinding b;
        b.name = L"Small";
        b.type = FdoDataType_Int16;
        b.field = 0;
        EXPECT_EQ(ErrorOf([&] { ogrcore::ReadInteger(f.get(), b, 0); }),
                  "The value 99999 of property 'Small' does not fit in Int16.");
        EXPECT_NE(ErrorOf([&] { FdoPtr<FdoDataValue> v = ogrcore::ReadDataValue(f.get(), b, 0); }), "");
        b.type = FdoDataType_Int32;
        FdoPtr<FdoDataValue> v = ogrcore::ReadDataValue(f.get(), b, 0);
        EXPECT_EQ(static_cast<FdoInt32Value*>(v.p)->GetInt32(), 99999);
    }
    OGR_FD_Release(defn);
}
