// OSGeo.SHP as the registry and a caller see it: its name and versions,
// its connection properties, honest capabilities, the one schema and the
// spatial contexts made from real .prj files.
#include "ShpTestSupport.h"

#include <set>

using namespace shptest;

TEST(ShpConnection, RegisteredUnderVersionedName) {
    FdoPtr<IProviderRegistry> registry = FdoFeatureAccessManager::GetProviderRegistry();
    const FdoProviderCollection* providers = registry->GetProviders();
    ASSERT_TRUE(providers->Contains(L"OSGeo.SHP.4.2"));
    FdoPtr<FdoProvider> p = providers->GetItem(providers->IndexOf(L"OSGeo.SHP.4.2"));
    EXPECT_STREQ(p->GetVersion(), L"4.2.0.0");
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    for (FdoString* name : {L"OSGeo.SHP", L"OSGeo.SHP.4", L"OSGeo.SHP.4.2"}) {
        FdoPtr<FdoIConnection> c = manager->CreateConnection(name);
        FdoPtr<FdoIConnectionInfo> info = c->GetConnectionInfo();
        EXPECT_STREQ(info->GetProviderName(), L"OSGeo.SHP.4.2");
        EXPECT_EQ(info->GetProviderDatastoreType(), FdoProviderDatastoreType_File);
    }
}

TEST(ShpConnection, PropertiesAndConnectionString) {
    FdoPtr<FdoIConnection> c = Connect("/tmp", false);
    FdoPtr<FdoIConnectionInfo> info = c->GetConnectionInfo();
    FdoPtr<FdoIConnectionPropertyDictionary> dict = info->GetConnectionProperties();
    FdoInt32 n = 0;
    FdoString** names = dict->GetPropertyNames(n);
    ASSERT_EQ(n, 2);
    EXPECT_STREQ(names[0], L"DefaultFileLocation");
    EXPECT_STREQ(names[1], L"TemporaryFileLocation");
    EXPECT_FALSE(dict->IsPropertyRequired(L"DefaultFileLocation"));
    EXPECT_TRUE(dict->IsPropertyFilePath(L"DefaultFileLocation"));
    dict->SetProperty(L"TemporaryFileLocation", L"/tmp");
    EXPECT_STREQ(c->GetConnectionString(), L"DefaultFileLocation=\"/tmp\";TemporaryFileLocation=/tmp;");
}

TEST(ShpConnection, CapabilitiesListExactlyWhatIsImplemented) {
    SAMPLE_DATA_OR_SKIP("sf/shape");
    FdoPtr<FdoIConnection> c = Connect(geoxfer_test::SampleDataDir() / "sf/shape");
    FdoPtr<FdoICommandCapabilities> commands = c->GetCommandCapabilities();
    FdoInt32 n = 0;
    FdoInt32* list = commands->GetCommands(n);
    for (FdoInt32 i = 0; i < n; i++) {
        FdoPtr<FdoICommand> cmd = c->CreateCommand(list[i]);
        EXPECT_TRUE(cmd) << list[i];
    }
    std::set<FdoInt32> listed(list, list + n);
    for (FdoInt32 type = 0; type < FdoCommandType_FirstProviderCommand; type++) {
        if (listed.count(type)) continue;
        EXPECT_NE(ErrorOf([&] { FdoPtr<FdoICommand> cmd = c->CreateCommand(type); }), "") << type;
    }
    EXPECT_TRUE(commands->SupportsSelectOrdering());

    FdoPtr<FdoISchemaCapabilities> schema = c->GetSchemaCapabilities();
    FdoDataType* types = schema->GetDataTypes(n);
    std::set<FdoDataType> stored(types, types + n);
    EXPECT_EQ(stored, (std::set<FdoDataType>{FdoDataType_Decimal, FdoDataType_Int16, FdoDataType_Int32, FdoDataType_Int64,
                                             FdoDataType_String, FdoDataType_DateTime, FdoDataType_Boolean}));
    EXPECT_EQ(schema->GetMaximumDataValueLength(FdoDataType_String), 255);
    EXPECT_EQ(schema->GetNameSizeLimit(FdoSchemaElementNameType_Property), 11);
    FdoPtr<FdoIConnectionCapabilities> conn = c->GetConnectionCapabilities();
    EXPECT_FALSE(conn->SupportsSQL());
    EXPECT_FALSE(conn->SupportsTransactions());
    EXPECT_TRUE(conn->SupportsMultipleSpatialContexts());
    EXPECT_TRUE(conn->SupportsWrite());
    FdoPtr<FdoIGeometryCapabilities> geometry = c->GetGeometryCapabilities();
    EXPECT_EQ(geometry->GetDimensionalities(), FdoDimensionality_XY | FdoDimensionality_Z | FdoDimensionality_M);
    EXPECT_EQ(geometry->GetPolygonVertexOrderRule(FdoGeometryType_Polygon), FdoPolygonVertexOrderRule_CW);

    FdoPtr<FdoIGetSchemaNames> gsn = Command<FdoIGetSchemaNames>(c, FdoCommandType_GetSchemaNames);
    FdoPtr<FdoStringCollection> schemas = gsn->Execute();
    ASSERT_EQ(schemas->GetCount(), 1);
    EXPECT_STREQ(schemas->GetString(0), L"Default");
    FdoPtr<FdoIDescribeSchema> ds = Command<FdoIDescribeSchema>(c, FdoCommandType_DescribeSchema);
    ds->SetSchemaName(L"Other");
    EXPECT_NE(ErrorOf([&] { FdoPtr<FdoFeatureSchemaCollection> s = ds->Execute(); }).find("'Other'"), std::string::npos);
}

// Sheboygan's .prj files share one coordinate system; the storms files have
// none. Contexts follow the names in the WKT, Default stays while a class
// without .prj uses it, and each context's extent covers its classes' data.
TEST(ShpConnection, SpatialContextsFromPrjFiles) {
    std::vector<fs::path> folders = {geoxfer_test::SharedDataDir() / "shp/Sheboygan",
                                     geoxfer_test::SampleDataDir() / "sf/shape"};
    for (const auto& folder : folders) {
        if (!fs::exists(folder)) continue;
        SCOPED_TRACE(folder.string());
        FdoPtr<FdoIConnection> c = Connect(folder);
        FdoPtr<FdoIGetSpatialContexts> gsc = Command<FdoIGetSpatialContexts>(c, FdoCommandType_GetSpatialContexts);
        FdoPtr<FdoISpatialContextReader> r = gsc->Execute();
        std::map<std::string, std::string> contexts;  // name -> WKT
        while (r->ReadNext()) {
            contexts[FdoStringP::Utf8FromUnicode(r->GetName())] = FdoStringP::Utf8FromUnicode(r->GetCoordinateSystemWkt());
            EXPECT_TRUE(r->IsActive());
        }
        FdoPtr<FdoIDescribeSchema> d = Command<FdoIDescribeSchema>(c, FdoCommandType_DescribeSchema);
        FdoPtr<FdoFeatureSchemaCollection> schemas = d->Execute();
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(0);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        bool anyWithoutPrj = false;
        for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
            FdoPtr<FdoFeatureClass> cls = static_cast<FdoFeatureClass*>(classes->GetItem(i));
            FdoPtr<FdoGeometricPropertyDefinition> g = cls->GetGeometryProperty();
            std::string association = FdoStringP::Utf8FromUnicode(g->GetSpatialContextAssociation());
            ASSERT_TRUE(contexts.count(association)) << association;
            fs::path prj = folder / (FdoStringP::Utf8FromUnicode(cls->GetName()) + ".prj");
            if (!fs::exists(prj)) {
                anyWithoutPrj = true;
                EXPECT_EQ(association, "Default");
                continue;
            }
            std::string text = ReadText(prj);
            while (!text.empty() && isspace(static_cast<unsigned char>(text.back()))) text.pop_back();
            EXPECT_EQ(contexts[association], text);
            // The name is the first quoted string after PROJCS, else GEOGCS.
            size_t key = text.find("PROJCS") != std::string::npos ? text.find("PROJCS") : text.find("GEOGCS");
            size_t open = text.find('"', key), close = text.find('"', open + 1);
            EXPECT_EQ(association.substr(0, close - open - 1), text.substr(open + 1, close - open - 1));
        }
        EXPECT_EQ(contexts.count("Default") == 1, anyWithoutPrj);
    }
}
