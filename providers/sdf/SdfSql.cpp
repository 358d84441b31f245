// Quoting for the SQL the store runs; see SdfSql.h.
#include "SdfSql.h"

#include <charconv>
#include <cmath>

namespace sdf {

static std::string Quote(const std::string& s, char q) {
    std::string out(1, q);
    for (char c : s) {
        out += c;
        if (c == q) out += q;
    }
    out += q;
    return out;
}

std::string SdfSql::Text(const std::string& utf8) { return Quote(utf8, '\''); }

std::string SdfSql::Name(const std::string& utf8) { return Quote(utf8, '"'); }

std::string SdfSql::Real(double value) {
    if (std::isnan(value)) return "NULL";
    if (std::isinf(value)) return value > 0 ? "9e999" : "-9e999";
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, value);
    std::string s(buf, r.ptr);
    // SQLite reads "1e+20" and "5" fine, but "5" would be stored as an
    // INTEGER; keep the value REAL.
    if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
    return s;
}

}  // namespace sdf
