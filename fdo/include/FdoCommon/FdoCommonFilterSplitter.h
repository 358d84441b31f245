// FdoCommonFilterSplitter: cuts a filter into what a provider can hand to
// its data store and what the common evaluator must decide.
//
// The filter's top-level AND-conjuncts are sorted into two groups. An
// attribute conjunct is built only of AND, OR, NOT, comparisons other than
// LIKE (stores disagree on its case rules), IN lists of literals and NULL
// tests, over plain property names and literal data values: no functions,
// arithmetic, parameters, computed identifiers or geometry. Everything else
// is the remainder. The provider sends the attribute part to the store (as
// SQL or a GDAL attribute filter) and evaluates the remainder on the rows
// that come back; both parts hold the original nodes, not copies.
//
// One top-level spatial condition (any operation but DISJOINT) or
// WITHINDISTANCE condition with a literal geometry also yields a bounding
// box that every selected row's geometry meets, for a spatial index or a
// GDAL spatial filter. The condition itself stays in the remainder.
#pragma once

#include <Fdo/Filter/Filter.h>
#include <Fdo/Schema/ClassDefinition.h>

#include <vector>

struct FDO_API FdoCommonFilterParts {
    FdoPtr<FdoFilter> attributeFilter;  // null when no conjunct qualifies
    FdoPtr<FdoFilter> remainder;        // null when nothing is left
    bool hasEnvelope = false;
    FdoStringP envelopeProperty;        // the geometry property the box is for
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
};

class FDO_API FdoCommonFilterSplitter {
public:
    // classDefinition, when given, also keeps conditions on anything but
    // data properties of the class out of the attribute part.
    static FdoCommonFilterParts Split(FdoFilter* filter, FdoClassDefinition* classDefinition = nullptr);

    // The operands of the filter's top-level AND chain, left to right (the
    // filter itself when it is no AND); the original nodes, not copies.
    static std::vector<FdoPtr<FdoFilter>> Conjuncts(FdoFilter* filter);
};
