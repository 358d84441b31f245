// RTree: the spatial index of an SDF 3 class (table RTREE_<class>).
//
// Row 1 holds the row number of the root node; every other row is a node
// of 1608 bytes: int32 count, int32 level (0 = leaf), then 40 branches of
// {min x, min y, max x, max y as doubles, int32 child, int32 pad}. A leaf's
// child is a feature's record number, an interior's the row of a node; a
// child of 0 is an empty slot. The walk checks counts, levels (each child
// one level below its parent) and visits each node once, so a damaged
// index is an error, not a loop.
#pragma once

#include "Sdf3PageFile.h"

#include <string>
#include <vector>

namespace sdf3 {

class RTree {
public:
    RTree(PageFile& file, uint32_t root, std::wstring table) : m_file(file), m_root(root), m_table(std::move(table)) {}
    // Record numbers of every leaf entry whose box meets the given box, sorted, without repeats.
    std::vector<int64_t> Search(double minX, double minY, double maxX, double maxY);
    // The box around every entry (the union of the root node's branches);
    // false when the index is empty.
    bool Bounds(double box[4]);

private:
    struct Node {
        int32_t count = 0;
        int32_t level = 0;
        double boxes[40][4];
        int32_t children[40];
    };
    int64_t RootRow();
    Node ReadNode(int64_t row, int32_t expectedLevel);

    PageFile& m_file;
    uint32_t m_root;
    std::wstring m_table;
};

}  // namespace sdf3
