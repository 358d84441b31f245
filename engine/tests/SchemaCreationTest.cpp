// Destination schema creation and type casting, and the loose name lookups
// between plain class names and owner~table~geometry names. Real SHP and SDF
// stores; the maker's Oracle provider is played by an SDF store that reports
// its provider name.
#include "TransferTestSupport.h"

using namespace transfer_test;

namespace {

const std::vector<FdoDataType> kAllDataTypes = {
    FdoDataType_Boolean, FdoDataType_Byte,  FdoDataType_DateTime, FdoDataType_Decimal,
    FdoDataType_Double,  FdoDataType_Int16, FdoDataType_Int32,    FdoDataType_Int64,
    FdoDataType_Single,  FdoDataType_String, FdoDataType_BLOB,    FdoDataType_CLOB};

FdoDataPropertyDefinition* PropertyOf(FdoClassDefinition* cls, FdoString* name) {
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    return static_cast<FdoDataPropertyDefinition*>(props->GetItem(name));
}

FdoFeatureSchemaCollection* SchemasWith(std::vector<std::pair<FdoString*, std::vector<FdoString*>>> layout) {
    FdoFeatureSchemaCollection* schemas = FdoFeatureSchemaCollection::Create(nullptr);
    for (auto& [schemaName, classNames] : layout) {
        FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(schemaName, L"");
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoString* c : classNames) classes->Add(FdoPtr<FdoFeatureClass>(FdoFeatureClass::Create(c, L"")));
        schemas->Add(schema);
    }
    return schemas;
}

std::wstring NameOf(FdoClassDefinition* c) { return c ? c->GetName() : L"<null>"; }

// A store with one schema "Src" holding the given classes, each with an
// Int32 "Code" and a geometry in context "Ctx" (created first).
FdoIConnection* SdfWithClasses(const fs::path& file, std::initializer_list<FdoString*> classNames,
                               FdoString* context = L"Ctx") {
    FdoPtr<FdoIConnection> c = NewSdf(file);
    CreateContext(c, context, L"GEOGCS[\"WGS 84\",DATUM[\"WGS_1984\",SPHEROID[\"WGS 84\",6378137,298.257223563]],"
                              L"PRIMEM[\"Greenwich\",0],UNIT[\"degree\",0.0174532925199433]]");
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Src", L"");
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    for (FdoString* name : classNames) {
        FdoPtr<FdoFeatureClass> cls = FeatureClass(name, context);
        AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Code", FdoDataType_Int32)));
        classes->Add(cls);
    }
    Apply(c, schema);
    return c.Detach();
}

// The spatial contexts a store lists, but for the "Default" context that
// every new SDF file starts with.
std::vector<std::wstring> ContextNames(FdoIConnection* c) {
    FdoPtr<FdoIGetSpatialContexts> get = Command<FdoIGetSpatialContexts>(c, FdoCommandType_GetSpatialContexts);
    get->SetActiveOnly(false);
    FdoPtr<FdoISpatialContextReader> r = get->Execute();
    std::vector<std::wstring> names;
    while (r->ReadNext())
        if (std::wstring(r->GetName()) != L"Default") names.push_back(r->GetName());
    return names;
}

std::vector<std::wstring> Strings(FdoStringCollection* c) {
    std::vector<std::wstring> out;
    for (FdoInt32 i = 0; i < c->GetCount(); i++) out.push_back(c->GetString(i));
    return out;
}

}  // namespace

// --- Name lookups ----------------------------------------------------------

TEST(NorvTableName, TakesTheMiddlePartOfATildeName) {
    FdoStringP table = L"unchanged";
    EXPECT_TRUE(c_FDO_Api::GetTableNameFromNorvOracleClass(L"OWNER~TABLE~GEOM", table));
    EXPECT_STREQ(table, L"TABLE");
    EXPECT_TRUE(c_FDO_Api::GetTableNameFromNorvOracleClass(L"TABLE", table));
    EXPECT_STREQ(table, L"TABLE");
    EXPECT_TRUE(c_FDO_Api::GetTableNameFromNorvOracleClass(L"A~B", table));
    EXPECT_STREQ(table, L"B");
    EXPECT_TRUE(c_FDO_Api::GetTableNameFromNorvOracleClass(L"A~~C", table));
    EXPECT_STREQ(table, L"");
    EXPECT_TRUE(c_FDO_Api::GetTableNameFromNorvOracleClass(L"", table));
    EXPECT_STREQ(table, L"");
}

TEST(FindNorvClass, MatchesOwnerTableGeometryIgnoringCase) {
    FdoPtr<FdoFeatureSchemaCollection> schemas =
        SchemasWith({{L"A", {L"GIS~RIVERS~GEOM", L"GIS~ROADS~SHAPE"}}, {L"B", {L"GIS~ROADS~GEOMETRY", L"roads"}}});
    FdoPtr<FdoClassDefinition> found = c_FDO_Api::FindNorvClass(schemas, L"roads", L"Geometry");
    EXPECT_EQ(NameOf(found), L"GIS~ROADS~GEOMETRY");
    // Without a geometry name the first class of the table, in schema order.
    found = c_FDO_Api::FindNorvClass(schemas, L"Roads", nullptr);
    EXPECT_EQ(NameOf(found), L"GIS~ROADS~SHAPE");
    found = c_FDO_Api::FindNorvClass(schemas, L"ROADS", L"");
    EXPECT_EQ(NameOf(found), L"GIS~ROADS~SHAPE");
    // The table part must match whole: ROAD is not ROADS; a plain name never matches.
    found = c_FDO_Api::FindNorvClass(schemas, L"ROAD", nullptr);
    EXPECT_EQ(found, nullptr);
    found = c_FDO_Api::FindNorvClass(schemas, L"roads", L"NoSuchColumn");
    EXPECT_EQ(found, nullptr);
    // The returned class is a reference of the caller's own.
    found = c_FDO_Api::FindNorvClass(schemas, L"rivers", L"geom");
    ASSERT_NE(found, nullptr);
    EXPECT_GE(found->GetRefCount(), 2);
}

TEST(FindPropertyCaseInsensitive, ReturnsTheFirstMatchInCollectionOrder) {
    FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(L"C", L"");
    AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Name", FdoDataType_String)));
    AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"ID", FdoDataType_Int32)));
    AddProperty(cls, FdoPtr<FdoDataPropertyDefinition>(DataProperty(L"Id", FdoDataType_Int64)));
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoPropertyDefinition> p = c_FDO_Api::FindPropertyCaseInsensitive(props, L"id");
    ASSERT_NE(p, nullptr);
    EXPECT_STREQ(p->GetName(), L"ID");
    p = c_FDO_Api::FindPropertyCaseInsensitive(props, L"Id");
    EXPECT_STREQ(p->GetName(), L"ID");
    p = c_FDO_Api::FindPropertyCaseInsensitive(props, L"NAME");
    EXPECT_STREQ(p->GetName(), L"Name");
    p = c_FDO_Api::FindPropertyCaseInsensitive(props, L"Nam");
    EXPECT_EQ(p, nullptr);
}

// --- Type casting ----------------------------------------------------------

class TypeCasting : public testing::Test {
protected:
    void SetUp() override {
        m_dir = geoxfer_test::TempDir("typecast");
        m_sdf = NewSdf(m_dir / "dest.sdf");
    }
    // A destination that stores only the given data types.
    FdoIConnection* StoringOnly(std::vector<FdoDataType> types, FdoString* name = L"OSGeo.SDF.3.9") {
        return Disguise::Create(m_sdf, name, {.dataTypes = std::move(types)});
    }
    FdoFeatureClass* OneProperty(FdoDataType type, FdoInt32 precision = 0, FdoInt32 scale = 0, FdoInt32 length = 0) {
        FdoFeatureClass* cls = FeatureClass(L"C");
        FdoPtr<FdoDataPropertyDefinition> p = DataProperty(L"P", type, length);
        p->SetPrecision(precision);
        p->SetScale(scale);
        AddProperty(cls, p);
        return cls;
    }
    fs::path m_dir;
    FdoPtr<FdoIConnection> m_sdf;
};

TEST_F(TypeCasting, LastSupportedCandidateWins) {
    FdoPtr<FdoIConnection> dest = StoringOnly({FdoDataType_Int32, FdoDataType_Int64, FdoDataType_String});
    FdoPtr<FdoFeatureClass> cls = OneProperty(FdoDataType_Int16);
    c_FDO_Api::CopyFdoClass_CastDataTypes(nullptr, dest, cls);
    EXPECT_EQ(FdoPtr<FdoDataPropertyDefinition>(PropertyOf(cls, L"P"))->GetDataType(), FdoDataType_Int64);
}

TEST_F(TypeCasting, SingleBecomesDecimalEighteenEight) {
    FdoPtr<FdoIConnection> dest = StoringOnly({FdoDataType_Double, FdoDataType_Decimal});
    FdoPtr<FdoFeatureClass> cls = OneProperty(FdoDataType_Single);
    c_FDO_Api::CopyFdoClass_CastDataTypes(nullptr, dest, cls);
    FdoPtr<FdoDataPropertyDefinition> p = PropertyOf(cls, L"P");
    EXPECT_EQ(p->GetDataType(), FdoDataType_Decimal);
    EXPECT_EQ(p->GetPrecision(), 18);
    EXPECT_EQ(p->GetScale(), 8);
}

TEST_F(TypeCasting, EveryCandidateRowOfTheTable) {
    struct Row {
        FdoDataType from;
        std::vector<FdoDataType> supported;
        FdoDataType expected;
        FdoInt32 precision, scale;
    };
    const Row rows[] = {
        {FdoDataType_Byte, {FdoDataType_Int16}, FdoDataType_Int16, 0, 0},
        {FdoDataType_Byte, {FdoDataType_Int32, FdoDataType_Decimal}, FdoDataType_Decimal, 10, 0},
        {FdoDataType_Byte, {FdoDataType_String}, FdoDataType_Byte, 0, 0},
        {FdoDataType_Int16, {FdoDataType_Int32}, FdoDataType_Int32, 0, 0},
        {FdoDataType_Int32, {FdoDataType_Int64}, FdoDataType_Int64, 0, 0},
        {FdoDataType_Int32, {FdoDataType_Decimal}, FdoDataType_Decimal, 10, 0},
        {FdoDataType_Int64, {FdoDataType_Decimal, FdoDataType_Double}, FdoDataType_Decimal, 10, 0},
        {FdoDataType_Int64, {FdoDataType_Double}, FdoDataType_Int64, 0, 0},
        {FdoDataType_Single, {FdoDataType_Double}, FdoDataType_Double, 0, 0},
        {FdoDataType_Double, {FdoDataType_Decimal}, FdoDataType_Decimal, 18, 8},
        {FdoDataType_Boolean, {FdoDataType_Int16, FdoDataType_String}, FdoDataType_Boolean, 0, 0},
        {FdoDataType_DateTime, {FdoDataType_String}, FdoDataType_DateTime, 0, 0},
        {FdoDataType_Decimal, {FdoDataType_Double}, FdoDataType_Decimal, 0, 0},
        {FdoDataType_String, {FdoDataType_CLOB}, FdoDataType_String, 0, 0},
        {FdoDataType_BLOB, {FdoDataType_String}, FdoDataType_BLOB, 0, 0},
        {FdoDataType_CLOB, {FdoDataType_String}, FdoDataType_CLOB, 0, 0},
        // A supported type is never touched.
        {FdoDataType_Int16, {FdoDataType_Int16, FdoDataType_Int64}, FdoDataType_Int16, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "from type " << row.from << " expecting " << row.expected);
        FdoPtr<FdoIConnection> dest = StoringOnly(row.supported);
        FdoPtr<FdoFeatureClass> cls = OneProperty(row.from);
        c_FDO_Api::CopyFdoClass_CastDataTypes(nullptr, dest, cls);
        FdoPtr<FdoDataPropertyDefinition> p = PropertyOf(cls, L"P");
        EXPECT_EQ(p->GetDataType(), row.expected);
        EXPECT_EQ(p->GetPrecision(), row.precision);
        EXPECT_EQ(p->GetScale(), row.scale);
    }
}

TEST_F(TypeCasting, ShapeDestinationFitsDecimalsAndStrings) {
    FdoPtr<FdoIConnection> shape = StoringOnly(kAllDataTypes, L"OSGeo.SHP.4.2");
    auto cast = [&](FdoDataType type, FdoInt32 precision, FdoInt32 scale, FdoInt32 length = 0) {
        FdoPtr<FdoFeatureClass> cls = OneProperty(type, precision, scale, length);
        c_FDO_Api::CopyFdoClass_CastDataTypes(nullptr, shape, cls);
        FdoPtr<FdoDataPropertyDefinition> p = PropertyOf(cls, L"P");
        return std::tuple(p->GetPrecision(), p->GetScale(), p->GetLength());
    };
    EXPECT_EQ(cast(FdoDataType_Decimal, 0, 2), std::tuple(38, 2, 0));
    EXPECT_EQ(cast(FdoDataType_Decimal, 0, 300), std::tuple(40, 255, 0));
    EXPECT_EQ(cast(FdoDataType_Decimal, 0, -3), std::tuple(40, 0, 0));
    EXPECT_EQ(cast(FdoDataType_Decimal, 12, 4), std::tuple(12, 4, 0));
    EXPECT_EQ(cast(FdoDataType_Decimal, 50, 0), std::tuple(50, 0, 0));
    EXPECT_EQ(cast(FdoDataType_String, 0, 0, 0), std::tuple(0, 0, 255));
    EXPECT_EQ(cast(FdoDataType_String, 0, 0, 30), std::tuple(0, 0, 30));
}

// The real providers: an SDF store keeps every type; a shape file, which
// stores neither Byte, Single, Double nor LOBs, gets the last candidate it
// does store (Decimal), and its String widths and Decimal sizes are fitted.
TEST_F(TypeCasting, EveryTypeForTheRealDestinations) {
    FdoPtr<FdoIConnection> shape = OpenShp(m_dir);
    struct Expect {
        FdoDataType from, toSdf, toShape;
        FdoInt32 shapePrecision, shapeScale;
    };
    const Expect rows[] = {
        {FdoDataType_Boolean, FdoDataType_Boolean, FdoDataType_Boolean, 0, 0},
        {FdoDataType_Byte, FdoDataType_Byte, FdoDataType_Decimal, 10, 0},
        {FdoDataType_DateTime, FdoDataType_DateTime, FdoDataType_DateTime, 0, 0},
        {FdoDataType_Decimal, FdoDataType_Decimal, FdoDataType_Decimal, 40, 0},
        {FdoDataType_Double, FdoDataType_Double, FdoDataType_Decimal, 18, 8},
        {FdoDataType_Int16, FdoDataType_Int16, FdoDataType_Int16, 0, 0},
        {FdoDataType_Int32, FdoDataType_Int32, FdoDataType_Int32, 0, 0},
        {FdoDataType_Int64, FdoDataType_Int64, FdoDataType_Int64, 0, 0},
        {FdoDataType_Single, FdoDataType_Single, FdoDataType_Decimal, 18, 8},
        {FdoDataType_String, FdoDataType_String, FdoDataType_String, 0, 0},
        {FdoDataType_BLOB, FdoDataType_BLOB, FdoDataType_BLOB, 0, 0},
        {FdoDataType_CLOB, FdoDataType_CLOB, FdoDataType_CLOB, 0, 0},
    };
    for (const Expect& row : rows) {
        SCOPED_TRACE(testing::Message() << "type " << row.from);
        FdoPtr<FdoFeatureClass> forSdf = OneProperty(row.from);
        c_FDO_Api::CopyFdoClass_CastDataTypes(nullptr, m_sdf, forSdf);
        EXPECT_EQ(FdoPtr<FdoDataPropertyDefinition>(PropertyOf(forSdf, L"P"))->GetDataType(), row.toSdf);
        FdoPtr<FdoFeatureClass> forShape = OneProperty(row.from);
        c_FDO_Api::CopyFdoClass_CastDataTypes(nullptr, shape, forShape);
        FdoPtr<FdoDataPropertyDefinition> p = PropertyOf(forShape, L"P");
        EXPECT_EQ(p->GetDataType(), row.toShape);
        EXPECT_EQ(p->GetPrecision(), row.shapePrecision);
        EXPECT_EQ(p->GetScale(), row.shapeScale);
        EXPECT_EQ(p->GetLength(), row.from == FdoDataType_String ? 255 : 0);
    }
}

TEST_F(TypeCasting, ShapeSourceWidensDecimalsForOtherDestinationsOnly) {
    SHARED_DATA_OR_SKIP("shp/Ontario");
    FdoPtr<FdoIConnection> shp = OpenShp(geoxfer_test::SharedDataDir() / "shp/Ontario");
    FdoPtr<FdoFeatureClass> cls = OneProperty(FdoDataType_Decimal, 10, 3);
    c_FDO_Api::CopyFdoClass_CastDataTypes(shp, m_sdf, cls);
    EXPECT_EQ(FdoPtr<FdoDataPropertyDefinition>(PropertyOf(cls, L"P"))->GetPrecision(), 12);

    // Shape to shape: no widening.
    FdoPtr<FdoIConnection> shapeDest = StoringOnly(kAllDataTypes, L"OSGeo.SHP.4.2");
    cls = OneProperty(FdoDataType_Decimal, 10, 3);
    c_FDO_Api::CopyFdoClass_CastDataTypes(shp, shapeDest, cls);
    EXPECT_EQ(FdoPtr<FdoDataPropertyDefinition>(PropertyOf(cls, L"P"))->GetPrecision(), 10);

    // Geometric properties are never touched; the real shape provider maps
    // what it cannot store (Double to Decimal 18,8).
    FdoPtr<FdoIConnection> realShape = OpenShp(m_dir);
    cls = OneProperty(FdoDataType_Double);
    c_FDO_Api::CopyFdoClass_CastDataTypes(m_sdf, realShape, cls);
    FdoPtr<FdoDataPropertyDefinition> p = PropertyOf(cls, L"P");
    EXPECT_EQ(p->GetDataType(), FdoDataType_Decimal);
    EXPECT_EQ(p->GetPrecision(), 18);
    EXPECT_EQ(p->GetScale(), 8);
    FdoPtr<FdoGeometricPropertyDefinition> g = cls->GetGeometryProperty();
    EXPECT_STREQ(g->GetSpatialContextAssociation(), L"Default");
}

// --- Schema creation -------------------------------------------------------

class SchemaCreation : public testing::Test {
protected:
    void SetUp() override { m_dir = geoxfer_test::TempDir("schemacreate"); }
    fs::path m_dir;
};

TEST_F(SchemaCreation, ShapeClassesSharingAContextAreBothCreated) {
    SHARED_DATA_OR_SKIP("shp/Sheboygan");
    FdoPtr<FdoIConnection> shp = OpenShp(geoxfer_test::SharedDataDir() / "shp/Sheboygan");
    FdoPtr<FdoIConnection> sdf = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoStringCollection> names = Names({L"CityLimits", L"Default:Islands"});
    FdoPtr<FdoStringCollection> destNames = FdoStringCollection::Create();
    c_FDO_Api::CopyFdoClass_CreateSchema(shp, sdf, names, 0, destNames);
    EXPECT_EQ(Strings(destNames), (std::vector<std::wstring>{L"CityLimits", L"Default:Islands"}));

    FdoPtr<FdoClassDefinition> city = ClassOf(sdf, L"CityLimits");
    FdoPtr<FdoClassDefinition> islands = ClassOf(sdf, L"Islands");
    ASSERT_NE(city, nullptr);
    ASSERT_NE(islands, nullptr);
    FdoPtr<FdoFeatureSchemaCollection> schemas = Describe(sdf);
    EXPECT_STREQ(FdoPtr<FdoFeatureSchema>(schemas->GetItem(0))->GetName(), L"Default");
    FdoPtr<FdoGeometricPropertyDefinition> g = static_cast<FdoFeatureClass*>(city.p)->GetGeometryProperty();
    const std::wstring context = g->GetSpatialContextAssociation();
    auto contexts = ContextNames(sdf);
    EXPECT_EQ(std::count(contexts.begin(), contexts.end(), context), 1) << "the shared context exists once";
}

TEST_F(SchemaCreation, OracleDestinationAssociatesEveryGeometryWithTheSrid) {
    FdoPtr<FdoIConnection> src = SdfWithClasses(m_dir / "src.sdf", {L"Roads", L"Rivers"});
    FdoPtr<FdoIConnection> inner = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoIConnection> oracle = Disguise::Create(inner, L"Norv.Oracle.1.0");
    FdoPtr<FdoStringCollection> destNames = FdoStringCollection::Create();
    c_FDO_Api::CopyFdoClass_CreateSchema(src, oracle, FdoPtr<FdoStringCollection>(Names({L"Roads", L"Rivers"})), 8307,
                                         destNames);
    for (FdoString* name : {L"Roads", L"Rivers"}) {
        FdoPtr<FdoClassDefinition> cls = ClassOf(inner, name);
        ASSERT_NE(cls, nullptr) << Narrow(name);
        FdoPtr<FdoGeometricPropertyDefinition> g = static_cast<FdoFeatureClass*>(cls.p)->GetGeometryProperty();
        EXPECT_STREQ(g->GetSpatialContextAssociation(), L"OracleSrid8307");
    }
    EXPECT_EQ(ContextNames(inner), std::vector<std::wstring>{L"OracleSrid8307"});
}

TEST_F(SchemaCreation, OracleSourceClassIsCreatedUnderItsTableName) {
    FdoPtr<FdoIConnection> inner = SdfWithClasses(m_dir / "src.sdf", {L"GIS~ROADS~GEOM"});
    FdoPtr<FdoIConnection> oracle = Disguise::Create(inner, L"Norv.Oracle.1.0");
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoStringCollection> destNames = FdoStringCollection::Create();
    c_FDO_Api::CopyFdoClass_CreateSchema(oracle, dest, FdoPtr<FdoStringCollection>(Names({L"GIS~ROADS~GEOM"})), 0,
                                         destNames);
    EXPECT_EQ(Strings(destNames), std::vector<std::wstring>{L"ROADS"});
    EXPECT_NE(FdoPtr<FdoClassDefinition>(ClassOf(dest, L"ROADS")), nullptr);
    EXPECT_EQ(FdoPtr<FdoClassDefinition>(ClassOf(dest, L"GIS~ROADS~GEOM")), nullptr);
}

TEST_F(SchemaCreation, MissingSourceContextFailsAndAppliesNothing) {
    FdoPtr<FdoIConnection> inner = SdfWithClasses(m_dir / "src.sdf", {L"A"}, L"Ctx");
    FdoPtr<FdoIConnection> hidden = SdfWithClasses(m_dir / "src2.sdf", {L"B"}, L"Gone");
    FdoPtr<FdoIConnection> src = Disguise::Create(hidden, L"OSGeo.SDF.3.9", {.hiddenContexts = {L"Gone"}});
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoStringCollection> destNames = FdoStringCollection::Create();
    EXPECT_EQ(ErrorOf([&] {
                  c_FDO_Api::CopyFdoClass_CreateSchema(src, dest, FdoPtr<FdoStringCollection>(Names({L"B"})), 0,
                                                       destNames);
              }),
              L"c_FDO_Api::CopyFdoClass: Unable to find spatial context for geometry!");
    EXPECT_EQ(FdoPtr<FdoClassDefinition>(ClassOf(dest, L"B")), nullptr);
}

TEST_F(SchemaCreation, AFailingSecondClassCreatesNoClassButKeepsContexts) {
    FdoPtr<FdoIConnection> src = SdfWithClasses(m_dir / "src.sdf", {L"First"});
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoStringCollection> destNames = FdoStringCollection::Create();
    EXPECT_EQ(ErrorOf([&] {
                  c_FDO_Api::CopyFdoClass_CreateSchema(
                      src, dest, FdoPtr<FdoStringCollection>(Names({L"First", L"Missing"})), 0, destNames);
              }),
              L"c_FDO_Api::CopyFdoClass: Unable to get class definition source with given class name!");
    EXPECT_EQ(FdoPtr<FdoClassDefinition>(ClassOf(dest, L"First")), nullptr);
    EXPECT_EQ(ContextNames(dest), std::vector<std::wstring>{L"Ctx"});
}

TEST_F(SchemaCreation, UnknownSourceClassNameFails) {
    FdoPtr<FdoIConnection> src = SdfWithClasses(m_dir / "src.sdf", {L"Known"});
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoStringCollection> destNames = FdoStringCollection::Create();
    EXPECT_EQ(ErrorOf([&] {
                  c_FDO_Api::CopyFdoClass_CreateSchema(src, dest, FdoPtr<FdoStringCollection>(Names({L"Nope"})), 0,
                                                       destNames);
              }),
              L"c_FDO_Api::CopyFdoClass: Unable to get class definition source with given class name!");
    EXPECT_EQ(destNames->GetCount(), 0);
}

TEST_F(SchemaCreation, DestinationWithoutContextCommandGetsNoContext) {
    FdoPtr<FdoIConnection> src = SdfWithClasses(m_dir / "src.sdf", {L"A"});
    FdoPtr<FdoIConnection> inner = NewSdf(m_dir / "dest.sdf");
    CreateContext(inner, L"Ctx");  // so that the class can refer to it
    FdoPtr<FdoIConnection> dest =
        Disguise::Create(inner, L"OSGeo.SDF.3.9", {.dropCommands = {FdoCommandType_CreateSpatialContext}});
    FdoPtr<FdoStringCollection> destNames = FdoStringCollection::Create();
    c_FDO_Api::CopyFdoClass_CreateSchema(src, dest, FdoPtr<FdoStringCollection>(Names({L"A"})), 0, destNames);
    FdoPtr<FdoClassDefinition> cls = ClassOf(inner, L"A");
    ASSERT_NE(cls, nullptr);
    FdoPtr<FdoGeometricPropertyDefinition> g = static_cast<FdoFeatureClass*>(cls.p)->GetGeometryProperty();
    EXPECT_STREQ(g->GetSpatialContextAssociation(), L"Ctx");
    EXPECT_EQ(ContextNames(inner), std::vector<std::wstring>{L"Ctx"});
}

TEST_F(SchemaCreation, NonFeatureClassIsRefused) {
    FdoPtr<FdoIConnection> src = NewSdf(m_dir / "src.sdf");
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Src", L"");
    FdoPtr<FdoClass> plain = FdoClass::Create(L"Plain", L"");
    FdoPtr<FdoDataPropertyDefinition> id = DataProperty(L"Id", FdoDataType_Int32);
    id->SetNullable(false);
    AddProperty(plain, id);
    FdoPtr<FdoDataPropertyDefinitionCollection>(plain->GetIdentityProperties())->Add(id);
    FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(plain);
    Apply(src, schema);
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoStringCollection> destNames = FdoStringCollection::Create();
    const std::wstring error = ErrorOf([&] {
        c_FDO_Api::CopyFdoClass_CreateSchema(src, dest, FdoPtr<FdoStringCollection>(Names({L"Plain"})), 0, destNames);
    });
    EXPECT_NE(error.find(L"Plain"), std::wstring::npos) << Narrow(error.c_str());
    EXPECT_EQ(FdoPtr<FdoClassDefinition>(ClassOf(dest, L"Plain")), nullptr);
}

TEST_F(SchemaCreation, EmptyClassListStillAppliesTheEmptySchema) {
    FdoPtr<FdoIConnection> src = SdfWithClasses(m_dir / "src.sdf", {L"A"});
    FdoPtr<FdoIConnection> dest = NewSdf(m_dir / "dest.sdf");
    FdoPtr<FdoIConnection> probe = NewSdf(m_dir / "probe.sdf");
    // What the provider answers to an unnamed empty schema, applied directly...
    const std::wstring direct = ErrorOf([&] {
        FdoPtr<FdoFeatureSchema> empty = FdoFeatureSchema::Create();
        Apply(probe, empty);
    });
    // ...is what the caller gets.
    FdoPtr<FdoStringCollection> destNames = FdoStringCollection::Create();
    FdoPtr<FdoStringCollection> none = FdoStringCollection::Create();
    EXPECT_EQ(ErrorOf([&] { c_FDO_Api::CopyFdoClass_CreateSchema(src, dest, none, 0, destNames); }), direct);
    EXPECT_EQ(destNames->GetCount(), 0);
}
