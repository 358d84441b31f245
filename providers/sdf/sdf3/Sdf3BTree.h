// The b-trees of an SDF 3 file: an in-order cursor over every entry, and
// the lookup of one row of an intkey table.
//
// Page types, by their flag bits (leaf 8, leafdata 4, zerodata 2, intkey 1):
// 0x0d/0x05 are today's tables (data in the leaves only), 0x0a/0x02
// indexes (keys only, interior cells are entries too), 0x09/0x01 intkey
// trees of the older kind whose interior cells carry data as well, and
// 0x08/0x00 trees keyed by bytes with data. A cursor visits interior
// entries between their subtrees, so every flavour comes out in key order.
//
// Every page number is checked against the file, every page may be entered
// once per walk (a cycle or a shared subtree is an error), the depth is
// bounded, every child must have its tree's page type, cell pointers and
// payload sizes must lie inside the page, and overflow chains must be as
// long as the payload says and no longer.
#pragma once

#include "Sdf3PageFile.h"

#include <string>
#include <unordered_set>
#include <vector>

namespace sdf3 {

struct Entry {
    int64_t key = 0;               // the rowid of an intkey tree; 0 otherwise
    std::vector<uint8_t> payload;  // intkey: the data; otherwise the key bytes, then any data
};

class BTreeCursor {
public:
    // table names the b-tree in error messages.
    BTreeCursor(PageFile& file, uint32_t root, std::wstring table);
    // The next entry in key order; false at the end.
    bool Next(Entry& entry);

private:
    struct Frame {
        PagePtr page;
        int cells = 0;
        int next = 0;
        bool emitPending = false;
    };
    void Push(uint32_t page);

    PageFile& m_file;
    uint32_t m_root;
    std::wstring m_table;
    std::vector<Frame> m_stack;
    std::unordered_set<uint32_t> m_visited;
    int m_flavour = -1;  // the root's page type without its leaf bit
    bool m_started = false;
};

// The data of row `rowid` in the intkey tree at root; false when absent.
bool FindRow(PageFile& file, uint32_t root, int64_t rowid, const std::wstring& table, std::vector<uint8_t>& payload);

}  // namespace sdf3
