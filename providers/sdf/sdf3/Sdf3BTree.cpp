// See Sdf3BTree.h. Cell layout and overflow rules: SQLite's file format,
// section 1.6, with the older page flavours' rules (data before the key
// size, interior cells with data) as the 3.3 series wrote them.
#include "Sdf3BTree.h"

#include "Sdf3Bytes.h"

namespace sdf3 {

namespace {

constexpr int kLeaf = 0x08, kLeafData = 0x04, kZeroData = 0x02, kIntKey = 0x01;
constexpr size_t kMaxDepth = 40;

struct PageView {
    const Page& page;
    const std::wstring& table;
    PageFile& file;
    uint8_t type;

    bool Leaf() const { return type & kLeaf; }
    bool IntKey() const { return type & (kIntKey | kLeafData); }
    bool HasData() const { return !((type & kZeroData) || (!Leaf() && (type & kLeafData))); }
    // Interior cells that are entries of their own (all but today's tables).
    bool InteriorEntries() const { return !Leaf() && !(type & kLeafData); }
    size_t Header() const { return page.headerOffset; }
    size_t PointerArray() const { return Header() + (Leaf() ? 8 : 12); }
    const uint8_t* Bytes() const { return page.bytes.data(); }
    int Cells() const { return Big16(Bytes() + Header() + 3); }

    [[noreturn]] void Bad(FdoString* what, unsigned a = 0) const {
        std::wstring text = FdoStringP::Format(what, a).Str();
        Failf(file.Name(), L"page %u of %ls: %ls", page.number, table.c_str(), text.c_str());
    }

    size_t CellOffset(int i) const {
        size_t at = PointerArray() + 2 * static_cast<size_t>(i);
        size_t offset = Big16(Bytes() + at);
        if (offset < PointerArray() + 2 * static_cast<size_t>(Cells()) || offset >= file.UsableSize())
            Bad(L"cell pointer %u points outside the cell content area", static_cast<unsigned>(i));
        return offset;
    }
    uint32_t Child(int i) const {
        if (i == Cells()) return Big32(Bytes() + Header() + 8);
        size_t at = CellOffset(i);
        if (at + 4 > file.UsableSize()) Bad(L"cell %u is cut by the end of the page", static_cast<unsigned>(i));
        return Big32(Bytes() + at);
    }
};

PageView View(PageFile& file, const PagePtr& page, const std::wstring& table) {
    PageView v{*page, table, file, page->bytes[page->headerOffset]};
    switch (v.type) {
        case 0x0d: case 0x05: case 0x0a: case 0x02: case 0x09: case 0x01: case 0x08: case 0x00: break;
        default: v.Bad(L"unknown page type 0x%02x", v.type);
    }
    if (v.PointerArray() + 2 * static_cast<size_t>(v.Cells()) > file.UsableSize())
        v.Bad(L"%u cells do not fit in the page", static_cast<unsigned>(v.Cells()));
    return v;
}

// Local payload size of a cell (SQLite's rule, with the usable page size).
size_t LocalSize(const PageView& v, uint64_t payload) {
    uint64_t usable = v.file.UsableSize();
    uint64_t maxLocal = v.IntKey() ? usable - 35 : (usable - 12) * 64 / 255 - 23;
    uint64_t minLocal = (usable - 12) * 32 / 255 - 23;
    if (payload <= maxLocal) return static_cast<size_t>(payload);
    uint64_t surplus = minLocal + (payload - minLocal) % (usable - 4);
    return static_cast<size_t>(surplus <= maxLocal ? surplus : minLocal);
}

// Parses cell i: its key and, when wanted, its payload (overflow followed).
void ReadCell(const PageView& v, int i, Entry& entry, bool wantPayload) {
    size_t at = v.CellOffset(i);
    const uint8_t* end = v.Bytes() + v.file.UsableSize();
    const uint8_t* p = v.Bytes() + at;
    if (!v.Leaf()) {
        if (end - p < 4) v.Bad(L"cell %u is cut by the end of the page", unsigned(i));
        p += 4;
    }
    uint64_t data = 0, key = 0;
    size_t n = 0;
    if (v.HasData()) {
        if (p >= end || !(n = ReadVarint(p, end, data))) v.Bad(L"the data size of cell %u is cut", unsigned(i));
        p += n;
    }
    if (p >= end || !(n = ReadVarint(p, end, key))) v.Bad(L"the key of cell %u is cut", unsigned(i));
    p += n;
    uint64_t payload = v.IntKey() ? data : data + key;
    entry.key = v.IntKey() ? static_cast<int64_t>(key) : 0;
    entry.payload.clear();
    if (!wantPayload) return;
    uint64_t limit = static_cast<uint64_t>(v.file.PageCount()) * v.file.UsableSize();
    if (payload > limit) v.Bad(L"cell %u claims a payload larger than the file", unsigned(i));
    size_t local = LocalSize(v, payload);
    bool overflows = local < payload;
    if (local + (overflows ? 4 : 0) > static_cast<size_t>(end - p))
        v.Bad(L"the payload of cell %u runs past the end of the page", unsigned(i));
    entry.payload.assign(p, p + local);
    if (!overflows) return;
    uint32_t next = Big32(p + local);
    std::unordered_set<uint32_t> chain;
    size_t chunk = v.file.UsableSize() - 4;
    while (entry.payload.size() < payload) {
        if (next == 0) v.Bad(L"the overflow chain of cell %u ends before its payload does", unsigned(i));
        if (!chain.insert(next).second) v.Bad(L"the overflow chain of cell %u runs in a circle", unsigned(i));
        PagePtr page = v.file.Get(next);
        size_t take = std::min<uint64_t>(chunk, payload - entry.payload.size());
        entry.payload.insert(entry.payload.end(), page->bytes.begin() + 4, page->bytes.begin() + 4 + take);
        next = Big32(page->bytes.data());
    }
}

}  // namespace

BTreeCursor::BTreeCursor(PageFile& file, uint32_t root, std::wstring table)
    : m_file(file), m_root(root), m_table(std::move(table)) {}

void BTreeCursor::Push(uint32_t number) {
    if (m_stack.size() >= kMaxDepth) Failf(m_file.Name(), L"%ls is nested deeper than a b-tree can be", m_table.c_str());
    if (!m_visited.insert(number).second)
        Failf(m_file.Name(), L"page %u is reached twice in %ls (a cycle)", number, m_table.c_str());
    PagePtr page = m_file.Get(number);
    PageView v = View(m_file, page, m_table);
    int flavour = v.type & ~kLeaf;
    if (m_flavour < 0) m_flavour = flavour;
    if (flavour != m_flavour) v.Bad(L"page type 0x%02x does not belong in this b-tree", v.type);
    m_stack.push_back(Frame{page, v.Cells(), 0, false});
}

bool BTreeCursor::Next(Entry& entry) {
    if (!m_started) {
        m_started = true;
        Push(m_root);
    }
    while (!m_stack.empty()) {
        size_t top = m_stack.size() - 1;
        PageView v = View(m_file, m_stack[top].page, m_table);
        Frame& f = m_stack[top];
        if (v.Leaf()) {
            if (f.next < f.cells) {
                ReadCell(v, f.next++, entry, true);
                return true;
            }
            m_stack.pop_back();
            continue;
        }
        if (f.emitPending) {
            f.emitPending = false;
            if (v.InteriorEntries()) {
                ReadCell(v, f.next - 1, entry, true);
                return true;
            }
        }
        if (f.next < f.cells) {
            uint32_t child = v.Child(f.next++);
            f.emitPending = true;
            Push(child);
        } else if (f.next == f.cells) {
            f.next++;
            Push(v.Child(f.cells));
        } else {
            m_stack.pop_back();
        }
    }
    return false;
}

bool FindRow(PageFile& file, uint32_t root, int64_t rowid, const std::wstring& table, std::vector<uint8_t>& payload) {
    std::unordered_set<uint32_t> visited;
    uint32_t number = root;
    int flavour = -1;
    Entry entry;
    for (size_t depth = 0;; depth++) {
        if (depth >= kMaxDepth) Failf(file.Name(), L"%ls is nested deeper than a b-tree can be", table.c_str());
        if (!visited.insert(number).second)
            Failf(file.Name(), L"page %u is reached twice in %ls (a cycle)", number, table.c_str());
        PagePtr page = file.Get(number);
        PageView v = View(file, page, table);
        if (!v.IntKey()) v.Bad(L"a row was looked up by number in a b-tree of page type 0x%02x", v.type);
        if (flavour < 0) flavour = v.type & ~kLeaf;
        if ((v.type & ~kLeaf) != flavour) v.Bad(L"page type 0x%02x does not belong in this b-tree", v.type);
        int cells = v.Cells();
        int child = cells;
        for (int i = 0; i < cells; i++) {
            ReadCell(v, i, entry, false);
            if (v.Leaf() || v.InteriorEntries()) {
                if (entry.key == rowid) {
                    ReadCell(v, i, entry, true);
                    payload = std::move(entry.payload);
                    return true;
                }
                if (!v.Leaf() && rowid < entry.key) {
                    child = i;
                    break;
                }
            } else if (rowid <= entry.key) {
                child = i;
                break;
            }
        }
        if (v.Leaf()) return false;
        number = v.Child(child);
    }
}

}  // namespace sdf3
