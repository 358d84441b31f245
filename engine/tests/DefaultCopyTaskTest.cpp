// Default copy tasks: one class definition per source class, every own
// property mapped onto itself, appended to what the task holds; a source
// without the describe schema command leaves the task untouched.
#include <GeoxferApi/GXF_CopyTask_API.h>
#include <GeoxferApi/FDO_Api.h>

#include "CopyTaskTestSupport.h"
#include "FakeProvider.h"
#include "TestData.h"

namespace {

// The schemas the describing fake provider reports.
FdoFeatureSchemaCollection*& DescribedSchemas() {
    static FdoFeatureSchemaCollection* schemas = nullptr;
    return schemas;
}

class DescribeSchema : public FdoIDescribeSchema {
public:
    static DescribeSchema* Create() { return new DescribeSchema(); }
    FdoIConnection* GetConnection() override { return nullptr; }
    FdoITransaction* GetTransaction() override { return nullptr; }
    void SetTransaction(FdoITransaction*) override {}
    FdoInt32 GetCommandTimeout() override { return 0; }
    void SetCommandTimeout(FdoInt32) override {}
    FdoParameterValueCollection* GetParameterValues() override { return nullptr; }
    void Prepare() override {}
    void Cancel() override {}
    FdoString* GetSchemaName() override { return L""; }
    void SetSchemaName(FdoString*) override {}
    FdoStringCollection* GetClassNames() override { return nullptr; }
    void SetClassNames(FdoStringCollection*) override {}
    FdoFeatureSchemaCollection* Execute() override {
        if (!DescribedSchemas()) throw FdoException::Create(L"describe failed on purpose");
        return FDO_SAFE_ADDREF(DescribedSchemas());
    }

protected:
    void Dispose() override { delete this; }
};

// The fake provider with the describe schema command added.
class DescribingConnection : public fake::Connection {
public:
    static DescribingConnection* Create() { return new DescribingConnection(); }
    static inline int closes = 0;
    FdoICommandCapabilities* GetCommandCapabilities() override {
        return FdoCommonCommandCapabilities::Create(
            {.commands = {FdoCommandType_GetSchemaNames, FdoCommandType_DescribeSchema}});
    }
    FdoICommand* CreateCommand(FdoInt32 type) override {
        if (type == FdoCommandType_DescribeSchema) return DescribeSchema::Create();
        return fake::Connection::CreateCommand(type);
    }
    void Close() override {
        closes++;
        fake::Connection::Close();
    }

protected:
    DescribingConnection() : fake::Connection(L"Test.Describe.1.0", {}) {}
};

FdoIConnection* CreateDescribing() { return DescribingConnection::Create(); }
FdoIConnection* CreatePlain() { return fake::Connection::Create(L"Test.Plain.1.0"); }

void RegisterFakes() {
    static const bool done = [] {
        FdoProviderRegistry::RegisterBuiltIn(L"Test.Describe.1.0", L"Describing fake", L"Fake with describe schema",
                                             L"1.0", L"4.2.0.0", &CreateDescribing);
        FdoProviderRegistry::RegisterBuiltIn(L"Test.Plain.1.0", L"Plain fake", L"Fake without describe schema",
                                             L"1.0", L"4.2.0.0", &CreatePlain);
        return true;
    }();
    (void)done;
}

FdoClassDefinition* AddClass(FdoFeatureSchema* schema, FdoString* name, std::initializer_list<FdoString*> props) {
    FdoPtr<FdoFeatureClass> c = FdoFeatureClass::Create(name, L"");
    FdoPtr<FdoPropertyDefinitionCollection> properties = c->GetProperties();
    for (FdoString* p : props) {
        FdoPtr<FdoDataPropertyDefinition> d = FdoDataPropertyDefinition::Create(p, L"");
        properties->Add(d);
    }
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    classes->Add(c);
    return c.Detach();
}

void Drop(FdoClassDefinition* c) { FDO_SAFE_RELEASE(c); }

// Two schemas of three classes; Roads has no properties.
class DefaultCopyTask : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterFakes();
        FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
        FdoPtr<FdoFeatureSchema> a = FdoFeatureSchema::Create(L"Public", L"");
        FdoPtr<FdoFeatureSchema> b = FdoFeatureSchema::Create(L"Water", L"");
        Drop(AddClass(a, L"Parcels", {L"Id", L"Owner", L"Area"}));
        Drop(AddClass(a, L"Roads", {}));
        Drop(AddClass(a, L"Towns", {L"Name"}));
        Drop(AddClass(b, L"Rivers", {L"Name", L"Length"}));
        Drop(AddClass(b, L"Lakes", {L"Name"}));
        Drop(AddClass(b, L"Wells", {L"Depth"}));
        schemas->Add(a);
        schemas->Add(b);
        DescribedSchemas() = schemas.Detach();
    }
    void TearDown() override { FDO_SAFE_RELEASE(DescribedSchemas()); }
};

std::vector<std::wstring> SourceNames(c_GXFCopyTaskDef* task) {
    std::vector<std::wstring> names;
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<c_GXFClassCopyDef> c = classes->GetItem(i);
        names.push_back(c->GetSourceClassName());
    }
    return names;
}

}  // namespace

TEST_F(DefaultCopyTask, OneDefinitionPerClassInSchemaThenClassOrder) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    const int closesBefore = DescribingConnection::closes;
    ASSERT_EQ(c_GXF_CopyTask_API::CreateDeafultCopyTask(task, L"Test.Describe.1.0", L"File=src", nullptr, nullptr),
              0);
    EXPECT_EQ(DescribingConnection::closes, closesBefore + 1);
    EXPECT_EQ(SourceNames(task), (std::vector<std::wstring>{L"Public:Parcels", L"Public:Roads", L"Public:Towns",
                                                            L"Water:Rivers", L"Water:Lakes", L"Water:Wells"}));
    EXPECT_STREQ(task->GetSourceProvider(), L"Test.Describe.1.0");
    EXPECT_STREQ(task->GetSourceConnString(), L"File=src");
    // Nothing else of the task changes: destination empty, options default.
    EXPECT_STREQ(task->GetDestProvider(), L"");
    EXPECT_TRUE(task->GetExecuteApplySchema());
    EXPECT_EQ(task->GetOracle_Attr_SRID(), -1);

    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<c_GXFClassCopyDef> c = classes->GetItem(i);
        EXPECT_STREQ(c->GetSourceClassName(), c->GetDestClassName());
        EXPECT_STREQ(c->GetCopyFilter(), L"");
    }
    FdoPtr<c_GXFClassCopyDef> parcels = classes->GetItem(0);
    FdoPtr<c_GXFPropertyCopyDefCollection> mappings = parcels->GetPropertyCopyDefCollection();
    ASSERT_EQ(mappings->GetCount(), 3);
    const wchar_t* expected[] = {L"Id", L"Owner", L"Area"};
    for (FdoInt32 i = 0; i < 3; i++) {
        FdoPtr<c_GXFPropertyCopyDef> m = mappings->GetItem(i);
        EXPECT_STREQ(m->GetSourceProperty(), expected[i]);
        EXPECT_STREQ(m->GetDestProperty(), expected[i]);
    }
    FdoPtr<c_GXFClassCopyDef> roads = classes->GetItem(1);
    FdoPtr<c_GXFPropertyCopyDefCollection> none = roads->GetPropertyCopyDefCollection();
    EXPECT_EQ(none->GetCount(), 0);
}

TEST_F(DefaultCopyTask, SecondCallAppendsTheClassesAgain) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    ASSERT_EQ(c_GXF_CopyTask_API::CreateDeafultCopyTask(task, L"Test.Describe.1.0", L"File=a", nullptr, nullptr), 0);
    ASSERT_EQ(c_GXF_CopyTask_API::CreateDeafultCopyTask(task, L"Test.Describe.1.0", L"File=b", nullptr, nullptr), 0);
    const auto names = SourceNames(task);
    ASSERT_EQ(names.size(), 12u);
    EXPECT_EQ(names[6], L"Public:Parcels");
    EXPECT_STREQ(task->GetSourceConnString(), L"File=b");
}

TEST_F(DefaultCopyTask, ProviderWithoutDescribeSchemaLeavesTheTaskAlone) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    task->SetSourceProvider(L"before");
    const std::wstring before = copytask_test::Dump(task);
    EXPECT_EQ(c_GXF_CopyTask_API::CreateDeafultCopyTask(task, L"Test.Plain.1.0", L"File=x", L"OSGeo.SDF", L"File=y"),
              9);
    EXPECT_STREQ(c_FDO_Api::GXF_GetLastError(), L"FDO Data Store doen't suport Describe Schema command!");
    EXPECT_EQ(copytask_test::Dump(task), before);
}

TEST_F(DefaultCopyTask, ConnectionFailuresGiveTheirCodes) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    EXPECT_EQ(c_GXF_CopyTask_API::CreateDeafultCopyTask(task, L"No.Such.Provider", L"", nullptr, nullptr), 3);
    EXPECT_STREQ(c_FDO_Api::GXF_GetLastError(), L"Unable to Create Source Connection");
    // The fake refuses to open without its File property: an FDO error.
    EXPECT_EQ(c_GXF_CopyTask_API::CreateDeafultCopyTask(task, L"Test.Describe.1.0", L"", nullptr, nullptr), 2);
    EXPECT_STRNE(c_FDO_Api::GXF_GetLastError(), L"");
    EXPECT_EQ(SourceNames(task).size(), 0u);
}

TEST_F(DefaultCopyTask, DescribeFailureIsResultTwoWithItsMessage) {
    FDO_SAFE_RELEASE(DescribedSchemas());
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    EXPECT_EQ(c_GXF_CopyTask_API::CreateDeafultCopyTask(task, L"Test.Describe.1.0", L"File=a", nullptr, nullptr), 2);
    EXPECT_STREQ(c_FDO_Api::GXF_GetLastError(), L"describe failed on purpose");
}

TEST(DefaultCopyClass, InheritedPropertiesAreNotMapped) {
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"S", L"");
    FdoPtr<FdoClassDefinition> base = AddClass(schema, L"Base", {L"Inherited"});
    FdoPtr<FdoClassDefinition> derived = AddClass(schema, L"Derived", {L"Own"});
    derived->SetBaseClass(base);
    FdoPtr<c_GXFClassCopyDef> def = c_GXF_CopyTask_API::CreateDeafultCopyClass(derived);
    EXPECT_EQ(def->GetRefCount(), 1);
    EXPECT_STREQ(def->GetSourceClassName(), L"S:Derived");
    EXPECT_STREQ(def->GetDestClassName(), L"S:Derived");
    FdoPtr<c_GXFPropertyCopyDefCollection> mappings = def->GetPropertyCopyDefCollection();
    ASSERT_EQ(mappings->GetCount(), 1);
    FdoPtr<c_GXFPropertyCopyDef> own = mappings->GetItem(0);
    EXPECT_STREQ(own->GetSourceProperty(), L"Own");
}

TEST(DefaultCopyClass, RealShapeFileGivesItsClassAndFields) {
    SAMPLE_DATA_OR_SKIP("spData/shapes/world.shp");
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    const FdoStringP conn = FdoStringP(L"DefaultFileLocation=") +
                            FdoStringP((geoxfer_test::SampleDataDir() / "spData" / "shapes" / "world.shp").string().c_str());
    ASSERT_EQ(c_GXF_CopyTask_API::CreateDeafultCopyTask(task, L"OSGeo.SHP", conn, nullptr, nullptr), 0)
        << static_cast<const char*>(FdoStringP(c_FDO_Api::GXF_GetLastError()));
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    ASSERT_EQ(classes->GetCount(), 1);
    FdoPtr<c_GXFClassCopyDef> world = classes->GetItem(0);
    EXPECT_TRUE(FdoStringP(world->GetSourceClassName()).Contains(L":world"));
    FdoPtr<c_GXFPropertyCopyDefCollection> mappings = world->GetPropertyCopyDefCollection();
    std::vector<std::wstring> names;
    for (FdoInt32 i = 0; i < mappings->GetCount(); i++) {
        FdoPtr<c_GXFPropertyCopyDef> m = mappings->GetItem(i);
        names.push_back(m->GetSourceProperty());
    }
    EXPECT_NE(std::find(names.begin(), names.end(), L"name_long"), names.end());
    EXPECT_NE(std::find(names.begin(), names.end(), L"Geometry"), names.end());
}
