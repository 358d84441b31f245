// SdfSpatialIndex: the GeoPackage R-tree of one feature table, built in
// bulk once the rows are in.
//
// Keeping an R-tree up to date row by row (SQLite's rtree module inserting
// every new box and splitting nodes as it goes) costs more than writing the
// rows themselves. So feature tables are created without one, and the tree
// is made afterwards from the stored rows: the boxes are sorted along a
// Hilbert curve, packed into full leaves, and the leaves into parents level
// by level, and each node is written straight into the rtree module's own
// tables (_node, _parent, _rowid) in the byte layout the module reads.
// The result is an ordinary GeoPackage R-tree, with the triggers and the
// extension row the GeoPackage standard names, so GDAL and SQLite's
// rtreecheck() treat it as any other and later writes keep it up to date.
//
// Memory stays bounded: past a fixed number of boxes, sorted runs go to
// temporary files and are merged back; only one box per leaf is kept for
// the upper levels. The caller runs Build inside one transaction, so a
// process killed while it runs leaves the table without an index, never
// with half of one.
#pragma once

#include <Fdo.h>

#include <cstddef>
#include <string>

struct sqlite3;

namespace sdf {

class SdfSpatialIndex {
public:
    // Boxes kept in memory before sorted runs spill to disk: 12 MB of
    // boxes, and 16 MB more while a run is sorted.
    static constexpr size_t kMemoryBoxes = size_t(1) << 19;

    // "rtree_<table>_<column>", the name the GeoPackage standard gives it.
    static std::string TableName(const std::string& table, const std::string& column);
    // Whether the table's R-tree exists.
    static bool Exists(sqlite3* db, const std::string& table, const std::string& column);
    // Creates the R-tree of table.column from the rows of the table (whose
    // key column is fidColumn). The connection must have GDAL's GeoPackage
    // SQL functions (ST_MinX ...), as a GDAL handle does. Throws
    // FdoCommandException naming the table on failure.
    static void Build(sqlite3* db, const std::string& table, const std::string& fidColumn,
                      const std::string& column, size_t memoryBoxes = kMemoryBoxes);
};

}  // namespace sdf
