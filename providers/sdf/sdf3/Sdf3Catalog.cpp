// See Sdf3Catalog.h. Record format: SQLite's file format, section 2.1.
#include "Sdf3Catalog.h"

#include "Sdf3BTree.h"
#include "Sdf3Bytes.h"
#include "Sdf3Text.h"

namespace sdf3 {

std::vector<RecordValue> DecodeRecord(const std::vector<uint8_t>& payload, const std::wstring& file,
                                      const std::wstring& table) {
    auto bad = [&](FdoString* what) { Failf(file, L"a record of %ls %ls", table.c_str(), what); };
    const uint8_t* begin = payload.data();
    const uint8_t* end = begin + payload.size();
    uint64_t headerSize = 0;
    size_t n = payload.empty() ? 0 : ReadVarint(begin, end, headerSize);
    if (n == 0 || headerSize < n || headerSize > payload.size()) bad(L"has a broken header");
    const uint8_t* type = begin + n;
    const uint8_t* headerEnd = begin + headerSize;
    const uint8_t* body = headerEnd;
    std::vector<RecordValue> values;
    while (type < headerEnd) {
        uint64_t serial = 0;
        size_t used = ReadVarint(type, headerEnd, serial);
        if (used == 0) bad(L"has a broken header");
        type += used;
        RecordValue v;
        static const size_t kIntBytes[] = {0, 1, 2, 3, 4, 6, 8};
        size_t size = serial <= 6 ? kIntBytes[serial] : serial == 7 ? 8 : serial >= 12 ? (serial - 12) / 2 : 0;
        if (serial == 10 || serial == 11) bad(L"uses a reserved serial type");
        if (size > static_cast<size_t>(end - body)) bad(L"runs past its end");
        if (serial >= 1 && serial <= 6) {
            uint64_t u = (body[0] & 0x80) ? ~uint64_t(0) : 0;
            for (size_t i = 0; i < size; i++) u = (u << 8) | body[i];
            v.kind = RecordValue::Integer;
            v.integer = static_cast<int64_t>(u);
        } else if (serial == 7) {
            uint64_t u = 0;
            for (size_t i = 0; i < 8; i++) u = (u << 8) | body[i];
            std::memcpy(&v.real, &u, 8);
            v.kind = RecordValue::Real;
        } else if (serial == 8 || serial == 9) {
            v.kind = RecordValue::Integer;
            v.integer = serial == 9;
        } else if (serial >= 12) {
            v.kind = serial % 2 ? RecordValue::Text : RecordValue::Blob;
            v.bytes.assign(reinterpret_cast<const char*>(body), size);
        }
        body += size;
        values.push_back(std::move(v));
    }
    return values;
}

namespace {

// Reads (name, rootpage) pairs at the given columns of every row.
void ReadTable(PageFile& file, uint32_t root, const std::wstring& table, size_t nameColumn, size_t rootColumn,
               const std::string* typeFilter, std::map<std::string, uint32_t>& out) {
    BTreeCursor cursor(file, root, table);
    Entry entry;
    while (cursor.Next(entry)) {
        std::vector<RecordValue> row = DecodeRecord(entry.payload, file.Name(), table);
        if (row.size() <= std::max(nameColumn, rootColumn)) Failf(file.Name(), L"a row of %ls is too short", table.c_str());
        if (typeFilter && (row[0].kind != RecordValue::Text || row[0].bytes != *typeFilter)) continue;
        const RecordValue& name = row[nameColumn];
        const RecordValue& page = row[rootColumn];
        if (name.kind != RecordValue::Text || page.kind != RecordValue::Integer)
            Failf(file.Name(), L"%ls lists a table without a name or root page", table.c_str());
        if (page.integer <= 0 || page.integer > file.PageCount())
            Failf(file.Name(), L"%ls lists the table '%ls' at page %lld, outside the file's %u pages", table.c_str(),
                  DecodeText(reinterpret_cast<const uint8_t*>(name.bytes.data()), name.bytes.size()).c_str(), static_cast<long long>(page.integer), file.PageCount());
        out[name.bytes] = static_cast<uint32_t>(page.integer);
    }
}

}  // namespace

Catalog Catalog::Read(PageFile& file) {
    Catalog catalog;
    const std::string table = "table";
    ReadTable(file, 1, L"sqlite_master", 1, 3, &table, catalog.m_master);
    if (auto fdo = catalog.Root("fdo_master")) ReadTable(file, *fdo, L"fdo_master", 0, 1, nullptr, catalog.m_fdo);
    return catalog;
}

std::optional<uint32_t> Catalog::Root(const std::string& name) const {
    if (auto it = m_master.find(name); it != m_master.end()) return it->second;
    if (auto it = m_fdo.find(name); it != m_fdo.end()) return it->second;
    return std::nullopt;
}

std::vector<std::string> Catalog::NamesStartingWith(const std::string& prefix) const {
    std::vector<std::string> names;
    for (const auto* map : {&m_master, &m_fdo})
        for (const auto& [name, root] : *map)
            if (name.compare(0, prefix.size(), prefix) == 0) names.push_back(name);
    return names;
}

}  // namespace sdf3
