// The provider registry and the connection manager: which registered
// provider a name stands for, what the registry accepts, and how failures
// are reported. Most tests use a private registry; the last ones go through
// the process registry, where this file registers the fake provider from a
// static initialiser, as a provider library may.
#include "FakeProvider.h"

#include <gtest/gtest.h>

using fake::Catch;

namespace {

const bool registeredAtStart = [] {
    FdoProviderRegistry::RegisterBuiltIn(L"Test.Fake.3.9", L"Fake 3.9", L"In-memory test provider", L"3.9.0.0",
                                         L"4.2.0.0", fake::Create39);
    return true;
}();

FdoIConnection* CreateBroken() { throw FdoConnectionException::Create(L"no memory left for fakes"); }
FdoIConnection* CreateNull() { return nullptr; }
FdoIConnection* Create410() { return fake::Connection::Create(L"Test.Fake.4.10"); }

class ProviderRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        registry = FdoProviderRegistry::Create();
        Register(L"Test.Fake.3.9", fake::Create39);
        Register(L"Test.Fake.4.2", fake::Create42);
        manager = FdoConnectionManager::Create(registry);
    }
    void Register(FdoString* name, FdoConnectionFactory factory) {
        registry->RegisterProvider(name, L"Fake", L"In-memory test provider", L"1.0", L"4.2.0.0", L"", false);
        registry->SetConnectionFactory(name, factory);
    }
    // The provider name of the connection made for a requested name.
    std::wstring Picked(FdoString* requested) {
        FdoPtr<FdoIConnection> c = manager->CreateConnection(requested);
        return fake::ProviderOf(c).Str();
    }

    FdoPtr<FdoProviderRegistry> registry;
    FdoPtr<FdoConnectionManager> manager;
};

}  // namespace

TEST_F(ProviderRegistry, ExactNameIsTakenAsIs) {
    EXPECT_EQ(Picked(L"Test.Fake.3.9"), L"Test.Fake.3.9");
    EXPECT_EQ(Picked(L"Test.Fake.4.2"), L"Test.Fake.4.2");
    EXPECT_EQ(fake::Connection::alive, 0);
}

TEST_F(ProviderRegistry, NameWithoutVersionTakesTheHighest) { EXPECT_EQ(Picked(L"Test.Fake"), L"Test.Fake.4.2"); }

TEST_F(ProviderRegistry, PartialVersionMatchesItsLeadingParts) {
    EXPECT_EQ(Picked(L"Test.Fake.3"), L"Test.Fake.3.9");
    EXPECT_EQ(Picked(L"Test.Fake.4"), L"Test.Fake.4.2");
    EXPECT_EQ(Picked(L"Test.Fake.04.2"), L"Test.Fake.4.2");  // parts compare as numbers
}

TEST_F(ProviderRegistry, VersionsCompareAsNumbers) {
    Register(L"Test.Fake.4.10", Create410);
    EXPECT_EQ(Picked(L"Test.Fake"), L"Test.Fake.4.10");
    EXPECT_EQ(Picked(L"Test.Fake.4"), L"Test.Fake.4.10");
    EXPECT_EQ(Picked(L"Test.Fake.4.2"), L"Test.Fake.4.2");
}

TEST_F(ProviderRegistry, UnknownNamesAreNotRegistered) {
    for (FdoString* name : {L"Nobody.Here", L"Test.Fake.5", L"Test.Fake.4.2.1", L"test.fake", L"Test",
                            L"Test.Faker", L"Test.Fake.", L""}) {
        auto t = Catch([&] { FdoPtr<FdoIConnection> c = manager->CreateConnection(name); });
        EXPECT_EQ(t.kind, L"FdoClientServiceException") << name;
        EXPECT_EQ(t.message, L"FDO Provider '" + std::wstring(name) + L"' Not Registered");
    }
    EXPECT_EQ(Catch([&] { manager->CreateConnection(nullptr); }).message, L"FDO Provider '' Not Registered");
    EXPECT_EQ(Catch([&] { manager->FreeLibrary(L"Nobody.Here"); }).message,
              L"FDO Provider 'Nobody.Here' Not Registered");
    EXPECT_NO_THROW(manager->FreeLibrary(L"Test.Fake"));
}

TEST_F(ProviderRegistry, FactoryFailuresNameTheProvider) {
    Register(L"Test.Broken.1.0", CreateBroken);
    auto broken = Catch([&] { manager->CreateConnection(L"Test.Broken"); });
    EXPECT_EQ(broken.kind, L"FdoClientServiceException");
    EXPECT_EQ(broken.message, L"FDO Provider 'Test.Broken.1.0' failed to create a connection.");
    try {
        manager->CreateConnection(L"Test.Broken");
    } catch (FdoException* e) {
        EXPECT_EQ(std::wstring(e->ToFullString()),
                  L"FDO Provider 'Test.Broken.1.0' failed to create a connection.: no memory left for fakes");
        e->Release();
    }

    Register(L"Test.Null.1.0", CreateNull);
    EXPECT_EQ(Catch([&] { manager->CreateConnection(L"Test.Null.1.0"); }).message,
              L"FDO Provider 'Test.Null.1.0' failed to create a connection.");

    registry->RegisterProvider(L"Test.Plain.2.0", L"Plain", L"", L"2.0", L"4.2", L"/lib/plain.so", false);
    EXPECT_EQ(Catch([&] { manager->CreateConnection(L"Test.Plain"); }).message,
              L"FDO Provider 'Test.Plain.2.0' cannot be loaded: it is registered without a connection factory.");
}

TEST_F(ProviderRegistry, ProvidersListEntriesByExactName) {
    const FdoProviderCollection* providers = registry->GetProviders();
    ASSERT_EQ(providers->GetCount(), 2);
    EXPECT_EQ(providers->IndexOf(L"Test.Fake.4.2"), 1);
    EXPECT_TRUE(providers->Contains(L"Test.Fake.3.9"));
    EXPECT_FALSE(providers->Contains(L"Test.Fake"));
    EXPECT_FALSE(providers->Contains(L"test.fake.3.9"));
    EXPECT_EQ(providers->IndexOf(nullptr), -1);
    EXPECT_EQ(Catch([&] { providers->GetItem(2); }).kind, L"FdoClientServiceException");

    registry->RegisterProvider(L"Test.Fake.4.2", L"Fake again", L"Replaced", L"4.2.1.0", L"4.2.0.0",
                               L"/opt/fake.so", true);
    ASSERT_EQ(providers->GetCount(), 2);
    FdoPtr<FdoProvider> p = providers->GetItem(1);
    EXPECT_EQ(std::wstring(p->GetDisplayName()), L"Fake again");
    EXPECT_EQ(std::wstring(p->GetDescription()), L"Replaced");
    EXPECT_EQ(std::wstring(p->GetVersion()), L"4.2.1.0");
    EXPECT_EQ(std::wstring(p->GetFeatureDataObjectsVersion()), L"4.2.0.0");
    EXPECT_EQ(std::wstring(p->GetLibraryPath()), L"/opt/fake.so");
    EXPECT_TRUE(p->GetIsManaged());
    // Re-registering keeps the factory.
    EXPECT_EQ(Picked(L"Test.Fake.4.2"), L"Test.Fake.4.2");
}

TEST_F(ProviderRegistry, UnregisteredProvidersAreGone) {
    FdoPtr<FdoProvider> held = registry->GetProviders()->GetItem(1);
    registry->UnregisterProvider(L"Test.Fake.4.2");
    EXPECT_EQ(registry->GetProviders()->GetCount(), 1);
    EXPECT_EQ(std::wstring(held->GetName()), L"Test.Fake.4.2");  // a held entry stays usable
    EXPECT_EQ(Picked(L"Test.Fake"), L"Test.Fake.3.9");
    EXPECT_EQ(Catch([&] { registry->UnregisterProvider(L"Test.Fake.4.2"); }).message,
              L"FDO Provider 'Test.Fake.4.2' Not Registered");
    EXPECT_EQ(Catch([&] { registry->SetConnectionFactory(L"Test.Fake.4.2", fake::Create42); }).kind,
              L"FdoClientServiceException");
}

TEST_F(ProviderRegistry, NamesNeedCompanyProviderAndVersion) {
    for (FdoString* name : {L"Fake", L"Test.Fake", L"Test..1", L".Fake.1", L"Test.Fake.1.", L""}) {
        auto t = Catch([&] { registry->RegisterProvider(name, L"", L"", L"", L"", L"", false); });
        EXPECT_EQ(t.kind, L"FdoClientServiceException") << name;
        EXPECT_EQ(t.message, L"Invalid provider name '" + std::wstring(name) +
                                 L"': expected Company.Provider.Version, as in 'OSGeo.SHP.4.2'.");
    }
    EXPECT_EQ(registry->GetProviders()->GetCount(), 2);
}

TEST(ProcessRegistry, IsOneObjectHandedOutWithNewReferences) {
    FdoPtr<IProviderRegistry> a = FdoFeatureAccessManager::GetProviderRegistry();
    FdoPtr<IProviderRegistry> b = FdoFeatureAccessManager::GetProviderRegistry();
    EXPECT_EQ(a.p, b.p);
    FdoInt32 count = a->GetRefCount();
    { FdoPtr<IProviderRegistry> c = FdoFeatureAccessManager::GetProviderRegistry(); EXPECT_EQ(a->GetRefCount(), count + 1); }
    EXPECT_EQ(a->GetRefCount(), count);

    FdoPtr<IConnectionManager> m1 = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<IConnectionManager> m2 = FdoFeatureAccessManager::GetConnectionManager();
    EXPECT_EQ(m1.p, m2.p);
}

TEST(ProcessRegistry, BuiltInProvidersRegisteredAtStartAndLater) {
    ASSERT_TRUE(registeredAtStart);
    FdoProviderRegistry::RegisterBuiltIn(L"Test.Fake.4.2", L"Fake 4.2", L"In-memory test provider", L"4.2.0.0",
                                         L"4.2.0.0", fake::Create42);

    FdoPtr<IProviderRegistry> registry = FdoFeatureAccessManager::GetProviderRegistry();
    const FdoProviderCollection* providers = registry->GetProviders();
    ASSERT_TRUE(providers->Contains(L"Test.Fake.3.9"));
    FdoPtr<FdoProvider> p = providers->GetItem(providers->IndexOf(L"Test.Fake.3.9"));
    EXPECT_EQ(std::wstring(p->GetDisplayName()), L"Fake 3.9");
    // The factory lives in this test program, which is therefore its library.
    EXPECT_NE(std::wstring(p->GetLibraryPath()).find(L"FdoTests"), std::wstring::npos) << p->GetLibraryPath();
    EXPECT_FALSE(p->GetIsManaged());

    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> newest = manager->CreateConnection(L"Test.Fake");
    EXPECT_EQ(fake::ProviderOf(newest), L"Test.Fake.4.2");
    FdoPtr<FdoIConnection> older = manager->CreateConnection(L"Test.Fake.3");
    EXPECT_EQ(fake::ProviderOf(older), L"Test.Fake.3.9");

    EXPECT_EQ(Catch([] { FdoProviderRegistry::RegisterBuiltIn(L"Test.None.1.0", L"", L"", L"", L"", nullptr); })
                  .message,
              L"FDO Provider 'Test.None.1.0' cannot be registered without a connection factory.");
}
