// One gml:DerivedCRS element <-> one FdoXmlSpatialContext, shared by the
// spatial-context reader/writer and the schema writer (which puts contexts
// in front of the schemas of a data store document).
#pragma once

#include "xml/XmlTextWriter.h"

#include <Fdo/Xml/SpatialContextXml.h>

#include <xercesc/dom/DOMElement.hpp>

namespace FdoSpatialContextXmlIO {

void WriteDerivedCrs(FdoXmlTextWriter& w, const FdoXmlSpatialContext& sc);
// Throws FdoXmlException naming what is wrong (without the source name).
FdoXmlSpatialContext ReadDerivedCrs(const xercesc::DOMElement* el);

}  // namespace FdoSpatialContextXmlIO
