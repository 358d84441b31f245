// The mapping rules of the schema XML reader and writer, one small document
// per rule: envelope and namespaces, names, classes, data, geometric and
// other properties, and the exact form the writer produces.
#include "SchemaXmlTestSupport.h"

using namespace schema_xml_test;

namespace {

FdoDataPropertyDefinition* DataProperty(const std::string& element, FdoString* name = L"P") {
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(FeatureClass(element));
    FdoPtr<FdoClassDefinition> cls = GetClass(schemas, L"S", L"C");
    return GetProperty<FdoDataPropertyDefinition>(cls, name);
}

FdoGeometricPropertyDefinition* Geometry(const std::string& element) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(FeatureClass(element));
    FdoPtr<FdoClassDefinition> cls = GetClass(schemas, L"S", L"C");
    return GetProperty<FdoGeometricPropertyDefinition>(cls, L"G");
}

std::vector<FdoGeometryType> Types(FdoGeometricPropertyDefinition* g) {
    FdoInt32 n = 0;
    FdoGeometryType* t = g->GetSpecificGeometryTypes(n);
    return std::vector<FdoGeometryType>(t, t + n);
}

FdoStringP MainGeometry(FdoFeatureSchemaCollection* schemas, FdoString* cls) {
    FdoPtr<FdoClassDefinition> c = GetClass(schemas, L"S", cls);
    FdoPtr<FdoGeometricPropertyDefinition> g = static_cast<FdoFeatureClass*>(c.p)->GetGeometryProperty();
    return g ? FdoStringP(g->GetName()) : FdoStringP(L"(none)");
}

}  // namespace

// ---- envelope, namespaces and schema names --------------------------------

TEST(SchemaXmlEnvelope, PrefixesDeclaredOnlyOnTheRootAndOtherPrefixNamesResolve) {
    const char* xml = R"(<f:DataStore xmlns:f="http://www.autodesk.com/isd/fdo"
        xmlns:xsd="http://www.w3.org/2001/XMLSchema" xmlns:g="http://www.opengis.net/gml"
        xmlns:My="http://fdo_customer/My">
      <g:DerivedCRS g:id="ignored"><g:srsName>ignored</g:srsName></g:DerivedCRS>
      <xsd:schema targetNamespace="http://fdo_customer/My">
        <xsd:complexType name="RoadType"><xsd:complexContent><xsd:extension base="g:AbstractFeatureType">
          <xsd:sequence><xsd:element name="Id" f:readOnly="true"><xsd:simpleType>
            <xsd:restriction base="f:int32"/></xsd:simpleType></xsd:element></xsd:sequence>
        </xsd:extension></xsd:complexContent></xsd:complexType>
      </xsd:schema></f:DataStore>)";
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(xml);
    FdoPtr<FdoFeatureSchema> my = schemas->GetItem(L"My");
    FdoPtr<FdoClassDefinition> road = GetClass(schemas, L"My", L"Road");
    EXPECT_EQ(road->GetClassType(), FdoClassType_FeatureClass);
    FdoPtr<FdoDataPropertyDefinition> id = GetProperty<FdoDataPropertyDefinition>(road, L"Id");
    EXPECT_EQ(id->GetDataType(), FdoDataType_Int32);
    EXPECT_TRUE(id->GetReadOnly());
}

TEST(SchemaXmlEnvelope, AcceptsBareSchemaAndUnqualifiedDataStoreRoots) {
    FdoPtr<FdoFeatureSchemaCollection> bare = Read(Schema(""));
    EXPECT_EQ(bare->GetCount(), 1);
    std::string unqualified = "<DataStore>" + Schema("") + "</DataStore>";
    FdoPtr<FdoFeatureSchemaCollection> store = Read(unqualified);
    EXPECT_EQ(store->GetCount(), 1);
    std::string wrong = ReadError("<Schemas/>", L"wrong-root.xml");
    EXPECT_TRUE(Contains(wrong, "wrong-root.xml")) << wrong;
    EXPECT_TRUE(Contains(wrong, "Schemas")) << wrong;
}

TEST(SchemaXmlEnvelope, SchemaNamesComeFromTheTargetNamespace) {
    auto nameOf = [](const char* ns) {
        std::string xml = std::string(R"(<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema" targetNamespace=")") +
                          ns + R"("/>)";
        FdoPtr<FdoFeatureSchemaCollection> schemas = Read(xml);
        return std::string((const char*)FdoStringP(FdoPtr<FdoFeatureSchema>(schemas->GetItem(0))->GetName()));
    };
    EXPECT_EQ(nameOf("http://fdo.osgeo.org/schemas/feature/Parcels"), "Parcels");
    EXPECT_EQ(nameOf("http://fdo_customer/Legacy"), "Legacy");
    EXPECT_EQ(nameOf("http://fdo.osgeo.org/schemas/feature/_x32--x20-Ref-x2f-A"), "2 Ref/A");
    EXPECT_EQ(nameOf("http://www.example.com/Other"), "Other");
    EXPECT_EQ(nameOf("http://example.com"), "example_com");
    // The GML base schema some files embed is not a feature schema.
    FdoPtr<FdoFeatureSchemaCollection> gml = Read(
        R"(<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema" targetNamespace="http://www.opengis.net/gml"/>)");
    EXPECT_EQ(gml->GetCount(), 0);
}

// ---- names ----------------------------------------------------------------

TEST(SchemaXmlNames, EncodeAndDecodeFollowTheWrittenForm) {
    EXPECT_STREQ(FdoXmlNames::Encode(L"Electric Device"), L"Electric-x20-Device");
    EXPECT_STREQ(FdoXmlNames::Encode(L"'Address"), L"_x27-Address");
    EXPECT_STREQ(FdoXmlNames::Encode(L"2 Reference Schema"), L"_x32--x20-Reference-x20-Schema");
    EXPECT_STREQ(FdoXmlNames::Encode(L"a.b:c"), L"a-dot-b-colon-c");
    EXPECT_STREQ(FdoXmlNames::Encode(L"gml/name"), L"gml-x2f-name");
    EXPECT_STREQ(FdoXmlNames::Decode(L"Maint-x20-Hist"), L"Maint Hist");
    EXPECT_STREQ(FdoXmlNames::Decode(L"not-x-coded-"), L"not-x-coded-");
}

TEST(SchemaXmlNames, EveryNameSurvivesEncodingEvenWhenItLooksEncoded) {
    for (FdoString* name : {L"a-x20-b", L"_x27-lead", L"x-dot-y", L"-colon-", L"-", L"_", L"9lives", L"Ünïcödé näme",
                            L"tab\there", L"\U0001F600 face", L"a--x2d--b", L"", L"A_Type", L"_x32= R",
                            L"a-x20=", L"a-dot.", L"b-colon:", L"-x41 ", L"_x2d-x2d-"}) {
        FdoStringP encoded = FdoXmlNames::Encode(name);
        EXPECT_STREQ(FdoXmlNames::Decode(encoded), name) << (const char*)encoded;
    }
}

TEST(SchemaXmlNames, DotsAndColonsFdoForbidsReadAsUnderscores) {
    // GML application schemas write them as they are, FDO's own files as
    // -dot- and -colon-; a name written back reads as the same name.
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(Schema(R"(
        <xs:element name="a.b" type="S:a-dot-bType" abstract="false" substitutionGroup="gml:_Feature">
          <xs:key name="Key"><xs:selector xpath=".//a.b"/><xs:field xpath="DATE.ID"/></xs:key></xs:element>
        <xs:complexType name="a-dot-bType"><xs:complexContent><xs:extension base="gml:AbstractFeatureType">
          <xs:sequence><xs:element name="DATE.ID" type="xs:int"/><xs:element name="x-colon-y" type="xs:string"/>
          </xs:sequence></xs:extension></xs:complexContent></xs:complexType>)"));
    FdoPtr<FdoClassDefinition> cls = GetClass(schemas, L"S", L"a_b");
    FdoPtr<FdoDataPropertyDefinition> id = GetProperty<FdoDataPropertyDefinition>(cls, L"DATE_ID");
    FdoPtr<FdoDataPropertyDefinition> xy = GetProperty<FdoDataPropertyDefinition>(cls, L"x_y");
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = cls->GetIdentityProperties();
    ASSERT_EQ(identity->GetCount(), 1);
    FdoPtr<FdoDataPropertyDefinition> key = identity->GetItem(0);
    EXPECT_STREQ(key->GetName(), L"DATE_ID");
    ExpectRoundTrip(schemas);
}

// ---- classes --------------------------------------------------------------

TEST(SchemaXmlClasses, KindComesFromTheBaseChainWhereverTheBaseIsDefined) {
    std::string xml = Schema(R"(
        <xs:complexType name="SubType"><xs:complexContent><xs:extension base="S:RootType"/></xs:complexContent></xs:complexType>
        <xs:complexType name="RootType" abstract="true"><xs:complexContent>
          <xs:extension base="gml:AbstractFeatureType"/></xs:complexContent></xs:complexType>
        <xs:complexType name="KeyedType"><xs:complexContent><xs:extension base="fdo:ClassType"><xs:sequence>
          <xs:element name="K" type="xs:int"/></xs:sequence></xs:extension></xs:complexContent></xs:complexType>
        <xs:complexType name="PlainType"><xs:sequence><xs:element name="V" type="xs:double"/></xs:sequence></xs:complexType>
        <xs:complexType name="HelperType"><xs:complexContent><xs:restriction base="gml:FeatureAssociationType"/>
          </xs:complexContent></xs:complexType>
        <xs:complexType name="LayerType"><xs:complexContent><xs:extension base="fdo:NetworkLayerType"/></xs:complexContent></xs:complexType>)");
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(xml);
    FdoPtr<FdoClassDefinition> sub = GetClass(schemas, L"S", L"Sub");
    EXPECT_EQ(sub->GetClassType(), FdoClassType_FeatureClass);
    EXPECT_STREQ(FdoPtr<FdoClassDefinition>(sub->GetBaseClass())->GetName(), L"Root");
    EXPECT_TRUE(FdoPtr<FdoClassDefinition>(GetClass(schemas, L"S", L"Root"))->GetIsAbstract());
    EXPECT_EQ(FdoPtr<FdoClassDefinition>(GetClass(schemas, L"S", L"Keyed"))->GetClassType(), FdoClassType_Class);
    EXPECT_EQ(FdoPtr<FdoClassDefinition>(GetClass(schemas, L"S", L"Plain"))->GetClassType(), FdoClassType_Class);
    FdoPtr<FdoFeatureSchema> s = schemas->GetItem(L"S");
    EXPECT_EQ(FdoPtr<FdoClassCollection>(s->GetClasses())->GetCount(), 4);  // helper and network types are not classes
}

TEST(SchemaXmlClasses, BaseClassesResolveAcrossSchemasByNamespace) {
    const char* xml = R"(<fdo:DataStore xmlns:fdo="http://fdo.osgeo.org/schemas" xmlns:xs="http://www.w3.org/2001/XMLSchema"
        xmlns:gml="http://www.opengis.net/gml" xmlns:a="http://fdo.osgeo.org/schemas/feature/A">
      <xs:schema targetNamespace="http://fdo.osgeo.org/schemas/feature/B">
        <xs:complexType name="ChildType"><xs:complexContent><xs:extension base="a:ParentType"/></xs:complexContent></xs:complexType>
      </xs:schema>
      <xs:schema targetNamespace="http://fdo.osgeo.org/schemas/feature/A">
        <xs:complexType name="ParentType"><xs:complexContent><xs:extension base="gml:AbstractFeatureType"/></xs:complexContent></xs:complexType>
      </xs:schema></fdo:DataStore>)";
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(xml);
    FdoPtr<FdoClassDefinition> child = GetClass(schemas, L"B", L"Child");
    EXPECT_STREQ(FdoPtr<FdoClassDefinition>(child->GetBaseClass())->GetQualifiedName(), L"A:Parent");
    ExpectRoundTrip(schemas);
}

TEST(SchemaXmlClasses, IdentityFromTheFirstKeyAndUniqueConstraintsFromXsUnique) {
    std::string xml = Schema(R"(
        <xs:element name="Parcel_" type="S:Parcel_Type" abstract="false" substitutionGroup="gml:_Feature">
          <xs:key name="K1"><xs:selector xpath=".//Parcel_"/><xs:field xpath="Id"/><xs:field xpath="Part"/></xs:key>
          <xs:key name="K2"><xs:selector xpath=".//Parcel_"/><xs:field xpath="Code"/></xs:key>
          <xs:unique name="U1"><xs:selector xpath=".//Parcel_"/><xs:field xpath="Code"/></xs:unique>
        </xs:element>
        <xs:complexType name="Parcel_Type"><xs:complexContent><xs:extension base="fdo:ClassType"><xs:sequence>
          <xs:element name="Id" type="xs:long"/><xs:element name="Part" type="xs:short"/>
          <xs:element name="Code" type="xs:string"/></xs:sequence></xs:extension></xs:complexContent></xs:complexType>
        <xs:element name="Sub" type="S:SubType"><xs:key name="SubKey"><xs:selector xpath=".//Sub"/><xs:field xpath="Id"/></xs:key></xs:element>
        <xs:complexType name="SubType"><xs:complexContent><xs:extension base="S:Parcel_Type"/></xs:complexContent></xs:complexType>)");
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(xml);
    FdoPtr<FdoClassDefinition> parcel = GetClass(schemas, L"S", L"Parcel_");  // the element settles "_Type"
    FdoPtr<FdoDataPropertyDefinitionCollection> ids = parcel->GetIdentityProperties();
    ASSERT_EQ(ids->GetCount(), 2);
    EXPECT_STREQ(FdoPtr<FdoDataPropertyDefinition>(ids->GetItem(1))->GetName(), L"Part");
    FdoPtr<FdoUniqueConstraintCollection> uniques = parcel->GetUniqueConstraints();
    ASSERT_EQ(uniques->GetCount(), 1);
    EXPECT_EQ(FdoPtr<FdoDataPropertyDefinitionCollection>(FdoPtr<FdoUniqueConstraint>(uniques->GetItem(0))->GetProperties())
                  ->GetCount(),
              1);
    FdoPtr<FdoClassDefinition> sub = GetClass(schemas, L"S", L"Sub");
    EXPECT_EQ(FdoPtr<FdoDataPropertyDefinitionCollection>(sub->GetIdentityProperties())->GetCount(), 0);
    EXPECT_EQ(FdoPtr<FdoDataPropertyDefinitionCollection>(sub->GetBaseIdentityProperties())->GetCount(), 2);
    std::string written = ExpectRoundTrip(schemas);
    EXPECT_TRUE(Contains(written, R"(<xs:element name="Sub" type="S:SubType")")) << "subclasses repeat the key";
}

TEST(SchemaXmlClasses, MainGeometryRules) {
    std::string geom = R"(<xs:element name="%" type="gml:AbstractGeometryType"/>)";
    auto g = [&](const char* name) {
        std::string e = geom;
        return e.replace(e.find('%'), 1, name);
    };
    std::string xml = Schema(
        R"(<xs:complexType name="OneType"><xs:complexContent><xs:extension base="gml:AbstractFeatureType"><xs:sequence>)" +
        g("Only") + R"(</xs:sequence></xs:extension></xs:complexContent></xs:complexType>
        <xs:complexType name="TwoType"><xs:complexContent><xs:extension base="gml:AbstractFeatureType"><xs:sequence>)" +
        g("A") + g("B") + R"(</xs:sequence></xs:extension></xs:complexContent></xs:complexType>
        <xs:complexType name="NamedType" fdo:geometryName="B"><xs:complexContent><xs:extension base="gml:AbstractFeatureType"><xs:sequence>)" +
        g("A") + g("B") + R"(</xs:sequence></xs:extension></xs:complexContent></xs:complexType>
        <xs:complexType name="NoneType" fdo:hasGeometry="false"><xs:complexContent><xs:extension base="gml:AbstractFeatureType"><xs:sequence>)" +
        g("A") + R"(</xs:sequence></xs:extension></xs:complexContent></xs:complexType>
        <xs:complexType name="HeirType" fdo:geometryName="Only" fdo:geometryInherited="true"><xs:complexContent>
          <xs:extension base="S:OneType"/></xs:complexContent></xs:complexType>)");
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(xml);
    EXPECT_STREQ(MainGeometry(schemas, L"One"), L"Only");
    EXPECT_STREQ(MainGeometry(schemas, L"Two"), L"(none)");
    EXPECT_STREQ(MainGeometry(schemas, L"Named"), L"B");
    EXPECT_STREQ(MainGeometry(schemas, L"None"), L"(none)");
    EXPECT_STREQ(MainGeometry(schemas, L"Heir"), L"Only");
    std::string written = ExpectRoundTrip(schemas);
    EXPECT_TRUE(Contains(written, R"(name="HeirType" abstract="false" fdo:geometryName="Only" fdo:geometryInherited="true")"));
    EXPECT_TRUE(Contains(written, R"(name="TwoType" abstract="false" fdo:hasGeometry="false")"));
}

TEST(SchemaXmlClasses, ReferenceCyclesAreRefusedByName) {
    std::string xml = Schema(R"(<xs:complexType name="NodeType"><xs:sequence>
        <xs:element name="Next" type="S:NodeType" minOccurs="0"/></xs:sequence></xs:complexType>)");
    std::string error = ReadError(xml, L"cycle.xml");
    EXPECT_TRUE(Contains(error, "cycle.xml")) << error;
    EXPECT_TRUE(Contains(error, "Next")) << error;
    EXPECT_TRUE(Contains(error, "Node")) << error;
}

// ---- data properties ------------------------------------------------------

TEST(SchemaXmlDataProperties, TypeTableWithLegacyNames) {
    struct Case {
        const char* base;
        FdoDataType type;
    } cases[] = {{"xs:boolean", FdoDataType_Boolean}, {"xs:unsignedByte", FdoDataType_Byte},
                 {"fdo:byte", FdoDataType_Byte},      {"xs:dateTime", FdoDataType_DateTime},
                 {"xs:date", FdoDataType_String},     {"xs:decimal", FdoDataType_Decimal},
                 {"xs:double", FdoDataType_Double},   {"xs:short", FdoDataType_Int16},
                 {"fdo:int16", FdoDataType_Int16},    {"xs:int", FdoDataType_Int32},
                 {"fdo:int32", FdoDataType_Int32},    {"xs:unsignedShort", FdoDataType_Int32},
                 {"xs:long", FdoDataType_Int64},      {"fdo:int64", FdoDataType_Int64},
                 {"xs:integer", FdoDataType_Int64},   {"xs:unsignedInt", FdoDataType_Int64},
                 {"xs:float", FdoDataType_Single},    {"xs:string", FdoDataType_String},
                 {"xs:ID", FdoDataType_String},       {"xs:anyURI", FdoDataType_String},
                 {"xs:hexBinary", FdoDataType_BLOB},  {"fdo:clob", FdoDataType_CLOB}};
    for (const Case& c : cases) {
        std::string restricted = std::string(R"(<xs:element name="P"><xs:simpleType><xs:restriction base=")") + c.base +
                                 R"("/></xs:simpleType></xs:element>)";
        FdoPtr<FdoDataPropertyDefinition> p = DataProperty(restricted);
        EXPECT_EQ(p->GetDataType(), c.type) << c.base;
        FdoPtr<FdoDataPropertyDefinition> typed =
            DataProperty(std::string(R"(<xs:element name="P" type=")") + c.base + R"("/>)");
        EXPECT_EQ(typed->GetDataType(), c.type) << c.base << " as type attribute";
    }
    std::string error = ReadError(FeatureClass(R"(<xs:element name="Blob64" type="xs:base64Binary"/>)"));
    EXPECT_TRUE(Contains(error, "Blob64") && Contains(error, "base64Binary")) << error;
}

TEST(SchemaXmlDataProperties, FlagsFacetsAndAnnotationOnEitherSide) {
    FdoPtr<FdoDataPropertyDefinition> name = DataProperty(R"(<xs:element name="P" minOccurs="0" fdo:readOnly="true">
        <xs:annotation><xs:documentation>first</xs:documentation><xs:documentation>second</xs:documentation>
          <xs:appinfo source="http://fdo.osgeo.org/schemas"><fdo:attribute name="k">v</fdo:attribute></xs:appinfo></xs:annotation>
        <xs:simpleType><xs:restriction base="xs:string"><xs:maxLength value="50"/></xs:restriction></xs:simpleType></xs:element>)");
    EXPECT_TRUE(name->GetNullable());
    EXPECT_TRUE(name->GetReadOnly());
    EXPECT_EQ(name->GetLength(), 50);
    EXPECT_STREQ(name->GetDescription(), L"first");
    EXPECT_STREQ(FdoPtr<FdoSchemaAttributeDictionary>(name->GetAttributes())->GetAttributeValue(L"k"), L"v");

    FdoPtr<FdoDataPropertyDefinition> amount = DataProperty(R"(<xs:element name="P" fdo:autogenerated="true">
        <xs:simpleType><xs:restriction base="xs:decimal"><xs:totalDigits value="12"/><xs:fractionDigits value="0" fdo:scale="-3"/>
        </xs:restriction></xs:simpleType><xs:annotation><xs:documentation>after</xs:documentation></xs:annotation></xs:element>)");
    EXPECT_FALSE(amount->GetNullable());
    EXPECT_TRUE(amount->GetIsAutoGenerated());
    EXPECT_TRUE(amount->GetReadOnly());
    EXPECT_EQ(amount->GetPrecision(), 12);
    EXPECT_EQ(amount->GetScale(), -3);
    EXPECT_STREQ(amount->GetDescription(), L"after");

    // A named simple type of the document.
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(Schema(R"(
        <xs:simpleType name="Money"><xs:restriction base="xs:decimal"><xs:totalDigits value="10"/><xs:fractionDigits value="2"/></xs:restriction></xs:simpleType>
        <xs:complexType name="CType"><xs:sequence><xs:element name="Price" type="S:Money"/></xs:sequence></xs:complexType>)"));
    FdoPtr<FdoClassDefinition> c = GetClass(schemas, L"S", L"C");
    FdoPtr<FdoDataPropertyDefinition> price = GetProperty<FdoDataPropertyDefinition>(c, L"Price");
    EXPECT_EQ(price->GetDataType(), FdoDataType_Decimal);
    EXPECT_EQ(price->GetScale(), 2);
}

TEST(SchemaXmlDataProperties, DefaultsConvertBetweenLexicalAndLiteralText) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(FeatureClass(R"(
        <xs:element name="When" default="2005-01-31T10:20:30.5"><xs:simpleType><xs:restriction base="xs:dateTime"/></xs:simpleType></xs:element>
        <xs:element name="Day" default="1999-12-31"><xs:simpleType><xs:restriction base="xs:dateTime"/></xs:simpleType></xs:element>
        <xs:element name="Flag" default="1"><xs:simpleType><xs:restriction base="xs:boolean"/></xs:simpleType></xs:element>
        <xs:element name="Maybe" minOccurs="0" default="NULL"><xs:simpleType><xs:restriction base="xs:int"/></xs:simpleType></xs:element>
        <xs:element name="Word" default="NULL"><xs:simpleType><xs:restriction base="xs:string"/></xs:simpleType></xs:element>)"));
    FdoPtr<FdoClassDefinition> c = GetClass(schemas, L"S", L"C");
    auto dflt = [&](FdoString* n) {
        return FdoStringP(FdoPtr<FdoDataPropertyDefinition>(GetProperty<FdoDataPropertyDefinition>(c, n))->GetDefaultValue());
    };
    EXPECT_STREQ(dflt(L"When"), L"TIMESTAMP '2005-01-31 10:20:30.5'");
    EXPECT_STREQ(dflt(L"Day"), L"DATE '1999-12-31'");
    EXPECT_STREQ(dflt(L"Flag"), L"TRUE");
    EXPECT_STREQ(dflt(L"Maybe"), L"");
    EXPECT_STREQ(dflt(L"Word"), L"NULL");  // only a nullable property drops "NULL"
    std::string written = ExpectRoundTrip(schemas);
    EXPECT_TRUE(Contains(written, R"(default="2005-01-31T10:20:30.5")")) << written;
    EXPECT_TRUE(Contains(written, R"(default="true")")) << written;
}

TEST(SchemaXmlDataProperties, EnumerationAndRangeConstraintsHoldTypedValues) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(FeatureClass(R"(
        <xs:element name="Code"><xs:simpleType><xs:restriction base="xs:int">
          <xs:enumeration value="1"/><xs:enumeration value="20"/></xs:restriction></xs:simpleType></xs:element>
        <xs:element name="Ratio"><xs:simpleType><xs:restriction base="xs:double">
          <xs:minExclusive value="0"/><xs:maxInclusive value="0.1"/></xs:restriction></xs:simpleType></xs:element>
        <xs:element name="Since"><xs:simpleType><xs:restriction base="xs:dateTime">
          <xs:minInclusive value="-0044-03-15T12:00:00Z"/></xs:restriction></xs:simpleType></xs:element>)"));
    FdoPtr<FdoClassDefinition> c = GetClass(schemas, L"S", L"C");
    FdoPtr<FdoDataPropertyDefinition> code = GetProperty<FdoDataPropertyDefinition>(c, L"Code");
    FdoPtr<FdoPropertyValueConstraint> list = code->GetValueConstraint();
    ASSERT_EQ(list->GetConstraintType(), FdoPropertyValueConstraintType_List);
    FdoPtr<FdoDataValueCollection> values = static_cast<FdoPropertyValueConstraintList*>(list.p)->GetConstraintList();
    ASSERT_EQ(values->GetCount(), 2);
    EXPECT_EQ(static_cast<FdoInt32Value*>(FdoPtr<FdoDataValue>(values->GetItem(1)).p)->GetInt32(), 20);

    FdoPtr<FdoDataPropertyDefinition> ratio = GetProperty<FdoDataPropertyDefinition>(c, L"Ratio");
    FdoPtr<FdoPropertyValueConstraint> rc = ratio->GetValueConstraint();
    auto* range = dynamic_cast<FdoPropertyValueConstraintRange*>(rc.p);
    ASSERT_TRUE(range);
    EXPECT_FALSE(range->GetMinInclusive());
    EXPECT_TRUE(range->GetMaxInclusive());
    EXPECT_EQ(static_cast<FdoDoubleValue*>(FdoPtr<FdoDataValue>(range->GetMaxValue()).p)->GetDouble(), 0.1);

    FdoPtr<FdoDataPropertyDefinition> since = GetProperty<FdoDataPropertyDefinition>(c, L"Since");
    FdoPtr<FdoPropertyValueConstraint> sc = since->GetValueConstraint();
    FdoPtr<FdoDataValue> low = static_cast<FdoPropertyValueConstraintRange*>(sc.p)->GetMinValue();
    EXPECT_EQ(static_cast<FdoDateTimeValue*>(low.p)->GetDateTime(), FdoDateTime(-44, 3, 15, 12, 0, 0.0f));
    ExpectRoundTrip(schemas);

    std::string bad = ReadError(FeatureClass(R"(<xs:element name="Code"><xs:simpleType><xs:restriction base="xs:int">
          <xs:enumeration value="one"/></xs:restriction></xs:simpleType></xs:element>)"));
    EXPECT_TRUE(Contains(bad, "Code") && Contains(bad, "one")) << bad;
}

// ---- geometric properties -------------------------------------------------

TEST(SchemaXmlGeometry, AttributesMaskThenSpecificList) {
    FdoPtr<FdoGeometricPropertyDefinition> g = Geometry(R"(<xs:element name="G" type="gml:AbstractGeometryType"
        fdo:geometryReadOnly="true" fdo:hasMeasure="true" fdo:hasElevation="true" fdo:srsName="WGS84"
        fdo:geometricTypes="point curve " fdo:geometryTypes="point linestring "/>)");
    EXPECT_TRUE(g->GetReadOnly());
    EXPECT_TRUE(g->GetHasMeasure());
    EXPECT_TRUE(g->GetHasElevation());
    EXPECT_STREQ(g->GetSpatialContextAssociation(), L"WGS84");
    EXPECT_EQ(g->GetGeometryTypes(), FdoGeometricType_Point | FdoGeometricType_Curve);
    EXPECT_EQ(Types(g), (std::vector<FdoGeometryType>{FdoGeometryType_Point, FdoGeometryType_LineString}));

    // The mask alone gives its types; an empty list keeps them; Solid survives.
    FdoPtr<FdoGeometricPropertyDefinition> all = Geometry(R"(<xs:element name="G" type="gml:AbstractGeometryType"
        fdo:geometricTypes="point curve surface solid " fdo:geometryTypes=""/>)");
    EXPECT_EQ(all->GetGeometryTypes(), FdoGeometricType_All);
    EXPECT_EQ(Types(all).size(), 10u);

    std::string bad = ReadError(FeatureClass(R"(<xs:element name="G" type="gml:AbstractGeometryType" fdo:geometricTypes="blob"/>)"));
    EXPECT_TRUE(Contains(bad, "'G'") && Contains(bad, "blob")) << bad;
}

TEST(SchemaXmlGeometry, PlainGmlTypesAreUnderstood) {
    FdoPtr<FdoGeometricPropertyDefinition> point = Geometry(R"(<xs:element name="G" type="gml:PointPropertyType"/>)");
    EXPECT_EQ(point->GetGeometryTypes(), FdoGeometricType_Point);
    EXPECT_EQ(Types(point), std::vector<FdoGeometryType>{FdoGeometryType_Point});
    FdoPtr<FdoGeometricPropertyDefinition> surfaces = Geometry(R"(<xs:element name="G" type="gml:MultiSurfaceType"/>)");
    EXPECT_EQ(surfaces->GetGeometryTypes(), FdoGeometricType_Surface);
    FdoPtr<FdoGeometricPropertyDefinition> ref = Geometry(R"(<xs:element name="G" ref="gml:_Geometry" fdo:hasMeasure="true"/>)");
    EXPECT_TRUE(ref->GetHasMeasure());
    EXPECT_EQ(ref->GetGeometryTypes(), FdoGeometricType_All);
}

// ---- object, association and raster properties ----------------------------

TEST(SchemaXmlOtherProperties, ObjectAssociationAndRasterReadAndRoundTrip) {
    std::string xml = Schema(R"(
        <xs:complexType name="PartType"><xs:sequence><xs:element name="Seq" type="xs:int"/></xs:sequence></xs:complexType>
        <xs:element name="Owner" type="S:OwnerType"><xs:key name="OwnerKey"><xs:selector xpath=".//Owner"/><xs:field xpath="Id"/></xs:key></xs:element>
        <xs:complexType name="OwnerType"><xs:complexContent><xs:extension base="gml:AbstractFeatureType"><xs:sequence>
          <xs:element name="Id" type="xs:int"/>
          <xs:element name="Parts" type="S:PartType" minOccurs="0" maxOccurs="unbounded" fdo:identityProperty="Seq" fdo:order="descending"/>
          <xs:element name="One" type="S:PartType" minOccurs="0"/>
          <xs:element name="Photo" type="fdo:RasterPropertyType" minOccurs="0" fdo:readOnly="true"
             fdo:defaultImageXSize="640" fdo:defaultImageYSize="480" fdo:srsName="SC"/>
        </xs:sequence></xs:extension></xs:complexContent></xs:complexType>
        <xs:complexType name="LinkType"><xs:complexContent><xs:extension base="fdo:ClassType"><xs:sequence>
          <xs:element name="OwnerId" type="xs:int"/>
          <xs:element name="ToOwner" minOccurs="0" maxOccurs="1" fdo:multiplicity="1" fdo:deleteRule="Prevent"
              fdo:reverseName="Links" fdo:lockCascade="true"><xs:complexType><xs:complexContent>
            <xs:restriction base="gml:FeatureAssociationType"><xs:sequence><xs:element ref="S:Owner"/></xs:sequence>
            </xs:restriction></xs:complexContent></xs:complexType></xs:element>
        </xs:sequence></xs:extension></xs:complexContent></xs:complexType>)");
    FdoPtr<FdoFeatureSchemaCollection> schemas = Read(xml);
    FdoPtr<FdoClassDefinition> owner = GetClass(schemas, L"S", L"Owner");
    FdoPtr<FdoObjectPropertyDefinition> parts = GetProperty<FdoObjectPropertyDefinition>(owner, L"Parts");
    EXPECT_EQ(parts->GetObjectType(), FdoObjectType_OrderedCollection);
    EXPECT_EQ(parts->GetOrderType(), FdoOrderType_Descending);
    EXPECT_STREQ(FdoPtr<FdoDataPropertyDefinition>(parts->GetIdentityProperty())->GetName(), L"Seq");
    FdoPtr<FdoObjectPropertyDefinition> one = GetProperty<FdoObjectPropertyDefinition>(owner, L"One");
    EXPECT_EQ(one->GetObjectType(), FdoObjectType_Value);
    FdoPtr<FdoRasterPropertyDefinition> photo = GetProperty<FdoRasterPropertyDefinition>(owner, L"Photo");
    EXPECT_TRUE(photo->GetReadOnly());
    EXPECT_EQ(photo->GetDefaultImageYSize(), 480);

    FdoPtr<FdoClassDefinition> link = GetClass(schemas, L"S", L"Link");
    FdoPtr<FdoAssociationPropertyDefinition> to = GetProperty<FdoAssociationPropertyDefinition>(link, L"ToOwner");
    EXPECT_EQ(to->GetDeleteRule(), FdoDeleteRule_Prevent);
    EXPECT_STREQ(to->GetMultiplicity(), L"1");
    EXPECT_STREQ(to->GetReverseName(), L"Links");
    EXPECT_TRUE(to->GetLockCascade());

    // A keyed association: written with a key on the associated class.
    FdoPtr<FdoDataPropertyDefinitionCollection> ids = to->GetIdentityProperties();
    ids->Add(FdoPtr<FdoDataPropertyDefinition>(GetProperty<FdoDataPropertyDefinition>(owner, L"Id")));
    FdoPtr<FdoDataPropertyDefinitionCollection> reverse = to->GetReverseIdentityProperties();
    reverse->Add(FdoPtr<FdoDataPropertyDefinition>(GetProperty<FdoDataPropertyDefinition>(link, L"OwnerId")));
    std::string written = ExpectRoundTrip(schemas);
    EXPECT_TRUE(Contains(written, R"(<xs:key name="Owner_LinkAKey">)")) << written;
}

// ---- the written form -----------------------------------------------------

TEST(SchemaXmlWriter, ProducesTheCurrentExternalForm) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"Land Use", L"");
    schemas->Add(schema);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    FdoPtr<FdoFeatureClass> parcel = FdoFeatureClass::Create(L"Parcel", L"parcels");
    classes->Add(parcel);
    FdoPtr<FdoPropertyDefinitionCollection> props = parcel->GetProperties();
    FdoPtr<FdoDataPropertyDefinition> id = FdoDataPropertyDefinition::Create(L"FeatId", L"");
    id->SetDataType(FdoDataType_Int32);
    id->SetNullable(false);
    props->Add(id);
    FdoPtr<FdoDataPropertyDefinitionCollection>(parcel->GetIdentityProperties())->Add(id);
    FdoPtr<FdoGeometricPropertyDefinition> geom = FdoGeometricPropertyDefinition::Create(L"Geometry", L"");
    FdoGeometryType polygon[] = {FdoGeometryType_Polygon, FdoGeometryType_MultiPolygon};
    geom->SetSpecificGeometryTypes(polygon, 2);
    props->Add(geom);
    parcel->SetGeometryProperty(geom);
    FdoPtr<FdoClass> note = FdoClass::Create(L"Note", L"");
    classes->Add(note);

    std::string one = ExpectRoundTrip(schemas);
    EXPECT_EQ(one.find("<xs:schema "), one.find('\n') + 1) << "one schema is the root";
    EXPECT_TRUE(Contains(one, R"(targetNamespace="http://fdo.osgeo.org/schemas/feature/Land-x20-Use")"));
    EXPECT_TRUE(Contains(one, R"(<xs:element name="Parcel" type="Land-x20-Use:ParcelType" abstract="false" substitutionGroup="gml:_Feature">)"));
    EXPECT_TRUE(Contains(one, R"(<xs:restriction base="xs:int"/>)"));
    EXPECT_TRUE(Contains(one, R"(fdo:geometricTypes="surface " fdo:geometryTypes="polygon multipolygon ")"));
    EXPECT_TRUE(Contains(one, R"(<xs:extension base="gml:AbstractFeatureType">)"));
    EXPECT_FALSE(Contains(one, R"(<xs:element name="Note")")) << "no element without keys";
    EXPECT_TRUE(Contains(one, "<xs:complexType name=\"NoteType\" abstract=\"false\">\n\t\t<xs:annotation>\n\t\t\t<xs:documentation/>"))
        << one;

    FdoPtr<FdoFeatureSchema> other = FdoFeatureSchema::Create(L"gml", L"prefix clash");
    schemas->Add(other);
    std::string two = ExpectRoundTrip(schemas);
    EXPECT_TRUE(Contains(two, R"(<fdo:DataStore xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance" xmlns:xlink="http://www.w3.org/1999/xlink" xmlns:gml="http://www.opengis.net/gml" xmlns:fdo="http://fdo.osgeo.org/schemas" xmlns:fds="http://fdo.osgeo.org/schemas/fds">)"));
    EXPECT_TRUE(Contains(two, R"(xmlns:s1_gml="http://fdo.osgeo.org/schemas/feature/gml")")) << two;
}
