// Small helpers shared by the schema XML tests: read inline documents,
// fetch classes and properties by name, and turn a thrown FdoException into
// its text.
#pragma once

#include <Fdo.h>

#include <gtest/gtest.h>

#include <string>

namespace schema_xml_test {

// The usual opening of a one-schema document (schema "S"), with the
// prefixes declared on the schema element itself.
inline std::string Schema(const std::string& body) {
    return R"(<xs:schema xmlns:xs="http://www.w3.org/2001/XMLSchema" xmlns:gml="http://www.opengis.net/gml")"
           R"( xmlns:fdo="http://fdo.osgeo.org/schemas" xmlns:S="http://fdo.osgeo.org/schemas/feature/S")"
           R"( targetNamespace="http://fdo.osgeo.org/schemas/feature/S">)" +
           body + "</xs:schema>";
}

// A feature class "C" of schema "S" with the given sequence content.
inline std::string FeatureClass(const std::string& properties, const std::string& typeAttributes = "") {
    return Schema(R"(<xs:complexType name="CType" )" + typeAttributes +
                  R"(><xs:complexContent><xs:extension base="gml:AbstractFeatureType"><xs:sequence>)" + properties +
                  "</xs:sequence></xs:extension></xs:complexContent></xs:complexType>");
}

inline std::string Text(FdoException* e) {
    std::string text = (const char*)e->ToFullString();
    e->Release();
    return text;
}

inline FdoFeatureSchemaCollection* Read(const std::string& xml, FdoString* source = L"inline.xml") {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    FdoXmlSchemaIO::ReadString(schemas, xml, source);
    return FDO_SAFE_ADDREF(schemas.p);
}

// The error text of reading xml; empty (and a test failure) when it reads.
inline std::string ReadError(const std::string& xml, FdoString* source = L"inline.xml") {
    try {
        FdoPtr<FdoFeatureSchemaCollection> schemas = Read(xml, source);
        ADD_FAILURE() << "expected the read to fail:\n" << xml;
    } catch (FdoException* e) {
        return Text(e);
    }
    return std::string();
}

inline FdoClassDefinition* GetClass(FdoFeatureSchemaCollection* schemas, FdoString* schema, FdoString* cls) {
    FdoPtr<FdoFeatureSchema> s = schemas->GetItem(schema);
    FdoPtr<FdoClassCollection> classes = s->GetClasses();
    return classes->GetItem(cls);
}

template <class T>
T* GetProperty(FdoClassDefinition* cls, FdoString* name) {
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    FdoPtr<FdoPropertyDefinition> p = props->GetItem(name);
    T* typed = dynamic_cast<T*>(p.p);
    EXPECT_TRUE(typed) << "property has another kind";
    return FDO_SAFE_ADDREF(typed);
}

// Writes schemas, reads the text back and expects an equal collection.
inline std::string ExpectRoundTrip(FdoFeatureSchemaCollection* schemas) {
    std::string xml = FdoXmlSchemaIO::WriteString(schemas);
    FdoPtr<FdoFeatureSchemaCollection> back = FdoFeatureSchemaCollection::Create(nullptr);
    try {
        FdoXmlSchemaIO::ReadString(back, xml, L"written.xml");
    } catch (FdoException* e) {
        ADD_FAILURE() << Text(e) << "\n" << xml;
        return xml;
    }
    FdoStringP diff = FdoCommonSchemaCompare::Compare(schemas, back);
    EXPECT_TRUE(diff.IsEmpty()) << (const char*)diff << "\n" << xml;
    return xml;
}

inline bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace schema_xml_test
