// The public entry points of schema XML (see Fdo/Xml/SchemaXml.h): parse,
// read, write, and the file handling around them.
#include <Fdo/Xml/SchemaXml.h>

#include "xml/SchemaXmlReader.h"
#include "xml/SchemaXmlWriter.h"
#include "xml/XmlDom.h"

#include <fstream>

void FdoXmlSchemaIO::Read(FdoFeatureSchemaCollection* schemas, FdoString* fileName) {
    auto doc = FdoXmlDom::Document::ParseFile(fileName);
    FdoSchemaXmlReader::Read(*doc, schemas);
}

void FdoXmlSchemaIO::ReadString(FdoFeatureSchemaCollection* schemas, const std::string& xml, FdoString* sourceName) {
    ReadBuffer(schemas, xml.data(), xml.size(), sourceName);
}

void FdoXmlSchemaIO::ReadBuffer(FdoFeatureSchemaCollection* schemas, const char* data, size_t size,
                                FdoString* sourceName) {
    auto doc = FdoXmlDom::Document::ParseMemory(data, size, sourceName);
    FdoSchemaXmlReader::Read(*doc, schemas);
}

std::string FdoXmlSchemaIO::WriteString(FdoFeatureSchemaCollection* schemas,
                                        const std::vector<FdoXmlSpatialContext>* contexts) {
    return FdoSchemaXmlWriter::Write(schemas, contexts);
}

void FdoXmlSchemaIO::Write(FdoFeatureSchemaCollection* schemas, FdoString* fileName,
                           const std::vector<FdoXmlSpatialContext>* contexts) {
    std::string text = WriteString(schemas, contexts);
    FdoStringP name(fileName);
    std::ofstream out((const char*)name, std::ios::binary | std::ios::trunc);
    if (!out || !out.write(text.data(), static_cast<std::streamsize>(text.size())).flush())
        throw FdoXmlException::Create(FdoStringP::Format(L"Cannot write XML file '%ls'.", (FdoString*)name));
}
