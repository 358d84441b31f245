// NorvSdoElements: Oracle's element form of a geometry — SDO_GTYPE,
// SDO_ELEM_INFO triplets (offset, etype, interpretation) and the ordinate
// array — turned into OGC well-known text. Points, lines, polygons (with
// holes, and the rectangle shorthand) and their multi forms are read;
// arcs, compound elements and solids are refused with a message, never
// approximated.
#pragma once

#include <Fdo/Common/Std.h>

#include <string>
#include <vector>

namespace norvdb {

class NorvSdoElements {
public:
    // Throws std::invalid_argument naming what is wrong.
    static std::string ToWkt(int gtype, const std::vector<double>& elemInfo, const std::vector<double>& ordinates);
};

}  // namespace norvdb
