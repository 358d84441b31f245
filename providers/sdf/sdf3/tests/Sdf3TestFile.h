// Builds small b-tree files byte by byte for the reader's tests: any page
// type, cells with overflow chains laid out by SQLite's rules, a
// sqlite_master on page 1. The page size defaults to 1536 (three times 512,
// no power of two), so the files also pass as SDF 3 files.
#pragma once

#include <array>
#include <cstdint>
#include <tuple>
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace sdf3test {

using Bytes = std::vector<uint8_t>;

inline void PutBig16(Bytes& b, size_t at, uint32_t v) {
    b[at] = uint8_t(v >> 8);
    b[at + 1] = uint8_t(v);
}
inline void PutBig32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; i++) b[at + i] = uint8_t(v >> (24 - 8 * i));
}
inline void AppendVarint(Bytes& b, uint64_t v) {
    if (v >> 56) {  // nine bytes: eight groups of 7 bits, then 8 bits
        uint8_t out[9];
        out[8] = uint8_t(v);
        v >>= 8;
        for (int i = 7; i >= 0; i--, v >>= 7) out[i] = uint8_t((v & 0x7f) | 0x80);
        b.insert(b.end(), out, out + 9);
        return;
    }
    uint8_t tmp[9];
    int n = 0;
    do {
        tmp[n++] = uint8_t(v & 0x7f);
        v >>= 7;
    } while (v);
    for (int i = n - 1; i >= 0; i--) b.push_back(tmp[i] | (i ? 0x80 : 0));
}
template <class T>
void AppendLittle(Bytes& b, T v) {
    size_t at = b.size();
    b.resize(at + sizeof v);
    std::memcpy(b.data() + at, &v, sizeof v);
}
inline void AppendString(Bytes& b, const std::string& utf8) {
    AppendLittle<uint32_t>(b, utf8.empty() ? 0 : uint32_t(utf8.size() + 1));
    if (!utf8.empty()) {
        b.insert(b.end(), utf8.begin(), utf8.end());
        b.push_back(0);
    }
}

// A SQLite record of text and integer values.
struct RecordField {
    bool isText;
    std::string text;
    int64_t integer;
};
inline Bytes Record(const std::vector<RecordField>& fields) {
    Bytes header, body;
    for (const auto& f : fields) {
        if (f.isText) {
            AppendVarint(header, 13 + 2 * f.text.size());
            body.insert(body.end(), f.text.begin(), f.text.end());
        } else {
            AppendVarint(header, 6);
            for (int i = 7; i >= 0; i--) body.push_back(uint8_t(f.integer >> (8 * i)));
        }
    }
    Bytes out;
    AppendVarint(out, header.size() + 1);
    out.insert(out.end(), header.begin(), header.end());
    out.insert(out.end(), body.begin(), body.end());
    return out;
}
inline RecordField Text(std::string s) { return {true, std::move(s), 0}; }
inline RecordField Int(int64_t v) { return {false, {}, v}; }

class TestFile {
public:
    explicit TestFile(uint32_t pageSize = 1536) : m_pageSize(pageSize) { AddPage(); }

    uint32_t PageSize() const { return m_pageSize; }
    uint32_t AddPage() {
        m_pages.emplace_back(m_pageSize, 0);
        return uint32_t(m_pages.size());
    }
    Bytes& PageBytes(uint32_t n) { return m_pages[n - 1]; }

    // Lays out page n with the given type and cells (each with its key and
    // payload; interior cells get their child). Overflowing payloads get
    // overflow pages appended to the file.
    struct Cell {
        int64_t key = 0;      // intkey trees: the rowid; index trees: ignored
        Bytes payload;        // intkey: data; otherwise key bytes (+ data for 0x08/0x00)
        uint32_t child = 0;   // interior pages
        uint64_t keySize = 0; // 0x08/0x00: how many payload bytes are key
    };
    void SetPage(uint32_t n, uint8_t type, const std::vector<Cell>& cells, uint32_t rightChild = 0) {
        bool leaf = type & 8, intKey = type & 5, zeroData = type & 2, leafData = type & 4;
        bool hasData = !(zeroData || (!leaf && leafData));
        size_t header = n == 1 ? 100 : 0;
        size_t pointers = header + (leaf ? 8 : 12);
        size_t content = m_pageSize;
        // Overflow pages are appended while cells are laid out, so the page
        // is looked up afresh after each cell.
        m_pages[n - 1][header] = type;
        PutBig16(m_pages[n - 1], header + 3, uint32_t(cells.size()));
        if (!leaf) PutBig32(m_pages[n - 1], header + 8, rightChild);
        for (size_t i = 0; i < cells.size(); i++) {
            const Cell& c = cells[i];
            Bytes cell;
            if (!leaf) {
                cell.resize(4);
                PutBig32(cell, 0, c.child);
            }
            uint64_t total = c.payload.size();
            bool withPayload = !((type & 4) && !leaf);
            if (hasData) AppendVarint(cell, intKey ? total : total - c.keySize);
            AppendVarint(cell, intKey ? uint64_t(c.key) : (hasData ? c.keySize : total));
            if (withPayload) AppendPayload(cell, c.payload, intKey);
            if (content < pointers + 2 * cells.size() + cell.size()) throw std::length_error("cells overflow the page");
            content -= cell.size();
            std::memcpy(m_pages[n - 1].data() + content, cell.data(), cell.size());
            PutBig16(m_pages[n - 1], pointers + 2 * i, uint32_t(content));
        }
        PutBig16(m_pages[n - 1], header + 5, uint32_t(content));
    }

    // The file: header on page 1 (after SetPage(1, ...)).
    Bytes Build() {
        Bytes& p1 = m_pages[0];
        std::memcpy(p1.data(), "SQLite format 3", 16);
        PutBig16(p1, 16, m_pageSize == 65536 ? 1 : m_pageSize);
        p1[18] = p1[19] = 1;
        p1[20] = 0;
        p1[21] = 64;
        p1[22] = p1[23] = 32;
        PutBig32(p1, 28, uint32_t(m_pages.size()));
        Bytes out;
        for (auto& p : m_pages) out.insert(out.end(), p.begin(), p.end());
        return out;
    }

private:
    void AppendPayload(Bytes& cell, const Bytes& payload, bool intKey) {
        uint64_t usable = m_pageSize;
        uint64_t maxLocal = intKey ? usable - 35 : (usable - 12) * 64 / 255 - 23;
        uint64_t minLocal = (usable - 12) * 32 / 255 - 23;
        uint64_t n = payload.size();
        size_t local = n;
        if (n > maxLocal) {
            uint64_t surplus = minLocal + (n - minLocal) % (usable - 4);
            local = surplus <= maxLocal ? surplus : minLocal;
        }
        cell.insert(cell.end(), payload.begin(), payload.begin() + local);
        if (local == n) return;
        size_t at = local;
        uint32_t first = uint32_t(m_pages.size() + 1);
        size_t link = cell.size();
        cell.resize(cell.size() + 4);
        PutBig32(cell, link, first);
        while (at < n) {
            uint32_t page = AddPage();
            size_t take = std::min<size_t>(usable - 4, n - at);
            std::memcpy(m_pages[page - 1].data() + 4, payload.data() + at, take);
            at += take;
            PutBig32(m_pages[page - 1], 0, at < n ? page + 1 : 0);
        }
    }

    uint32_t m_pageSize;
    std::vector<Bytes> m_pages;
};

}  // namespace sdf3test
