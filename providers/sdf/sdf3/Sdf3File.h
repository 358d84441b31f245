// Sdf3File: an open SDF 3 file as the provider sees it: its pages, its
// catalogue, its decoded schema records and, per class, the b-trees that
// hold its features and its spatial index.
//
// A class's tables are named DATA_/RTREE_ plus its (root) class name
// mangled: ':' becomes '_', a blank '$', other punctuation some letter or
// digit. The tables are found by matching names under that rule (letters,
// digits and '_' exactly, other punctuation against any letter or digit);
// when that leaves no single candidate and the file has one table of the
// kind, that table is the class's. A subclass shares its base class's
// tables. A hot journal beside the file means a write was cut short: the
// file is refused rather than read half way through a transaction.
#pragma once

#include "Sdf3Catalog.h"
#include "Sdf3PageFile.h"
#include "Sdf3SchemaRecords.h"

#include <memory>
#include <optional>

namespace sdf3 {

class Sdf3File {
public:
    // Throws FdoException naming the file when it cannot be read.
    static std::unique_ptr<Sdf3File> Open(const std::wstring& path);
    static std::unique_ptr<Sdf3File> FromPages(std::unique_ptr<PageFile> pages);

    PageFile& Pages() { return *m_pages; }
    const std::wstring& Name() const { return m_pages->Name(); }
    const SchemaRecords& Schema() const { return m_schema; }

    // The class id (FCID) of a class, by name; -1 when there is none.
    int ClassId(const std::wstring& className) const;
    // The chain from the root class down to the class (FCIDs), checked for cycles.
    std::vector<int> Lineage(int classId) const;
    // Root page of the class's DATA_ table (its root class's); throws when missing.
    uint32_t DataRoot(int classId) const;
    // Root page of the class's RTREE_ table, when it has one.
    std::optional<uint32_t> RTreeRoot(int classId) const;

    // The mangled table-name part for a class name (exposed for tests).
    static std::string MangledName(const std::wstring& className);

private:
    explicit Sdf3File(std::unique_ptr<PageFile> pages);
    std::optional<uint32_t> FindTable(const std::string& prefix, int classId) const;

    std::unique_ptr<PageFile> m_pages;
    Catalog m_catalog;
    SchemaRecords m_schema;
};

}  // namespace sdf3
