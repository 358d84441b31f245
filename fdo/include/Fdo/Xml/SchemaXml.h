// Feature schemas as XML: FDO's external form (XML Schema with fdo: and
// gml: conventions), read and written.
//
// Reading adds the document's schemas to a collection. A schema whose name
// the collection already holds is merged: the document's classes are added
// to it and a class it already has is an error, so nothing is replaced
// silently. A document is read completely before the collection is touched,
// so a failed read leaves the collection as it was. Base classes and
// referenced classes are resolved across the document's schemas and then
// against the schemas already in the collection.
//
// Writing produces the current form: one schema gives an xs:schema root,
// zero or several an fdo:DataStore root. Spatial contexts, when given, are
// written first inside fdo:DataStore.
//
// Errors raise FdoXmlException (malformed XML, with line and column) or
// FdoSchemaException (content that does not make a schema), both naming the
// file or source.
#pragma once

#include <Fdo/Schema/FeatureSchemaCollection.h>
#include <Fdo/Xml/SpatialContextXml.h>

#include <string>
#include <vector>

class FDO_API FdoXmlSchemaIO {
public:
    static void Read(FdoFeatureSchemaCollection* schemas, FdoString* fileName);
    // sourceName names the text in messages.
    static void ReadString(FdoFeatureSchemaCollection* schemas, const std::string& xml,
                           FdoString* sourceName = nullptr);
    static void ReadBuffer(FdoFeatureSchemaCollection* schemas, const char* data, size_t size,
                           FdoString* sourceName = nullptr);

    static void Write(FdoFeatureSchemaCollection* schemas, FdoString* fileName,
                      const std::vector<FdoXmlSpatialContext>* contexts = nullptr);
    // UTF-8 document text.
    static std::string WriteString(FdoFeatureSchemaCollection* schemas,
                                   const std::vector<FdoXmlSpatialContext>* contexts = nullptr);
};
