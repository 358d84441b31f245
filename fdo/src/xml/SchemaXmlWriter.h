// Feature schemas -> FDO's current external XML form.
//
// Everything the reader maps is written, in the reader's vocabulary only, so
// that writing a collection and reading the text back gives an equal
// collection. Names are encoded with FdoXmlNames; each schema gets the
// namespace http://fdo.osgeo.org/schemas/feature/<name> and a prefix made
// from its encoded name (renamed when it would clash with xs, gml, fdo, ...).
#pragma once

#include <Fdo/Schema/FeatureSchemaCollection.h>
#include <Fdo/Xml/SpatialContextXml.h>

#include <string>
#include <vector>

namespace FdoSchemaXmlWriter {

std::string Write(FdoFeatureSchemaCollection* schemas, const std::vector<FdoXmlSpatialContext>* contexts);

}  // namespace FdoSchemaXmlWriter
