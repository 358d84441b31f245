// Catalog: where the b-trees of an SDF 3 file start.
//
// Page 1 is an ordinary sqlite_master table (SQLite records); FDO lists
// its own b-trees that are no SQL tables (the KEY_ trees) in a table
// fdo_master(name, rootpage). A name is looked up in sqlite_master first,
// then in fdo_master.
#pragma once

#include "Sdf3PageFile.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace sdf3 {

// One value of a SQLite record: null, integer, real, text or blob.
struct RecordValue {
    enum Kind { Null, Integer, Real, Text, Blob } kind = Null;
    int64_t integer = 0;
    double real = 0;
    std::string bytes;  // text (UTF-8) or blob
};

// Decodes a SQLite record (header of serial types, then the values);
// throws naming the file and table when it is malformed.
std::vector<RecordValue> DecodeRecord(const std::vector<uint8_t>& payload, const std::wstring& file,
                                      const std::wstring& table);

class Catalog {
public:
    static Catalog Read(PageFile& file);

    // The root page of the named b-tree, if the file lists it.
    std::optional<uint32_t> Root(const std::string& name) const;
    // Every table whose name starts with prefix, in name order.
    std::vector<std::string> NamesStartingWith(const std::string& prefix) const;

private:
    std::map<std::string, uint32_t> m_master;
    std::map<std::string, uint32_t> m_fdo;
};

}  // namespace sdf3
