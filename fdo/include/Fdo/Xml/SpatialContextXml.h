// Spatial contexts as XML (gml:DerivedCRS inside fdo:DataStore).
//
// A spatial context is kept here as a plain record: the XML carries only
// these fields, and callers (providers, the copy engine) map them onto their
// own spatial-context objects. Reading skips everything that is not a
// gml:DerivedCRS, so a document that also holds schemas reads too; writing
// gives a document the schema reader reads as well.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/StringP.h>

#include <string>
#include <vector>

struct FDO_API FdoXmlSpatialContext {
    FdoStringP name;
    FdoStringP description;
    // Empty name: no coordinate system. Name without WKT: a coordinate
    // system known by name only.
    FdoStringP coordinateSystem;
    FdoStringP coordinateSystemWkt;
    FdoSpatialContextExtentType extentType = FdoSpatialContextExtentType_Static;
    bool hasExtent = false;
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    double xyTolerance = 0;
    double zTolerance = 0;
};

class FDO_API FdoXmlSpatialContextIO {
public:
    static std::vector<FdoXmlSpatialContext> Read(FdoString* fileName);
    static std::vector<FdoXmlSpatialContext> ReadString(const std::string& xml, FdoString* sourceName = nullptr);

    static void Write(const std::vector<FdoXmlSpatialContext>& contexts, FdoString* fileName);
    static std::string WriteString(const std::vector<FdoXmlSpatialContext>& contexts);
};
