// The element form of a geometry as well-known text; see NorvSdoElements.h.
#include "NorvSdoElements.h"

#include <cstdio>
#include <stdexcept>

namespace norvdb {

namespace {

std::string Num(double d) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", d);
    return buf;
}

struct Element {
    size_t first, end;  // ordinate indexes
    int etype, interpretation;
};

// "x y[ z], ..." of the positions in [first, end).
std::string Positions(const std::vector<double>& o, size_t first, size_t end, int dims) {
    std::string s;
    for (size_t i = first; i + static_cast<size_t>(dims) <= end; i += static_cast<size_t>(dims)) {
        if (!s.empty()) s += ", ";
        for (int d = 0; d < dims; d++) s += (d ? " " : "") + Num(o[i + static_cast<size_t>(d)]);
    }
    return s;
}

std::string Ring(const std::vector<double>& o, const Element& e, int dims) {
    if (e.interpretation == 1) return "(" + Positions(o, e.first, e.end, dims) + ")";
    if (e.interpretation == 3) {
        if (e.end - e.first < static_cast<size_t>(2 * dims)) throw std::invalid_argument("a rectangle needs two positions");
        double x1 = o[e.first], y1 = o[e.first + 1];
        double x2 = o[e.first + static_cast<size_t>(dims)], y2 = o[e.first + static_cast<size_t>(dims) + 1];
        std::string r = Num(x1) + " " + Num(y1);
        return "(" + r + ", " + Num(x2) + " " + Num(y1) + ", " + Num(x2) + " " + Num(y2) + ", " + Num(x1) + " " +
               Num(y2) + ", " + r + ")";
    }
    throw std::invalid_argument("rings with arcs (interpretation " + std::to_string(e.interpretation) +
                                ") are not supported");
}

}  // namespace

std::string NorvSdoElements::ToWkt(int gtype, const std::vector<double>& info, const std::vector<double>& o) {
    int dims = gtype / 1000, kind = gtype % 100;
    if (dims != 2 && dims != 3) throw std::invalid_argument("SDO_GTYPE " + std::to_string(gtype) + ": 2 or 3 dimensions only");
    if (info.size() % 3 != 0 || info.empty()) throw std::invalid_argument("SDO_ELEM_INFO needs whole triplets");
    std::vector<Element> elements;
    for (size_t i = 0; i < info.size(); i += 3) {
        double offset = info[i];
        if (offset < 1 || offset > static_cast<double>(o.size())) throw std::invalid_argument("SDO_ELEM_INFO offset out of range");
        elements.push_back({static_cast<size_t>(offset) - 1, o.size(), static_cast<int>(info[i + 1]),
                            static_cast<int>(info[i + 2])});
        if (elements.size() > 1) elements[elements.size() - 2].end = elements.back().first;
    }
    const std::string z = dims == 3 ? " Z" : "";
    std::vector<std::string> parts;  // points, lines or polygons
    for (auto& e : elements) {
        if (e.first >= e.end || (e.end - e.first) % static_cast<size_t>(dims) != 0)
            throw std::invalid_argument("SDO_ORDINATES do not fit the dimensions");
        switch (e.etype) {
            case 1:
                for (size_t i = e.first; i < e.end; i += static_cast<size_t>(dims))
                    parts.push_back("(" + Positions(o, i, i + static_cast<size_t>(dims), dims) + ")");
                break;
            case 2:
                if (e.interpretation != 1) throw std::invalid_argument("lines with arcs are not supported");
                parts.push_back("(" + Positions(o, e.first, e.end, dims) + ")");
                break;
            case 1003:
            case 3: parts.push_back("(" + Ring(o, e, dims)); break;
            case 2003:
                if (parts.empty()) throw std::invalid_argument("an interior ring before its exterior ring");
                parts.back() += ", " + Ring(o, e, dims);
                break;
            default: throw std::invalid_argument("SDO_ETYPE " + std::to_string(e.etype) + " is not supported");
        }
    }
    auto join = [&](bool closePolygons) {
        std::string s;
        for (auto& p : parts) s += (s.empty() ? "" : ", ") + p + (closePolygons ? ")" : "");
        return s;
    };
    switch (kind) {
        case 1:
            if (parts.size() != 1) throw std::invalid_argument("a point geometry holds one point");
            return "POINT" + z + " " + parts[0];
        case 2:
            if (parts.size() != 1) throw std::invalid_argument("a line geometry holds one line");
            return "LINESTRING" + z + " " + parts[0];
        case 3:
            if (parts.size() != 1) throw std::invalid_argument("a polygon geometry holds one exterior ring");
            return "POLYGON" + z + " " + parts[0] + ")";
        case 5: return "MULTIPOINT" + z + " (" + join(false) + ")";
        case 6: return "MULTILINESTRING" + z + " (" + join(false) + ")";
        case 7: return "MULTIPOLYGON" + z + " (" + join(true) + ")";
        default: throw std::invalid_argument("SDO_GTYPE " + std::to_string(gtype) + " is not supported");
    }
}

}  // namespace norvdb
