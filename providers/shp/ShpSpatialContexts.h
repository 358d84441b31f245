// The spatial contexts of one SHP connection, kept in memory.
//
// "Default" (no coordinate system) comes first; every distinct .prj text
// adds a context named after the coordinate system in it, with "_1", "_2"
// for a name already taken by another text. CreateSpatialContext adds
// contexts the same way and remembers the name it was given as an alias,
// so a schema that refers to that name finds it.
#pragma once

#include <Fdo.h>

#include <string>
#include <vector>

namespace shp {

extern FdoString* const kDefaultContext;

struct ShpContext {
    FdoStringP name;
    FdoStringP description;
    std::string wkt;  // UTF-8, trimmed; empty for Default
    std::vector<FdoStringP> aliases;
    bool hasExtent = false;  // an extent given to CreateSpatialContext
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    double xyTolerance = 0.001, zTolerance = 0.001;
};

class ShpSpatialContexts {
public:
    ShpSpatialContexts() { Reset(); }
    void Reset();

    // The name of the context of this .prj text, adding one when it is new.
    FdoStringP ForWkt(const std::string& wkt);
    // CreateSpatialContext: the context takes the WKT's coordinate system
    // name, and the name given becomes another name of it; without a WKT
    // the name given becomes another name of Default. Returns the
    // context's name.
    FdoStringP Create(FdoString* name, FdoString* description, FdoString* csName, FdoString* wkt,
                      const double* extent, double xyTolerance, double zTolerance);
    // By name, else by alias; null when unknown.
    const ShpContext* Find(FdoString* name) const;
    const std::vector<ShpContext>& All() const { return m_contexts; }

private:
    static std::string Trim(const std::string& text);
    std::vector<ShpContext> m_contexts;
};

}  // namespace shp
