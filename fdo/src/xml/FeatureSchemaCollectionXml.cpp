// The XML members of FdoFeatureSchemaCollection live with the XML code, so
// the schema model itself does not depend on Xerces.
#include <Fdo/Schema/FeatureSchemaCollection.h>
#include <Fdo/Xml/SchemaXml.h>

void FdoFeatureSchemaCollection::ReadXml(FdoString* fileName) { FdoXmlSchemaIO::Read(this, fileName); }

void FdoFeatureSchemaCollection::WriteXml(FdoString* fileName) { FdoXmlSchemaIO::Write(this, fileName); }
