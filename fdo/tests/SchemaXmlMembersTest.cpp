// The collection's own ReadXml/WriteXml members, as engine code calls them.
#include <Fdo.h>
#include <FdoCommon/FdoCommonSchemaCompare.h>

#include "TestData.h"

TEST(SchemaXmlMembers, FileRoundTripThroughTheCollection) {
    SHARED_DATA_OR_SKIP("fdo-schemas/schema_merge1b.xml");
    auto dir = geoxfer_test::TempDir("schema-xml-members");
    FdoStringP in((geoxfer_test::SharedDataDir() / "fdo-schemas/schema_merge1b.xml").c_str());
    FdoStringP out((dir / "out.xml").c_str());

    FdoPtr<FdoFeatureSchemaCollection> read = FdoFeatureSchemaCollection::Create(nullptr);
    read->ReadXml(in);
    ASSERT_GT(read->GetCount(), 0);
    read->WriteXml(out);
    FdoPtr<FdoFeatureSchemaCollection> back = FdoFeatureSchemaCollection::Create(nullptr);
    back->ReadXml(out);
    EXPECT_EQ(FdoCommonSchemaCompare::Compare(read, back), FdoStringP(L""));
    std::filesystem::remove_all(dir);
}

TEST(SchemaXmlMembers, MissingFileNamesTheFile) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    try {
        schemas->ReadXml(L"/nonexistent/folder/schema.xml");
        FAIL() << "a missing file was read";
    } catch (FdoException* e) {
        EXPECT_TRUE(e->ToFullString().Contains(L"/nonexistent/folder/schema.xml")) << (const char*)e->ToFullString();
        e->Release();
    }
}
