// Context names follow the coordinate system names in the WKT, so the same
// .prj always yields the same name in every connection.
#include "ShpSpatialContexts.h"

#include "ShpFiles.h"

#include <algorithm>

namespace shp {

FdoString* const kDefaultContext = L"Default";

void ShpSpatialContexts::Reset() {
    m_contexts.clear();
    ShpContext def;
    def.name = kDefaultContext;
    def.hasExtent = true;
    def.minX = def.minY = -10000000;
    def.maxX = def.maxY = 10000000;
    m_contexts.push_back(def);
}

std::string ShpSpatialContexts::Trim(const std::string& text) {
    size_t end = text.find_last_not_of(" \t\r\n");
    size_t begin = text.find_first_not_of(" \t\r\n");
    return end == std::string::npos ? "" : text.substr(begin, end - begin + 1);
}

FdoStringP ShpSpatialContexts::ForWkt(const std::string& text) {
    std::string wkt = Trim(text);
    if (wkt.empty()) return kDefaultContext;
    for (const auto& c : m_contexts)
        if (c.wkt == wkt) return c.name;
    FdoStringP base = CoordinateSystemName(wkt);
    if (base.IsEmpty()) base = L"Unknown";
    FdoStringP name = base;
    for (int n = 1; Find(name) && Find(name)->name == name; n++) name = FdoStringP::Format(L"%ls_%d", static_cast<FdoString*>(base), n);
    ShpContext c;
    c.name = name;
    c.wkt = wkt;
    m_contexts.push_back(c);
    return name;
}

FdoStringP ShpSpatialContexts::Create(FdoString* name, FdoString* description, FdoString* /*csName*/, FdoString* wkt,
                                      const double* extent, double xyTolerance, double zTolerance) {
    // Without a WKT there is nothing for a .prj: the name becomes another
    // name of Default, so that geometry referring to it gets no .prj.
    // With one, the WKT decides the context; a coordinate system name that
    // differs from the WKT's (OracleSrid8307, a source's own name) is kept
    // only as another name of it.
    std::string text = Trim(FdoStringP::Utf8FromUnicode(wkt ? wkt : L""));
    FdoStringP result = text.empty() ? FdoStringP(kDefaultContext) : ForWkt(text);
    for (auto& c : m_contexts) {
        if (c.name != result) continue;
        if (name && *name && c.name != name &&
            std::find(c.aliases.begin(), c.aliases.end(), FdoStringP(name)) == c.aliases.end())
            c.aliases.push_back(name);
        if (text.empty()) break;  // Default keeps its own settings
        if (description && *description) c.description = description;
        if (extent) {
            c.hasExtent = true;
            c.minX = extent[0], c.minY = extent[1], c.maxX = extent[2], c.maxY = extent[3];
        }
        c.xyTolerance = xyTolerance;
        c.zTolerance = zTolerance;
    }
    return result;
}

const ShpContext* ShpSpatialContexts::Find(FdoString* name) const {
    if (!name) return nullptr;
    for (const auto& c : m_contexts)
        if (c.name == name) return &c;
    for (const auto& c : m_contexts)
        for (const auto& a : c.aliases)
            if (a == name) return &c;
    return nullptr;
}

}  // namespace shp
