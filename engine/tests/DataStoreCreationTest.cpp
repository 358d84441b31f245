// Data store creation from a properties text, and empty SDF files: the
// properties the provider lists, the ones it does not, the missing command,
// an existing file, and a registry without an SDF provider.
#include <GeoxferApi/LastError.h>

#include "StoreTestSupport.h"

using namespace xfer_test;
namespace fs = std::filesystem;

// Registration hook of the SDF provider, compiled into the provider library
// the tests link.
void FdoSdfProvider_Register();

namespace {

FdoIConnection* MakeNoCreate() { return fake::Connection::Create(L"Test.NoCreateStore.1.0"); }

const bool kRegistered = [] {
    FdoProviderRegistry::RegisterBuiltIn(L"Test.NoCreateStore.1.0", L"No create", L"Test", L"1.0", L"4.2.0.0",
                                         &MakeNoCreate);
    return true;
}();

// Takes every SDF provider out of the process registry for one test and
// puts the built-in one back afterwards.
class WithoutSdfProvider {
public:
    WithoutSdfProvider() {
        FdoPtr<IProviderRegistry> registry = FdoFeatureAccessManager::GetProviderRegistry();
        std::vector<std::wstring> names;
        const FdoProviderCollection* providers = registry->GetProviders();
        for (FdoInt32 i = 0; i < providers->GetCount(); i++) {
            FdoPtr<FdoProvider> p = providers->GetItem(i);
            std::wstring name = p->GetName();
            if (FdoStringP(name.c_str()).Upper().Contains(L".SDF")) names.push_back(name);
        }
        for (auto& n : names) registry->UnregisterProvider(n.c_str());
    }
    ~WithoutSdfProvider() { FdoSdfProvider_Register(); }
};

class DataStoreCreation : public testing::Test {
protected:
    void SetUp() override { m_dir = geoxfer_test::TempDir("datastore"); }
    void TearDown() override { fs::remove_all(m_dir); }
    fs::path m_dir;
};

}  // namespace

TEST_F(DataStoreCreation, SdfFromPropertiesIgnoringUnlistedNames) {
    fs::path file = m_dir / "new.sdf";
    std::wstring props = L"Bogus=1;File=" + file.wstring() + L";Other=\"a;b\"";
    EXPECT_EQ(c_FDO_Api::GXF_CreateDataStore(L"OSGeo.SDF", props.c_str()), 0) << Narrow(LastError());
    EXPECT_TRUE(fs::exists(file));
    auto c = Open(L"OSGeo.SDF", SdfConn(file));
    EXPECT_EQ(Describe(c)->GetCount() >= 0, true);
}

TEST_F(DataStoreCreation, PropertyNamesAreMatchedWithoutCase) {
    fs::path folder = m_dir / "shapes";
    std::wstring props = L"defaultfilelocation=" + folder.wstring();
    EXPECT_EQ(c_FDO_Api::GXF_CreateDataStore(L"OSGeo.SHP", props.c_str()), 0) << Narrow(LastError());
    EXPECT_TRUE(fs::is_directory(folder));
}

TEST_F(DataStoreCreation, ProviderErrorsAndMissingPieces) {
    fs::path file = m_dir / "twice.sdf";
    std::wstring props = L"File=" + file.wstring();
    ASSERT_EQ(c_FDO_Api::GXF_CreateDataStore(L"OSGeo.SDF", props.c_str()), 0);
    EXPECT_EQ(c_FDO_Api::GXF_CreateDataStore(L"OSGeo.SDF", props.c_str()), 2);
    EXPECT_FALSE(LastError().empty());

    // No properties at all: the provider's required File is missing.
    EXPECT_EQ(c_FDO_Api::GXF_CreateDataStore(L"OSGeo.SDF", nullptr), 2);
    EXPECT_FALSE(LastError().empty());

    EXPECT_EQ(c_FDO_Api::GXF_CreateDataStore(L"No.Such.Provider", props.c_str()), 3);
    EXPECT_EQ(LastError(), L"Unable to Create Source Connection");
    EXPECT_EQ(c_FDO_Api::GXF_CreateDataStore(L"Test.NoCreateStore", props.c_str()), 9);
    EXPECT_EQ(LastError(), L"FDO Data Store doen't suport Create Data Store command!");
}

TEST_F(DataStoreCreation, EmptySdfFileAndAnExistingOne) {
    fs::path file = m_dir / "empty.sdf";
    EXPECT_TRUE(c_FDO_Api::CreateSdfFile(file.wstring().c_str()));
    EXPECT_TRUE(fs::exists(file));
    auto c = Open(L"OSGeo.SDF", SdfConn(file));
    EXPECT_EQ(QualifiedClassNames(Describe(c)).size(), 0u);
    c->Close();

    // An existing file is the provider's error, thrown to the caller.
    auto thrown = fake::Catch([&] { c_FDO_Api::CreateSdfFile(file.wstring().c_str()); });
    EXPECT_NE(thrown.message, L"<nothing thrown>");
}

TEST_F(DataStoreCreation, NoSdfProviderMeansFalseAndCopyResult7) {
    fs::path file = m_dir / "none.sdf";
    {
        WithoutSdfProvider without;
        EXPECT_FALSE(c_FDO_Api::CreateSdfFile(file.wstring().c_str()));
        SHARED_DATA_OR_SKIP("shp/Sheboygan");
        long count = -1;
        EXPECT_EQ(c_FDO_Api::GXF_CopyFdoToSDF(L"OSGeo.SHP", ShpConn(Sheboygan()).c_str(), L"Islands", nullptr,
                                              file.wstring().c_str(), true, count),
                  7);
        EXPECT_EQ(LastError(), L"Unable to Create new SDF File");
        EXPECT_EQ(count, -1);
    }
    EXPECT_FALSE(fs::exists(file));
    EXPECT_TRUE(c_FDO_Api::CreateSdfFile(file.wstring().c_str())) << "the provider is back";
}
