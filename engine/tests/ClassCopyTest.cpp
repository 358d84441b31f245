// Class copy between open connections, on real shape files and SDF stores:
// real shape files copied into a new SDF store and checked feature by
// feature against GDAL's own reading of the source (through ogr2ogr), batch
// boundaries, the loose class and property matching of the maker's Oracle
// provider (an SDF store that reports that name, and the provider's embedded
// stand-in), null geometries, read-only properties, filters and failures.
#include "TransferTestSupport.h"

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <regex>
#include <sstream>

using namespace transfer_test;

namespace {

// --- GDAL's view of a shape file, through ogr2ogr into CSV -----------------

struct GdalTable {
    std::vector<std::string> columns;            // attribute columns, then "WKT"
    std::vector<std::vector<std::string>> rows;  // one per feature, in file order
};

std::vector<std::string> SplitCsvRecord(std::istream& in, bool& ok) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false, any = false;
    char ch;
    while (in.get(ch)) {
        any = true;
        if (quoted) {
            if (ch == '"') {
                if (in.peek() == '"') {
                    field += '"';
                    in.get(ch);
                } else {
                    quoted = false;
                }
            } else {
                field += ch;
            }
        } else if (ch == '"') {
            quoted = true;
        } else if (ch == ',') {
            fields.push_back(field);
            field.clear();
        } else if (ch == '\n') {
            break;
        } else if (ch != '\r') {
            field += ch;
        }
    }
    ok = any;
    fields.push_back(field);
    return fields;
}

// Every feature of the shape file as GDAL reads it: attribute texts and
// geometry WKT. Empty table when ogr2ogr is not there.
GdalTable ReadWithGdal(const fs::path& shp, const fs::path& work) {
    GdalTable table;
    const fs::path csv = work / (shp.stem().string() + "-gdal.csv");
    const std::string command = "ogr2ogr -f CSV -lco GEOMETRY=AS_WKT -lco LINEFORMAT=LF \"" + csv.string() + "\" \"" +
                                shp.string() + "\" > /dev/null 2>&1";
    if (std::system(command.c_str()) != 0) return table;
    std::ifstream in(csv, std::ios::binary);
    bool ok = false;
    auto header = SplitCsvRecord(in, ok);
    // GEOMETRY=AS_WKT puts the WKT column first.
    for (size_t i = 1; i < header.size(); i++) table.columns.push_back(header[i]);
    table.columns.push_back("WKT");
    while (true) {
        auto record = SplitCsvRecord(in, ok);
        if (!ok || (record.size() == 1 && record[0].empty())) break;
        std::vector<std::string> row(record.begin() + 1, record.end());
        row.push_back(record[0]);
        table.rows.push_back(row);
    }
    return table;
}

std::vector<double> NumbersIn(const std::string& text) {
    static const std::regex number(R"([-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?)");
    std::vector<double> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), number); it != std::sregex_iterator(); ++it)
        out.push_back(std::stod(it->str()));
    return out;
}

bool Close(double a, double b) { return std::fabs(a - b) <= 1e-9 * std::max(1.0, std::fabs(a)); }

// The geometry kind word of a WKT/FGF text ("POLYGON", "MULTILINESTRING"...).
std::string KindOf(const std::string& text) { return text.substr(0, text.find_first_of(" (")); }

void ExpectSameGeometry(const std::string& gdalWkt, FdoByteArray* fgf, size_t row) {
    SCOPED_TRACE(testing::Message() << "feature " << row);
    if (gdalWkt.empty()) {
        EXPECT_EQ(fgf, nullptr) << "GDAL reads no geometry";
        return;
    }
    ASSERT_NE(fgf, nullptr);
    const std::string fdo = Narrow(GeometryText(fgf).c_str());
    EXPECT_EQ(KindOf(fdo), KindOf(gdalWkt));
    const auto a = NumbersIn(gdalWkt), b = NumbersIn(fdo);
    ASSERT_EQ(a.size(), b.size()) << fdo.substr(0, 200) << "\n" << gdalWkt.substr(0, 200);
    for (size_t i = 0; i < a.size(); i++)
        if (!Close(a[i], b[i])) {
            ADD_FAILURE() << "ordinate " << i << ": " << b[i] << " != " << a[i];
            break;
        }
}

// Compares a copied value with GDAL's text of the source field.
void ExpectSameValue(const std::string& gdalText, FdoIFeatureReader* r, FdoDataPropertyDefinition* p, size_t row) {
    FdoString* name = p->GetName();
    SCOPED_TRACE(testing::Message() << "feature " << row << " property " << Narrow(name));
    if (r->IsNull(name)) {
        EXPECT_TRUE(gdalText.empty()) << "null in the copy, GDAL reads '" << gdalText << "'";
        return;
    }
    FdoPtr<FdoDataValue> v = c_FDO_Api::ReaderGetDataPropertyValue(r, name, p->GetDataType(), p->GetDataType());
    switch (p->GetDataType()) {
        case FdoDataType_String:
            EXPECT_EQ(Narrow(static_cast<FdoStringValue*>(v.p)->GetString()), gdalText);
            break;
        case FdoDataType_Decimal:
        case FdoDataType_Double:
        case FdoDataType_Int16:
        case FdoDataType_Int32:
        case FdoDataType_Int64:
        case FdoDataType_Single: {
            ASSERT_FALSE(gdalText.empty());
            FdoPtr<FdoDoubleValue> d = static_cast<FdoDoubleValue*>(FdoDataValue::Create(FdoDataType_Double, v));
            EXPECT_TRUE(Close(d->GetDouble(), std::stod(gdalText))) << d->GetDouble() << " != " << gdalText;
            break;
        }
        case FdoDataType_DateTime: {
            FdoDateTime t = static_cast<FdoDateTimeValue*>(v.p)->GetDateTime();
            char text[32];
            std::snprintf(text, sizeof text, "%04d/%02d/%02d", t.year, t.month, t.day);
            EXPECT_EQ(std::string(text), gdalText);
            break;
        }
        default:
            break;
    }
}

// Every feature of the copied class against GDAL's reading of the shape file.
void ExpectCopyMatchesGdal(FdoIConnection* dest, FdoString* className, const GdalTable& gdal) {
    FdoPtr<FdoClassDefinition> cls = ClassOf(dest, className);
    ASSERT_NE(cls, nullptr);
    FdoPtr<FdoGeometricPropertyDefinition> geometry = static_cast<FdoFeatureClass*>(cls.p)->GetGeometryProperty();
    ASSERT_NE(geometry, nullptr);
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoIFeatureReader> r = SelectAll(dest, className);
    size_t row = 0;
    for (; r->ReadNext(); row++) {
        ASSERT_LT(row, gdal.rows.size()) << "more features in the copy than in the source";
        const auto& values = gdal.rows[row];
        for (size_t c = 0; c + 1 < gdal.columns.size(); c++) {
            FdoPtr<FdoPropertyDefinition> p = props->FindItem(FdoStringP(gdal.columns[c].c_str()));
            ASSERT_NE(p, nullptr) << "no property for field " << gdal.columns[c];
            ExpectSameValue(values[c], r, static_cast<FdoDataPropertyDefinition*>(p.p), row);
        }
        FdoPtr<FdoByteArray> fgf = r->IsNull(geometry->GetName()) ? nullptr : r->GetGeometry(geometry->GetName());
        ExpectSameGeometry(values.back(), fgf, row);
        if (testing::Test::HasFailure()) break;
    }
    r->Close();
    EXPECT_EQ(row, gdal.rows.size());
}

// A source SDF store with class "Items" (Id, Code Int32, Label String, Geom)
// holding `count` features with Code 0..count-1, Label "item <code>" and a point.
FdoIConnection* SourceWithItems(const fs::path& file, int count) {
    FdoPtr<FdoIConnection> c = NewSdf(file);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Src", L"");
    FdoPtr<FdoFeatureClass> cls = FeatureClass(L"Items");
    AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Code", FdoDataType_Int32)));
    AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Label", FdoDataType_String, 40)));
    FdoGeometryType pointOnly[] = {FdoGeometryType_Point};
    FdoPtr<FdoGeometricPropertyDefinition>(cls->GetGeometryProperty())->SetSpecificGeometryTypes(pointOnly, 1);
    FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
    Apply(c, schema);
    FdoPtr<FdoIInsert> insert = Command<FdoIInsert>(c, FdoCommandType_Insert);
    insert->SetFeatureClassName(L"Items");
    FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
    FdoPtr<FdoPropertyValue> code = FdoPropertyValue::Create(L"Code", nullptr);
    FdoPtr<FdoPropertyValue> label = FdoPropertyValue::Create(L"Label", nullptr);
    FdoPtr<FdoPropertyValue> geom = FdoPropertyValue::Create(L"Geom", nullptr);
    values->Add(code);
    values->Add(label);
    values->Add(geom);
    for (int i = 0; i < count; i++) {
        code->SetValue(static_cast<FdoValueExpression*>(FdoPtr<FdoDataValue>(FdoDataValue::Create(FdoInt32(i)))));
        label->SetValue(static_cast<FdoValueExpression*>(
            FdoPtr<FdoDataValue>(FdoDataValue::Create(static_cast<FdoString*>(FdoStringP::Format(L"item %d", i))))));
        FdoPtr<FdoByteArray> point = Fgf(FdoStringP::Format(L"POINT (%d %d)", i, -i));
        geom->SetValue(static_cast<FdoValueExpression*>(FdoPtr<FdoGeometryValue>(FdoGeometryValue::Create(point))));
        FdoPtr<FdoIFeatureReader> inserted = insert->Execute();
    }
    return c.Detach();
}

// Codes of a copied Items class, in order, and the geometries' texts.
std::vector<int> CodesOf(FdoIConnection* c, FdoString* cls, std::vector<std::wstring>* geometries = nullptr) {
    std::vector<int> codes;
    FdoPtr<FdoIFeatureReader> r = SelectAll(c, cls);
    while (r->ReadNext()) {
        codes.push_back(r->IsNull(L"Code") ? -1 : r->GetInt32(L"Code"));
        if (geometries) {
            FdoPtr<FdoByteArray> g = r->IsNull(L"Geom") ? nullptr : r->GetGeometry(L"Geom");
            geometries->push_back(g ? GeometryText(g) : L"<null>");
        }
    }
    r->Close();
    return codes;
}

std::vector<int> Range(int n) {
    std::vector<int> v(static_cast<size_t>(n));
    for (int i = 0; i < n; i++) v[static_cast<size_t>(i)] = i;
    return v;
}

class ClassCopy : public testing::Test {
protected:
    void SetUp() override { m_dir = geoxfer_test::TempDir("classcopy"); }
    fs::path m_dir;
};

}  // namespace

// --- Real shape files into a new SDF store -------------------------------

TEST_F(ClassCopy, ShapeFilesIntoNewSdfMatchGdalFeatureByFeature) { Guarded([&] {
    SHARED_DATA_OR_SKIP("shp/Ontario");
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    struct Case {
        fs::path folder;
        FdoString* className;
        long features;
    };
    const fs::path shared = geoxfer_test::SharedDataDir() / "shp";
    std::vector<Case> cases = {{shared / "Ontario", L"roads", 1088},
                               {shared / "Ontario", L"ShpMixedDecimals", 3},
                               {shared / "Sheboygan", L"HydrographicPolygons", 91},
                               {shared / "Sheboygan", L"CityLimits", 3}};
    const fs::path nc = geoxfer_test::SampleDataDir() / "sf/shape";
    if (fs::exists(nc / "nc.shp")) cases.push_back({nc, L"nc", 100});
    else std::printf("sample data not found: %s (nc.shp case skipped)\n", nc.string().c_str());

    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(c.className));
        const GdalTable gdal = ReadWithGdal(c.folder / (Narrow(c.className) + ".shp"), m_dir);
        if (gdal.rows.empty()) GTEST_SKIP() << "ogr2ogr is not available to read the reference";
        ASSERT_EQ(static_cast<long>(gdal.rows.size()), c.features);
        FdoPtr<FdoIConnection> shp = OpenShp(c.folder);
        FdoPtr<FdoIConnection> sdf = NewSdf(m_dir / (Narrow(c.className) + ".sdf"));
        FdoPtr<FdoStringCollection> names = Names({c.className});
        EXPECT_EQ(c_FDO_Api::CopyFdoClass(shp, sdf, names, 0, 300, false, nullptr), c.features);
        ExpectCopyMatchesGdal(sdf, c.className, gdal);
    }
}); }

// Into shape files: the destination's types are adapted (Int32 stays, the
// String gets a width) and every value and geometry arrives.
TEST_F(ClassCopy, SdfAndShapeIntoNewShapeFiles) { Guarded([&] {
    FdoPtr<FdoIConnection> src = SourceWithItems(m_dir / "src.sdf", 301);
    const fs::path folder = m_dir / "shp";
    fs::create_directories(folder);
    FdoPtr<FdoIConnection> shp = OpenShp(folder);
    FdoPtr<FdoStringCollection> names = Names({L"Items"});
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(src, shp, names, 0, 300, false, nullptr), 301);
    FdoPtr<FdoIFeatureReader> r = SelectAll(shp, L"Items");
    int i = 0;
    for (; r->ReadNext(); i++) {
        ASSERT_EQ(r->GetInt32(L"Code"), i);
        ASSERT_STREQ(r->GetString(L"Label"), FdoStringP::Format(L"item %d", i));
        // The shape file's geometry is called Geometry: it still takes the source's Geom.
        FdoPtr<FdoByteArray> g = r->GetGeometry(L"Geometry");
        ASSERT_EQ(GeometryText(g), std::wstring(FdoStringP::Format(L"POINT (%d %d)", i, -i)));
    }
    EXPECT_EQ(i, 301);

    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    const fs::path source = geoxfer_test::SharedDataDir() / "shp/Sheboygan";
    for (FdoString* name : {L"CityLimits", L"RoadCenterLines"}) {
        SCOPED_TRACE(Narrow(name));
        const GdalTable gdal = ReadWithGdal(source / (Narrow(name) + ".shp"), m_dir);
        if (gdal.rows.empty()) GTEST_SKIP() << "ogr2ogr is not available to read the reference";
        FdoPtr<FdoIConnection> sheboygan = OpenShp(source);
        names = Names({name});
        EXPECT_EQ(c_FDO_Api::CopyFdoClass(sheboygan, shp, names, 0, 300, false, nullptr),
                  static_cast<long>(gdal.rows.size()));
        ExpectCopyMatchesGdal(shp, name, gdal);
    }
}); }

TEST_F(ClassCopy, TwoClassesCopyBothAndReturnTheSum) { Guarded([&] {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    FdoPtr<FdoIConnection> inner = OpenShp(geoxfer_test::SharedDataDir() / "shp/Sheboygan");
    FdoPtr<Disguise> shp = Disguise::Create(inner, L"OSGeo.SHP.4.2");
    FdoPtr<FdoIConnection> sdf = NewSdf(m_dir / "two.sdf");
    FdoPtr<FdoStringCollection> names = Names({L"CityLimits", L"Islands"});
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(shp, sdf, names, 0, 300, false, L""), 3 + 5);
    // The features stream: one select per class, read once.
    EXPECT_EQ(shp->Selects()->executions, 2);
    EXPECT_EQ(CountAll(sdf, L"CityLimits"), 3);
    EXPECT_EQ(CountAll(sdf, L"Islands"), 5);
}); }

// A shape file whose second feature has no shape: copied with a null
// geometry and its values, in row and in batch mode.
TEST_F(ClassCopy, NullShapesAreCopiedAsNullGeometries) { Guarded([&] {
    const fs::path folder = m_dir / "holes";
    fs::create_directories(folder);
    {
        std::ofstream csv(m_dir / "holes.csv");
        csv << "WKT,n,name\n\"POINT (1 1)\",1,first\n,2,no shape\n\"POINT (3 3)\",3,third\n";
    }
    const std::string make = "ogr2ogr -f \"ESRI Shapefile\" -nlt POINT \"" + (folder / "holes.shp").string() + "\" \"" +
                             (m_dir / "holes.csv").string() + "\" > /dev/null 2>&1";
    if (std::system(make.c_str()) != 0) GTEST_SKIP() << "ogr2ogr is not available to make the shape file";
    FdoPtr<FdoIConnection> shp = OpenShp(folder);
    {
        FdoPtr<FdoIFeatureReader> r = SelectAll(shp, L"holes");
        std::vector<bool> nulls;
        while (r->ReadNext()) nulls.push_back(r->IsNull(L"Geometry"));
        ASSERT_EQ(nulls, (std::vector<bool>{false, true, false})) << "the source holds a null shape";
    }
    for (int batchSize : {1, 300}) {
        SCOPED_TRACE(batchSize);
        FdoPtr<FdoIConnection> sdf = NewSdf(m_dir / ("holes" + std::to_string(batchSize) + ".sdf"));
        FdoPtr<FdoStringCollection> names = Names({L"holes"});
        EXPECT_EQ(c_FDO_Api::CopyFdoClass(shp, sdf, names, 0, batchSize, false, nullptr), 3);
        FdoPtr<FdoIFeatureReader> r = SelectAll(sdf, L"holes");
        std::vector<std::wstring> got;
        while (r->ReadNext()) {
            FdoPtr<FdoByteArray> g = r->IsNull(L"Geometry") ? nullptr : r->GetGeometry(L"Geometry");
            got.push_back(std::wstring(r->GetString(L"name")) + L"|" + (g ? GeometryText(g) : L"<null>"));
        }
        EXPECT_EQ(got, (std::vector<std::wstring>{L"first|POINT (1 1)", L"no shape|<null>", L"third|POINT (3 3)"}));
    }
}); }

// --- Batches ---------------------------------------------------------------

TEST_F(ClassCopy, BatchBoundaries) { Guarded([&] {
    struct Case {
        int features, batchSize;
        bool hideBatch;
        std::vector<FdoInt32> executions;  // rows per execution, 0 = row mode
    };
    const std::vector<Case> cases = {
        {100, 100, false, {100}},        {101, 100, false, {100, 1}}, {300, 300, false, {300}},
        {301, 300, false, {300, 1}},     {250, 100, false, {100, 100, 50}},
        {3, 1, false, {0, 0, 0}},        {3, 0, false, {0, 0, 0}},
        {3, 300, true, {0, 0, 0}},       {0, 300, false, {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.features << " features, batch " << c.batchSize
                                        << (c.hideBatch ? ", no batch support" : ""));
        n++;
        FdoPtr<FdoIConnection> src = SourceWithItems(m_dir / ("src" + std::to_string(n) + ".sdf"), c.features);
        FdoPtr<FdoIConnection> inner = NewSdf(m_dir / ("dest" + std::to_string(n) + ".sdf"));
        FdoPtr<Disguise> dest = Disguise::Create(inner, L"OSGeo.SDF.3.9", {.hideBatch = c.hideBatch});
        FdoPtr<FdoStringCollection> names = Names({L"Items"});
        EXPECT_EQ(c_FDO_Api::CopyFdoClass(src, dest, names, 0, c.batchSize, false, nullptr), c.features);
        EXPECT_EQ(dest->Log()->executions, c.executions);
        std::vector<std::wstring> geometries;
        EXPECT_EQ(CodesOf(inner, L"Items", &geometries), Range(c.features));
        if (c.features > 2) {
            EXPECT_EQ(geometries[2], L"POINT (2 -2)");
        }
    }
}); }

TEST_F(ClassCopy, ConnectionsAreReopenedAndAnEmptyListCopiesNothing) { Guarded([&] {
    FdoPtr<FdoIConnection> srcInner = SourceWithItems(m_dir / "src.sdf", 2);
    FdoPtr<FdoIConnection> destInner = NewSdf(m_dir / "dest.sdf");
    FdoPtr<Disguise> src = Disguise::Create(srcInner, L"OSGeo.SDF.3.9");
    FdoPtr<Disguise> dest = Disguise::Create(destInner, L"OSGeo.SDF.3.9");
    FdoPtr<FdoStringCollection> none = FdoStringCollection::Create();
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(src, dest, none, 0, 300, true, nullptr), 0);
    EXPECT_EQ(src->closes, 1);
    EXPECT_EQ(src->opens, 1);
    EXPECT_EQ(dest->closes, 1);
    EXPECT_EQ(dest->opens, 1);
    EXPECT_EQ(srcInner->GetConnectionState(), FdoConnectionState_Open);
    EXPECT_EQ(destInner->GetConnectionState(), FdoConnectionState_Open);
}); }

// --- Class and property matching -------------------------------------------

TEST_F(ClassCopy, OracleDestinationFindsOwnerTableGeometryClass) { Guarded([&] {
    FdoPtr<FdoIConnection> src = SourceWithItems(m_dir / "src.sdf", 3);
    // The source class is named like the table; its geometry is Geom.
    FdoPtr<FdoIConnection> inner = NewSdf(m_dir / "oracle.sdf");
    {
        FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"GIS", L"");
        FdoPtr<FdoFeatureClass> other = FeatureClass(L"GIS~ITEMS~SHAPE", L"Default", L"SHAPE");
        FdoPtr<FdoFeatureClass> cls = FeatureClass(L"GIS~ITEMS~GEOM");
        AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"CODE", FdoDataType_Int32)));
        FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(other);
        FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
        Apply(inner, schema);
    }
    FdoPtr<FdoIConnection> oracle = Disguise::Create(inner, L"Norv.Oracle.1.0");
    FdoPtr<FdoStringCollection> names = Names({L"Items"});
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(src, oracle, names, 0, 300, true, nullptr), 3);
    // Property names of other case are paired when one side is Oracle.
    FdoPtr<FdoIFeatureReader> r = SelectAll(inner, L"GIS~ITEMS~GEOM");
    std::vector<int> codes;
    while (r->ReadNext()) codes.push_back(r->GetInt32(L"CODE"));
    EXPECT_EQ(codes, Range(3));
    EXPECT_EQ(CountAll(inner, L"GIS~ITEMS~SHAPE"), 0);

    // The same absence in a plain SDF destination is an error.
    FdoPtr<FdoIConnection> plain = NewSdf(m_dir / "plain.sdf");
    EXPECT_EQ(ErrorOf([&] { c_FDO_Api::CopyFdoClass(src, plain, names, 0, 300, true, nullptr); }),
              L"c_FDO_Api::CopyFdoClass: Unable to get class definition in destination!");
}); }

TEST_F(ClassCopy, OtherCasePropertiesArePairedOnlyWithOracle) { Guarded([&] {
    FdoPtr<FdoIConnection> src = SourceWithItems(m_dir / "src.sdf", 2);
    auto destinationWithUpperCode = [&](const char* file) {
        FdoPtr<FdoIConnection> c = NewSdf(m_dir / file);
        FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"D", L"");
        FdoPtr<FdoFeatureClass> cls = FeatureClass(L"Items");
        AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"CODE", FdoDataType_Int32)));
        AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Label", FdoDataType_String, 40)));
        FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
        Apply(c, schema);
        return c.Detach();
    };
    auto codes = [](FdoIConnection* c) {
        std::vector<std::wstring> out;
        FdoPtr<FdoIFeatureReader> r = SelectAll(c, L"Items");
        while (r->ReadNext())
            out.push_back((r->IsNull(L"CODE") ? std::wstring(L"null") : std::to_wstring(r->GetInt32(L"CODE"))) +
                          L"|" + r->GetString(L"Label"));
        return out;
    };
    FdoPtr<FdoStringCollection> names = Names({L"Items"});
    FdoPtr<FdoIConnection> plain = destinationWithUpperCode("plain.sdf");
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(src, plain, names, 0, 300, true, nullptr), 2);
    EXPECT_EQ(codes(plain), (std::vector<std::wstring>{L"null|item 0", L"null|item 1"}));

    FdoPtr<FdoIConnection> inner = destinationWithUpperCode("oracle.sdf");
    FdoPtr<FdoIConnection> oracle = Disguise::Create(inner, L"Norv.Oracle.1.0");
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(src, oracle, names, 0, 300, true, nullptr), 2);
    EXPECT_EQ(codes(inner), (std::vector<std::wstring>{L"0|item 0", L"1|item 1"}));

    // An Oracle source pairs the same way.
    FdoPtr<FdoIConnection> oracleSource = Disguise::Create(src, L"Norv.Oracle.1.0");
    FdoPtr<FdoIConnection> fromOracle = destinationWithUpperCode("fromoracle.sdf");
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(oracleSource, fromOracle, names, 0, 300, true, nullptr), 2);
    EXPECT_EQ(codes(fromOracle), (std::vector<std::wstring>{L"0|item 0", L"1|item 1"}));
}); }

TEST_F(ClassCopy, ReadOnlyDestinationPropertyIsNeverWritten) { Guarded([&] {
    FdoPtr<FdoIConnection> src = SourceWithItems(m_dir / "src.sdf", 2);
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"D", L"");
    FdoPtr<FdoFeatureClass> cls = FeatureClass(L"Items");
    FdoPtr<FdoDataPropertyDefinition> code = DataProperty(L"Code", FdoDataType_Int32);
    code->SetReadOnly(true);
    AddProperty(cls, code);
    AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Label", FdoDataType_String, 40)));
    FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
    Apply(dest, schema);
    FdoPtr<FdoStringCollection> names = Names({L"Items"});
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(src, dest, names, 0, 300, true, nullptr), 2);
    EXPECT_EQ(CodesOf(dest, L"Items"), (std::vector<int>{-1, -1}));
}); }

// --- Filters and failures --------------------------------------------------

TEST_F(ClassCopy, FilterSelectsAndEmptyFilterSelectsAll) { Guarded([&] {
    FdoPtr<FdoIConnection> src = SourceWithItems(m_dir / "src.sdf", 10);
    FdoPtr<FdoStringCollection> names = Names({L"Items"});
    FdoPtr<FdoIConnection> some = NewSdf(m_dir / "some.sdf");
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(src, some, names, 0, 300, false, L"Code >= 7"), 3);
    EXPECT_EQ(CodesOf(some, L"Items"), (std::vector<int>{7, 8, 9}));
    FdoPtr<FdoIConnection> all = NewSdf(m_dir / "all.sdf");
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(src, all, names, 0, 300, false, L""), 10);
}); }

TEST_F(ClassCopy, SchemaApplyErrorEndsTheCopyBeforeAnyFeature) { Guarded([&] {
    FdoPtr<FdoIConnection> src = SourceWithItems(m_dir / "src.sdf", 4);
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoStringCollection> names = Names({L"Items"});
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(src, dest, names, 0, 300, false, nullptr), 4);
    // The class exists now: creating it again fails, and nothing more is copied.
    EXPECT_NE(ErrorOf([&] { c_FDO_Api::CopyFdoClass(src, dest, names, 0, 300, false, nullptr); }),
              L"<nothing thrown>");
    EXPECT_EQ(CountAll(dest, L"Items"), 4);
}); }

TEST_F(ClassCopy, ClassNameInTwoSchemasFailsBeforeAnythingIsInserted) { Guarded([&] {
    FdoPtr<FdoIConnection> inner = SourceWithItems(m_dir / "src.sdf", 2);
    FdoPtr<FdoIConnection> src = Disguise::Create(inner, L"OSGeo.SDF.3.9", {.twinSchema = L"Twin"});
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoStringCollection> names = Names({L"Items"});
    const std::wstring ambiguous =
        L"c_FDO_Api::CopyFdoClass: Unable to get class definition source with given class name!";
    EXPECT_EQ(ErrorOf([&] { c_FDO_Api::CopyFdoClass(src, dest, names, 0, 300, false, nullptr); }), ambiguous);
    EXPECT_EQ(FdoPtr<FdoClassDefinition>(ClassOf(dest, L"Items")), nullptr);

    // Two destination classes of that name.
    FdoPtr<FdoIConnection> destInner = NewSdf(m_dir / "dest2.sdf");
    FdoPtr<FdoIConnection> twinDest = Disguise::Create(destInner, L"OSGeo.SDF.3.9", {.twinSchema = L"Twin"});
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(inner, destInner, names, 0, 300, false, nullptr), 2);
    EXPECT_EQ(ErrorOf([&] { c_FDO_Api::CopyFdoClass(inner, twinDest, names, 0, 300, true, nullptr); }),
              L"c_FDO_Api::CopyFdoClass: Destination returns multiple classes with same name! Can't find exact "
              L"classes to copy to!");
    EXPECT_EQ(CountAll(destInner, L"Items"), 2);
}); }

TEST_F(ClassCopy, EmptyListStillAppliesTheEmptySchemaUnlessSkipped) { Guarded([&] {
    FdoPtr<FdoIConnection> src = SourceWithItems(m_dir / "src.sdf", 1);
    FdoPtr<FdoIConnection> probe = NewSdf(m_dir / "probe.sdf");
    // What the provider answers to an unnamed empty schema and the reopening
    // that follows it is what the caller gets.
    const std::wstring direct = ErrorOf([&] {
        Apply(probe, FdoPtr<FdoFeatureSchema>(FdoFeatureSchema::Create()));
        probe->Close();
        probe->Open();
    });
    std::printf("an SDF store answers an unnamed empty schema with: %s\n", Narrow(direct.c_str()).c_str());
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoStringCollection> none = FdoStringCollection::Create();
    long copied = -1;
    std::wstring got = ErrorOf([&] { copied = c_FDO_Api::CopyFdoClass(src, dest, none, 0, 300, false, nullptr); });
    if (auto at = got.find(L"dest.sdf"); at != std::wstring::npos) got.replace(at, 8, L"probe.sdf");
    EXPECT_EQ(got, direct);
    if (direct == L"<nothing thrown>") {
        EXPECT_EQ(copied, 0);
    }
}); }

TEST_F(ClassCopy, UnknownSourceClassFailsBeforeAnythingIsInserted) { Guarded([&] {
    FdoPtr<FdoIConnection> src = SourceWithItems(m_dir / "src.sdf", 2);
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoStringCollection> names = Names({L"Items", L"Nothing"});
    EXPECT_EQ(ErrorOf([&] { c_FDO_Api::CopyFdoClass(src, dest, names, 0, 300, false, nullptr); }),
              L"c_FDO_Api::CopyFdoClass: Unable to get class definition source with given class name!");
    EXPECT_EQ(FdoPtr<FdoClassDefinition>(ClassOf(dest, L"Items")), nullptr);
}); }

TEST_F(ClassCopy, ConversionErrorEndsTheCopyAndKeepsWhatWasInserted) { Guarded([&] {
    // The first class copies; the second has a property that cannot be converted.
    FdoPtr<FdoIConnection> src = SourceWithItems(m_dir / "src.sdf", 3);
    {
        FdoPtr<FdoFeatureSchemaCollection> schemas = Describe(src);
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(0);
        FdoPtr<FdoFeatureClass> cls = FeatureClass(L"Small");
        AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Code", FdoDataType_Int16)));
        FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
        Apply(src, schema);
        InsertOne(src, L"Small", {{L"Code", FdoDataValue::Create(FdoInt16(5))}});
    }
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    {
        FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"D", L"");
        FdoPtr<FdoFeatureClass> items = FeatureClass(L"Items");
        AddProperty(items, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Code", FdoDataType_Int64)));
        FdoPtr<FdoFeatureClass> small = FeatureClass(L"Small");
        AddProperty(small, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Code", FdoDataType_String, 10)));
        FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(items);
        FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(small);
        Apply(dest, schema);
    }
    FdoPtr<FdoStringCollection> names = Names({L"Items", L"Small"});
    EXPECT_EQ(ErrorOf([&] { c_FDO_Api::CopyFdoClass(src, dest, names, 0, 300, true, nullptr); }),
              L"Unable to convert data value from FdoDataType_Int16 to FdoDataType_String");
    EXPECT_EQ(CountAll(dest, L"Items"), 3);
    EXPECT_EQ(CountAll(dest, L"Small"), 0);
    // Int32 to Int64 went through the conversion.
    FdoPtr<FdoIFeatureReader> r = SelectAll(dest, L"Items");
    ASSERT_TRUE(r->ReadNext());
    EXPECT_EQ(r->GetInt64(L"Code"), 0);
}); }

// Into the maker's Oracle provider (its embedded stand-in): the class is
// created with the SRID's spatial context and found again under its
// owner~table~geometry name, with property names of another case.
TEST_F(ClassCopy, ShapeIntoOracleStandIn) { Guarded([&] {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    // The stand-in keeps its databases under this folder; restored after.
    struct DbHome {
        std::optional<std::string> previous;
        explicit DbHome(const fs::path& home) {
            if (const char* v = std::getenv("GEOXFER_DB_HOME")) previous = v;
            setenv("GEOXFER_DB_HOME", home.string().c_str(), 1);
        }
        ~DbHome() {
            if (previous) setenv("GEOXFER_DB_HOME", previous->c_str(), 1);
            else unsetenv("GEOXFER_DB_HOME");
        }
    } home(m_dir / "db");
    FdoPtr<FdoIConnection> oracle;
    const std::wstring error = ErrorOf([&] { oracle = NewConnection(L"Norv.Oracle"); });
    if (!oracle) GTEST_SKIP() << "no Norv.Oracle provider: " << Narrow(error.c_str());
    oracle->SetConnectionString(L"Username=gis;Password=gis;Service=test;OracleSchema=GIS;");
    ASSERT_EQ(oracle->Open(), FdoConnectionState_Open);
    FdoPtr<FdoIConnection> shp = OpenShp(geoxfer_test::SharedDataDir() / "shp/Sheboygan");
    FdoPtr<FdoStringCollection> names = Names({L"CityLimits"});
    EXPECT_EQ(c_FDO_Api::CopyFdoClass(shp, oracle, names, 8307, 300, false, nullptr), 3);
    FdoPtr<FdoFeatureSchemaCollection> schemas = Describe(oracle);
    FdoPtr<FdoClassDefinition> cls = c_FDO_Api::FindNorvClass(schemas, L"CityLimits", nullptr);
    ASSERT_NE(cls, nullptr);
    FdoPtr<FdoGeometricPropertyDefinition> g = static_cast<FdoFeatureClass*>(cls.p)->GetGeometryProperty();
    ASSERT_NE(g, nullptr);
    EXPECT_STREQ(g->GetSpatialContextAssociation(), L"OracleSrid8307");
    // Every value arrived, though the store reports its names in upper case.
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoPropertyDefinition> id = c_FDO_Api::FindPropertyCaseInsensitive(props, L"ID");
    ASSERT_NE(id, nullptr);
    FdoPtr<FdoIFeatureReader> r = SelectAll(oracle, cls->GetName());
    std::vector<std::wstring> ids;
    while (r->ReadNext()) {
        ids.push_back(r->GetString(id->GetName()));
        EXPECT_FALSE(r->IsNull(g->GetName()));
    }
    EXPECT_EQ(ids, (std::vector<std::wstring>{L"P4M003tz150", L"P4M003tz151", L"P4M003tz152"}));
}); }
