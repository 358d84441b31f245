// Bulk R-tree building; see SdfSpatialIndex.h.
//
// SQLite's rtree module keeps each node as one blob of a fixed size in
// <name>_node (the root is node 1 and carries the depth of the tree in its
// first two bytes), each cell as a big-endian 64-bit id followed by
// min x, max x, min y, max y as big-endian 32-bit floats, rounded outwards
// so a box always covers its shape. <name>_rowid maps each row to its leaf
// and <name>_parent each node below the root to its parent.
#include "SdfSpatialIndex.h"

#include <Fdo.h>

#include <sqlite3.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <memory>
#include <queue>
#include <vector>

namespace sdf {

namespace {

struct Box {
    std::int64_t id;
    float minX, maxX, minY, maxY;
};

struct Keyed {
    std::uint32_t key;
    Box box;
};

bool Before(const Keyed& a, const Keyed& b) { return a.key != b.key ? a.key < b.key : a.box.id < b.box.id; }

[[noreturn]] void Fail(const std::string& table, const std::string& what) {
    throw FdoCommandException::Create(FdoStringP::Format(L"Building the spatial index of table '%ls' failed: %ls",
                                                         static_cast<FdoString*>(FdoStringP(table.c_str())),
                                                         static_cast<FdoString*>(FdoStringP(what.c_str()))));
}

// One prepared statement; finalized when it goes.
class Statement {
public:
    Statement(sqlite3* db, const std::string& sql, const std::string& table) : m_db(db), m_table(table) {
        if (sqlite3_prepare_v2(db, sql.c_str(), -1, &m_stmt, nullptr) != SQLITE_OK) Fail(table, sqlite3_errmsg(db));
    }
    ~Statement() { sqlite3_finalize(m_stmt); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    sqlite3_stmt* Get() const { return m_stmt; }
    // Steps once; true while there is a row.
    bool Step() {
        int rc = sqlite3_step(m_stmt);
        if (rc == SQLITE_ROW) return true;
        if (rc != SQLITE_DONE) Fail(m_table, sqlite3_errmsg(m_db));
        return false;
    }
    void Run() {
        Step();
        sqlite3_reset(m_stmt);
    }

private:
    sqlite3* m_db;
    std::string m_table;
    sqlite3_stmt* m_stmt = nullptr;
};

std::string Quoted(const std::string& name) {
    std::string out = "\"";
    for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
    return out + "\"";
}

void Exec(sqlite3* db, const std::string& sql, const std::string& table) {
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::string text = error ? error : sqlite3_errmsg(db);
        sqlite3_free(error);
        Fail(table, text);
    }
}

// The float at or below d, and at or above it: a box never shrinks.
float Down(double d) {
    float f = static_cast<float>(d);
    return static_cast<double>(f) > d ? std::nextafter(f, -std::numeric_limits<float>::infinity()) : f;
}
float Up(double d) {
    float f = static_cast<float>(d);
    return static_cast<double>(f) < d ? std::nextafter(f, std::numeric_limits<float>::infinity()) : f;
}

// Position along a Hilbert curve over a 65536 x 65536 grid.
std::uint32_t Hilbert(std::uint32_t x, std::uint32_t y) {
    constexpr std::uint32_t n = 1u << 16;
    std::uint32_t d = 0;
    for (std::uint32_t s = n / 2; s > 0; s /= 2) {
        const std::uint32_t rx = (x & s) ? 1 : 0;
        const std::uint32_t ry = (y & s) ? 1 : 0;
        d += s * s * ((3 * rx) ^ ry);
        if (ry == 0) {
            if (rx == 1) {
                x = n - 1 - x;
                y = n - 1 - y;
            }
            std::swap(x, y);
        }
    }
    return d;
}

struct Extent {
    double minX = std::numeric_limits<double>::infinity(), minY = minX;
    double maxX = -minX, maxY = -minX;
    void Add(const Box& b) {
        minX = std::min(minX, double(b.minX));
        maxX = std::max(maxX, double(b.maxX));
        minY = std::min(minY, double(b.minY));
        maxY = std::max(maxY, double(b.maxY));
    }
    std::uint32_t KeyOf(const Box& b) const {
        auto cell = [](double v, double lo, double hi) {
            if (!(hi > lo)) return std::uint32_t(0);
            double t = (v - lo) / (hi - lo) * 65535.0;
            return static_cast<std::uint32_t>(std::clamp(t, 0.0, 65535.0));
        };
        return Hilbert(cell((double(b.minX) + b.maxX) / 2, minX, maxX), cell((double(b.minY) + b.maxY) / 2, minY, maxY));
    }
};

// A temporary file of fixed-size records, deleted when closed.
class RunFile {
public:
    explicit RunFile(const std::string& table) : m_file(std::tmpfile()), m_table(table) {
        if (!m_file) Fail(table, "no temporary file for sorting");
    }
    ~RunFile() {
        if (m_file) std::fclose(m_file);
    }
    RunFile(const RunFile&) = delete;
    RunFile& operator=(const RunFile&) = delete;

    template <class T>
    void Write(const std::vector<T>& items) {
        if (!items.empty() && std::fwrite(items.data(), sizeof(T), items.size(), m_file) != items.size())
            Fail(m_table, "the temporary file for sorting cannot be written");
    }
    void Rewind() { std::rewind(m_file); }
    // Up to max records; fewer at the end.
    template <class T>
    size_t Read(std::vector<T>& items, size_t max) {
        items.resize(max);
        size_t n = std::fread(items.data(), sizeof(T), max, m_file);
        items.resize(n);
        return n;
    }

private:
    FILE* m_file;
    std::string m_table;
};

// Writes nodes into the rtree module's tables, leaves first, root last.
class TreeWriter {
public:
    TreeWriter(sqlite3* db, const std::string& table, const std::string& rtree, int nodeSize, std::int64_t total)
        : m_node(db, "INSERT OR REPLACE INTO " + Quoted(rtree + "_node") + " (nodeno, data) VALUES (?, ?)", table),
          m_parent(db, "INSERT INTO " + Quoted(rtree + "_parent") + " (nodeno, parentnode) VALUES (?, ?)", table),
          m_rowid(db, "INSERT INTO " + Quoted(rtree + "_rowid") + " (rowid, nodeno) VALUES (?, ?)", table),
          m_nodeSize(nodeSize),
          m_maxCells(static_cast<size_t>((nodeSize - 4) / 24)),
          m_rootIsLeaf(total <= static_cast<std::int64_t>((nodeSize - 4) / 24)) {
        if (m_maxCells < 2) Fail(table, "the R-tree's nodes are too small");
        m_cells.reserve(m_maxCells);
    }

    void Add(const Box& b) {
        m_cells.push_back(b);
        if (m_cells.size() == m_maxCells && !m_rootIsLeaf) CloseLeaf();
    }

    void Finish() {
        if (m_rootIsLeaf) {
            WriteNode(1, 0, m_cells, true);
            return;
        }
        if (!m_cells.empty()) CloseLeaf();
        std::vector<Box> level = std::move(m_level);
        int depth = 1;
        while (level.size() > m_maxCells) {
            std::vector<Box> up;
            for (size_t i = 0; i < level.size(); i += m_maxCells) {
                std::vector<Box> children(level.begin() + static_cast<std::ptrdiff_t>(i),
                                          level.begin() + static_cast<std::ptrdiff_t>(std::min(level.size(), i + m_maxCells)));
                std::int64_t node = m_next++;
                WriteNode(node, 0, children, false);
                up.push_back(Cover(node, children));
            }
            level = std::move(up);
            depth++;
        }
        WriteNode(1, depth, level, false);
    }

private:
    void CloseLeaf() {
        std::int64_t node = m_next++;
        WriteNode(node, 0, m_cells, true);
        m_level.push_back(Cover(node, m_cells));
        m_cells.clear();
    }

    static Box Cover(std::int64_t node, const std::vector<Box>& cells) {
        Box c{node, cells[0].minX, cells[0].maxX, cells[0].minY, cells[0].maxY};
        for (const Box& b : cells) {
            c.minX = std::min(c.minX, b.minX);
            c.maxX = std::max(c.maxX, b.maxX);
            c.minY = std::min(c.minY, b.minY);
            c.maxY = std::max(c.maxY, b.maxY);
        }
        return c;
    }

    static void PutInt(std::uint8_t* p, std::uint64_t v, int bytes) {
        for (int i = bytes - 1; i >= 0; i--, v >>= 8) p[i] = static_cast<std::uint8_t>(v & 0xff);
    }
    static void PutFloat(std::uint8_t* p, float f) {
        std::uint32_t bits;
        std::memcpy(&bits, &f, sizeof bits);
        PutInt(p, bits, 4);
    }

    void WriteNode(std::int64_t node, int depth, const std::vector<Box>& cells, bool leaf) {
        m_blob.assign(static_cast<size_t>(m_nodeSize), 0);
        PutInt(m_blob.data(), static_cast<std::uint64_t>(depth), 2);
        PutInt(m_blob.data() + 2, cells.size(), 2);
        std::uint8_t* p = m_blob.data() + 4;
        for (const Box& b : cells) {
            PutInt(p, static_cast<std::uint64_t>(b.id), 8);
            PutFloat(p + 8, b.minX);
            PutFloat(p + 12, b.maxX);
            PutFloat(p + 16, b.minY);
            PutFloat(p + 20, b.maxY);
            p += 24;
            Statement& link = leaf ? m_rowid : m_parent;
            sqlite3_bind_int64(link.Get(), 1, b.id);
            sqlite3_bind_int64(link.Get(), 2, node);
            link.Run();
        }
        sqlite3_bind_int64(m_node.Get(), 1, node);
        sqlite3_bind_blob(m_node.Get(), 2, m_blob.data(), m_nodeSize, SQLITE_STATIC);
        m_node.Run();
    }

    Statement m_node, m_parent, m_rowid;
    int m_nodeSize;
    size_t m_maxCells;
    bool m_rootIsLeaf;
    std::int64_t m_next = 2;
    std::vector<Box> m_cells;
    std::vector<Box> m_level;  // one box per finished leaf, id = its node
    std::vector<std::uint8_t> m_blob;
};

double ReadDouble(const unsigned char* p, bool little) {
    unsigned char b[8];
    for (int i = 0; i < 8; i++) b[i] = little ? p[i] : p[7 - i];
    double d;
    std::memcpy(&d, b, sizeof d);
    return d;
}

// The box of a GeoPackage geometry blob from its header, or of a point
// from its coordinates. 1: box found; 0: empty geometry; -1: the blob
// needs GDAL to measure it.
int BoxFromBlob(const unsigned char* g, int n, double box[4]) {
    if (n < 8 || g[0] != 'G' || g[1] != 'P') return -1;
    const unsigned flags = g[3];
    if (flags & 0x10) return 0;
    const unsigned envelope = (flags >> 1) & 7;
    const bool little = flags & 1;
    if (envelope >= 1 && envelope <= 4) {
        if (n < 8 + 32) return -1;
        for (int i = 0; i < 4; i++) box[i] = ReadDouble(g + 8 + 8 * i, little);
        return 1;
    }
    if (envelope != 0) return -1;
    // A point: WKB byte order, type, x, y.
    const unsigned char* w = g + 8;
    if (n < 8 + 21) return -1;
    const bool wl = w[0] == 1;
    std::uint32_t type = wl ? (w[1] | w[2] << 8 | w[3] << 16 | std::uint32_t(w[4]) << 24)
                            : (w[4] | w[3] << 8 | w[2] << 16 | std::uint32_t(w[1]) << 24);
    if (type % 1000 != 1 || type > 3001) return -1;
    double x = ReadDouble(w + 5, wl), y = ReadDouble(w + 13, wl);
    if (std::isnan(x) || std::isnan(y)) return 0;
    box[0] = box[1] = x;
    box[2] = box[3] = y;
    return 1;
}

// Every box of the table, in memory up to a limit, the rest in raw runs.
struct Collected {
    std::vector<Box> memory;
    std::vector<std::unique_ptr<RunFile>> raw;
    Extent extent;
    std::int64_t total = 0;
};

Collected Collect(sqlite3* db, const std::string& table, const std::string& fid, const std::string& column,
                  size_t limit) {
    Collected c;
    Statement rows(db, "SELECT " + Quoted(fid) + ", " + Quoted(column) + " FROM " + Quoted(table) + " WHERE " +
                           Quoted(column) + " NOT NULL",
                   table);
    Statement measure(db, "SELECT ST_MinX(?1), ST_MaxX(?1), ST_MinY(?1), ST_MaxY(?1), ST_IsEmpty(?1)", table);
    while (rows.Step()) {
        const auto* g = static_cast<const unsigned char*>(sqlite3_column_blob(rows.Get(), 1));
        const int n = sqlite3_column_bytes(rows.Get(), 1);
        double v[4];
        int found = BoxFromBlob(g, n, v);
        if (found < 0) {
            sqlite3_bind_blob(measure.Get(), 1, g, n, SQLITE_TRANSIENT);
            if (measure.Step() && sqlite3_column_type(measure.Get(), 0) != SQLITE_NULL &&
                sqlite3_column_int(measure.Get(), 4) == 0) {
                for (int i = 0; i < 4; i++) v[i] = sqlite3_column_double(measure.Get(), i);
                found = 1;
            }
            sqlite3_reset(measure.Get());
        }
        if (found != 1) continue;
        Box b{sqlite3_column_int64(rows.Get(), 0), Down(v[0]), Up(v[1]), Down(v[2]), Up(v[3])};
        c.extent.Add(b);
        c.memory.push_back(b);
        c.total++;
        if (c.memory.size() == limit) {
            c.raw.push_back(std::make_unique<RunFile>(table));
            c.raw.back()->Write(c.memory);
            c.memory.clear();
        }
    }
    return c;
}

std::vector<Keyed> Sorted(const std::vector<Box>& boxes, const Extent& extent) {
    std::vector<Keyed> keyed;
    keyed.reserve(boxes.size());
    for (const Box& b : boxes) keyed.push_back({extent.KeyOf(b), b});
    std::sort(keyed.begin(), keyed.end(), Before);
    return keyed;
}

// Feeds every box to the writer in Hilbert order.
void Emit(Collected& c, const std::string& table, size_t limit, TreeWriter& writer) {
    if (c.raw.empty()) {
        for (const Keyed& k : Sorted(c.memory, c.extent)) writer.Add(k.box);
        return;
    }
    // Each raw run (and what is still in memory) becomes a sorted run.
    std::vector<std::unique_ptr<RunFile>> runs;
    auto spillSorted = [&](const std::vector<Box>& boxes) {
        runs.push_back(std::make_unique<RunFile>(table));
        runs.back()->Write(Sorted(boxes, c.extent));
        runs.back()->Rewind();
    };
    if (!c.memory.empty()) spillSorted(c.memory);
    std::vector<Box>().swap(c.memory);
    for (auto& raw : c.raw) {
        raw->Rewind();
        std::vector<Box> boxes;
        raw->Read(boxes, limit);
        raw.reset();
        spillSorted(boxes);
    }
    // A k-way merge, each run read through a small buffer.
    const size_t chunk = std::max<size_t>(1, limit / (4 * runs.size()));
    struct Cursor {
        std::vector<Keyed> buffer;
        size_t next = 0;
    };
    std::vector<Cursor> cursors(runs.size());
    auto refill = [&](size_t i) {
        cursors[i].next = 0;
        return runs[i]->Read(cursors[i].buffer, chunk) > 0;
    };
    auto later = [&](size_t a, size_t b) {
        return Before(cursors[b].buffer[cursors[b].next], cursors[a].buffer[cursors[a].next]);
    };
    std::priority_queue<size_t, std::vector<size_t>, decltype(later)> heap(later);
    for (size_t i = 0; i < runs.size(); i++)
        if (refill(i)) heap.push(i);
    while (!heap.empty()) {
        size_t i = heap.top();
        heap.pop();
        writer.Add(cursors[i].buffer[cursors[i].next].box);
        if (++cursors[i].next < cursors[i].buffer.size() || refill(i)) heap.push(i);
    }
}

// The triggers and extension row GDAL's GeoPackage driver gives an R-tree.
void Register(sqlite3* db, const std::string& table, const std::string& fid, const std::string& column,
              const std::string& rtree) {
    const std::string t = Quoted(table), f = Quoted(fid), c = Quoted(column), r = Quoted(rtree);
    auto trigger = [&](const std::string& suffix) { return "CREATE TRIGGER " + Quoted(rtree + suffix) + " "; };
    const std::string values = " VALUES (NEW." + f + ",ST_MinX(NEW." + c + "), ST_MaxX(NEW." + c + "),ST_MinY(NEW." +
                               c + "), ST_MaxY(NEW." + c + ")); END";
    Exec(db,
         trigger("_insert") + "AFTER INSERT ON " + t + " WHEN (new." + c + " NOT NULL AND NOT ST_IsEmpty(NEW." + c +
             ")) BEGIN INSERT OR REPLACE INTO " + r + values,
         table);
    Exec(db,
         trigger("_update1") + "AFTER UPDATE OF " + c + " ON " + t + " WHEN OLD." + f + " = NEW." + f + " AND (NEW." +
             c + " NOTNULL AND NOT ST_IsEmpty(NEW." + c + ")) BEGIN INSERT OR REPLACE INTO " + r + values,
         table);
    Exec(db,
         trigger("_update2") + "AFTER UPDATE OF " + c + " ON " + t + " WHEN OLD." + f + " = NEW." + f + " AND (NEW." +
             c + " ISNULL OR ST_IsEmpty(NEW." + c + ")) BEGIN DELETE FROM " + r + " WHERE id = OLD." + f + "; END",
         table);
    Exec(db,
         trigger("_update3") + "AFTER UPDATE ON " + t + " WHEN OLD." + f + " != NEW." + f + " AND (NEW." + c +
             " NOTNULL AND NOT ST_IsEmpty(NEW." + c + ")) BEGIN DELETE FROM " + r + " WHERE id = OLD." + f +
             "; INSERT OR REPLACE INTO " + r + values,
         table);
    Exec(db,
         trigger("_update4") + "AFTER UPDATE ON " + t + " WHEN OLD." + f + " != NEW." + f + " AND (NEW." + c +
             " ISNULL OR ST_IsEmpty(NEW." + c + ")) BEGIN DELETE FROM " + r + " WHERE id IN (OLD." + f + ", NEW." +
             f + "); END",
         table);
    Exec(db,
         trigger("_delete") + "AFTER DELETE ON " + t + " WHEN old." + c + " NOT NULL BEGIN DELETE FROM " + r +
             " WHERE id = OLD." + f + "; END",
         table);
    Exec(db,
         "CREATE TABLE IF NOT EXISTS gpkg_extensions (table_name TEXT, column_name TEXT, extension_name TEXT NOT "
         "NULL, definition TEXT NOT NULL, scope TEXT NOT NULL, CONSTRAINT ge_tce UNIQUE (table_name, column_name, "
         "extension_name))",
         table);
    Statement extension(db,
                        "INSERT OR REPLACE INTO gpkg_extensions (table_name, column_name, extension_name, definition, "
                        "scope) VALUES (?, ?, 'gpkg_rtree_index', "
                        "'http://www.geopackage.org/spec120/#extension_rtree', 'write-only')",
                        table);
    sqlite3_bind_text(extension.Get(), 1, table.c_str(), -1, SQLITE_TRANSIENT);
    sqlite3_bind_text(extension.Get(), 2, column.c_str(), -1, SQLITE_TRANSIENT);
    extension.Run();
}

}  // namespace

std::string SdfSpatialIndex::TableName(const std::string& table, const std::string& column) {
    return "rtree_" + table + "_" + column;
}

bool SdfSpatialIndex::Exists(sqlite3* db, const std::string& table, const std::string& column) {
    Statement find(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND lower(name) = lower(?)", table);
    const std::string name = TableName(table, column);
    sqlite3_bind_text(find.Get(), 1, name.c_str(), -1, SQLITE_TRANSIENT);
    return find.Step();
}

void SdfSpatialIndex::Build(sqlite3* db, const std::string& table, const std::string& fidColumn,
                            const std::string& column, size_t memoryBoxes) {
    const std::string rtree = TableName(table, column);
    const size_t limit = std::max<size_t>(memoryBoxes, 64);
    Collected boxes = Collect(db, table, fidColumn, column, limit);

    Exec(db, "CREATE VIRTUAL TABLE " + Quoted(rtree) + " USING rtree(id, minx, maxx, miny, maxy)", table);
    int nodeSize = 0;
    {
        Statement root(db, "SELECT length(data) FROM " + Quoted(rtree + "_node") + " WHERE nodeno = 1", table);
        if (root.Step()) nodeSize = sqlite3_column_int(root.Get(), 0);
    }
    if (boxes.total > 0) {
        TreeWriter writer(db, table, rtree, nodeSize, boxes.total);
        Emit(boxes, table, limit, writer);
        writer.Finish();
    }
    Register(db, table, fidColumn, column, rtree);
}

}  // namespace sdf
