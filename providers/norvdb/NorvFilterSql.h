// NorvFilterSql: the part of a select filter the store can decide itself.
//
// The attribute conjuncts that FdoCommonFilterSplitter finds are written
// as SQL where the translation is exact: comparisons of a number property
// with a number, of a string property with a string, IN lists of such
// literals, NULL tests, and AND/OR/NOT over those (SQLite's null logic is
// the evaluator's). A spatial condition on a geometry with a spatial index
// becomes an R-tree lookup of its bounding box. The SQL only narrows the
// rows; the caller still decides the whole filter with the common
// evaluator, so the result never depends on what was pushed down.
#pragma once

#include "NorvSchema.h"

#include <string>

namespace norvdb {

class NorvFilterSql {
public:
    // A WHERE condition (without the word), or "" when nothing is pushed.
    static std::string Where(FdoFilter* filter, const NorvClassMap& map);
};

}  // namespace norvdb
