// Turns a parsed schema document into feature schemas.
//
// The document is read in three passes, because XML Schema lets a type
// refer to types defined later, in another xs:schema of the same document,
// or (when merging) in the collection being read into:
//   1. every named xs:complexType is classified: a class when its base
//      chain ends at a class root (gml:AbstractFeatureType, fdo:ClassType,
//      xs:anyType, no base), not a class otherwise (restrictions, GML and
//      network helper types); classes are created with their base classes;
//   2. the properties of every class are read;
//   3. identity, unique constraints, the main geometry and the property
//      keys that name other classes' properties are resolved.
// Only then are the schemas handed to the collection (see SchemaXml.h).
#pragma once

#include "xml/XmlDom.h"

#include <Fdo/Schema/FeatureSchemaCollection.h>

namespace FdoSchemaXmlReader {

void Read(const FdoXmlDom::Document& doc, FdoFeatureSchemaCollection* target);

// The schema name a target namespace stands for.
FdoStringP SchemaNameFromUri(FdoString* uri);

}  // namespace FdoSchemaXmlReader
