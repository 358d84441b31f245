// FilterPlan: which part of an FDO filter OGR decides and which the
// common evaluator decides, row by row.
//
// The filter splitter finds the attribute conjuncts; each is translated to
// OGR SQL so that the SQL is true exactly when FDO's three-valued logic
// says true: comparisons carry an explicit IS NOT NULL guard and NOT is
// pushed down to the leaves, so OGR's own treatment of nulls never
// matters. OGR compares text ignoring case, so a text equality or IN list
// is sent only as a pre-filter and stays in the residual too; text order
// and negated text tests are not sent at all. A top-level spatial or
// distance condition yields a rectangle for OGR's spatial filter (slightly
// enlarged, never for ENVELOPEINTERSECTS, whose bounding-box meaning OGR's
// exact test would narrow); the condition itself always stays residual.
#pragma once

#include <ogrcore/OgrClassMap.h>

namespace ogrcore {

struct FilterPlan {
    std::string attributeFilter;   // OGR SQL for OGR_L_SetAttributeFilter; empty: none
    FdoPtr<FdoFilter> residual;    // for FdoCommonFilterEvaluator; null: nothing left
    bool hasRect = false;          // for OGR_L_SetSpatialFilterRect
    double minX = 0, minY = 0, maxX = 0, maxY = 0;

    // layer gives the OGR field names (without it nothing is sent to OGR);
    // pushDown false keeps everything residual (the path tests compare against).
    static FilterPlan Make(FdoFilter* filter, ClassMap* map, OGRFeatureDefnH layer, bool pushDown = true);
};

}  // namespace ogrcore
