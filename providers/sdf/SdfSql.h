// SQL text for the statements the store runs through GDAL's ExecuteSQL.
//
// GDAL's ExecuteSQL takes a finished statement, with no parameter binding,
// so every name and value placed into one goes through these quoting
// helpers; nothing else in the provider builds SQL by hand.
#pragma once

#include <string>

namespace sdf {

struct SdfSql {
    // 'text' with embedded quotes doubled.
    static std::string Text(const std::string& utf8);
    // "name" with embedded double quotes doubled.
    static std::string Name(const std::string& utf8);
    // A REAL literal that reads back to the same double; NULL for NaN.
    static std::string Real(double value);
};

}  // namespace sdf
