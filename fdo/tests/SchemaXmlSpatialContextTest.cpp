// Spatial contexts as gml:DerivedCRS: the FDO sample reads with every
// field, contexts round-trip, and they share a data store document with
// schemas without either reader tripping over the other's elements.
#include "SchemaXmlTestSupport.h"
#include "TestData.h"

using namespace schema_xml_test;

namespace {

void ExpectSame(const FdoXmlSpatialContext& a, const FdoXmlSpatialContext& b) {
    EXPECT_STREQ((FdoString*)a.name, (FdoString*)b.name);
    EXPECT_STREQ((FdoString*)a.description, (FdoString*)b.description);
    EXPECT_STREQ((FdoString*)a.coordinateSystem, (FdoString*)b.coordinateSystem);
    EXPECT_STREQ((FdoString*)a.coordinateSystemWkt, (FdoString*)b.coordinateSystemWkt);
    EXPECT_EQ(a.extentType, b.extentType);
    EXPECT_EQ(a.hasExtent, b.hasExtent);
    EXPECT_EQ(a.minX, b.minX);
    EXPECT_EQ(a.minY, b.minY);
    EXPECT_EQ(a.maxX, b.maxX);
    EXPECT_EQ(a.maxY, b.maxY);
    EXPECT_EQ(a.xyTolerance, b.xyTolerance);
    EXPECT_EQ(a.zTolerance, b.zTolerance);
}

}  // namespace

TEST(SchemaXmlSpatialContexts, ReadsTheLegacySampleCompletely) {
    SHARED_DATA_OR_SKIP("fdo-schemas");
    auto file = geoxfer_test::SharedDataDir() / "fdo-schemas" / "sc_v2.xml";
    std::vector<FdoXmlSpatialContext> scs = FdoXmlSpatialContextIO::Read(FdoStringP(file.string().c_str()));
    ASSERT_EQ(scs.size(), 3u);
    EXPECT_STREQ((FdoString*)scs[0].name, L"SC_0");
    EXPECT_STREQ((FdoString*)scs[0].coordinateSystem, L"Quebec MTM Zone 8 (NAD83)");
    EXPECT_TRUE(scs[0].coordinateSystemWkt.IsEmpty());
    EXPECT_EQ(scs[0].extentType, FdoSpatialContextExtentType_Static);
    EXPECT_EQ(scs[0].maxY, 1100000.0);
    EXPECT_STREQ((FdoString*)scs[1].name, L"Subway Map");
    EXPECT_STREQ((FdoString*)scs[1].description, L"Diagram of subway stops");
    EXPECT_EQ(scs[1].extentType, FdoSpatialContextExtentType_Dynamic);
    EXPECT_EQ(scs[1].xyTolerance, 0.1);
    EXPECT_EQ(scs[1].zTolerance, 0.01);
    EXPECT_STREQ((FdoString*)scs[1].coordinateSystem, L"Non-Earth (Meter)");
    EXPECT_TRUE(Contains((const char*)scs[1].coordinateSystemWkt, "LOCAL_CS"));
    EXPECT_STREQ((FdoString*)scs[2].name, L"Default Rectangular");
    EXPECT_TRUE(scs[2].coordinateSystem.IsEmpty());  // the default cartesian system

    std::vector<FdoXmlSpatialContext> back = FdoXmlSpatialContextIO::ReadString(FdoXmlSpatialContextIO::WriteString(scs));
    ASSERT_EQ(back.size(), scs.size());
    for (size_t i = 0; i < scs.size(); i++) ExpectSame(scs[i], back[i]);
}

TEST(SchemaXmlSpatialContexts, WrittenFormAndValuesThatFixedDecimalsWouldLose) {
    FdoXmlSpatialContext sc;
    sc.name = L"Site 1";
    sc.coordinateSystem = L"LL84";
    sc.xyTolerance = 1e-9;
    sc.hasExtent = true;
    sc.minX = -180.123456789;
    sc.maxX = 180;
    sc.maxY = 90;
    std::string xml = FdoXmlSpatialContextIO::WriteString({sc});
    EXPECT_TRUE(Contains(xml, R"(<gml:DerivedCRS gml:id="Site-x20-1">)")) << xml;
    EXPECT_TRUE(Contains(xml, "<fdo:ZTolerance>0.000000</fdo:ZTolerance>")) << xml;
    EXPECT_TRUE(Contains(xml, R"(xlink:href="http://fdo.osgeo.org/schemas/feature/crs/#LL84")")) << xml;
    EXPECT_FALSE(Contains(xml, "SCExtentType")) << "static extents are not written";
    EXPECT_FALSE(Contains(xml, "gml:remarks")) << "no description, no remarks";
    std::vector<FdoXmlSpatialContext> back = FdoXmlSpatialContextIO::ReadString(xml);
    ASSERT_EQ(back.size(), 1u);
    ExpectSame(sc, back[0]);
}

TEST(SchemaXmlSpatialContexts, ShareADataStoreDocumentWithSchemas) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(FeatureClass(R"(<xs:element name="G" type="gml:AbstractGeometryType" fdo:srsName="Default"/>)"));
    FdoXmlSpatialContext sc;
    sc.name = L"Default";
    sc.extentType = FdoSpatialContextExtentType_Dynamic;
    std::vector<FdoXmlSpatialContext> contexts{sc};
    std::string xml = FdoXmlSchemaIO::WriteString(schemas, &contexts);
    ASSERT_LT(xml.find("<gml:DerivedCRS"), xml.find("<xs:schema")) << xml;
    FdoPtr<FdoFeatureSchemaCollection> again = Read(xml);
    EXPECT_TRUE(FdoCommonSchemaCompare::Compare(schemas, again).IsEmpty());
    std::vector<FdoXmlSpatialContext> read = FdoXmlSpatialContextIO::ReadString(xml);
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].extentType, FdoSpatialContextExtentType_Dynamic);
}

TEST(SchemaXmlSpatialContexts, BadValuesNameTheSourceAndTheContext) {
    const char* xml = R"(<fdo:DataStore xmlns:fdo="http://fdo.osgeo.org/schemas" xmlns:gml="http://www.opengis.net/gml">
        <gml:DerivedCRS gml:id="Broken"><gml:srsName>Broken</gml:srsName><gml:validArea><gml:boundingBox>
        <gml:pos>0 zero</gml:pos><gml:pos>1 1</gml:pos></gml:boundingBox></gml:validArea></gml:DerivedCRS></fdo:DataStore>)";
    try {
        FdoXmlSpatialContextIO::ReadString(xml, L"contexts.xml");
        FAIL() << "a bad coordinate must not read";
    } catch (FdoXmlException* e) {
        std::string text = Text(e);
        EXPECT_TRUE(Contains(text, "contexts.xml") && Contains(text, "zero")) << text;
    }
}
