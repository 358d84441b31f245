// PageFile: the pages of an SDF 3 file (a SQLite 3 b-tree file whose page
// size, 51200 in every file FDO wrote, stock SQLite refuses).
//
// Open checks the 100-byte header (magic text, page size, reserved bytes,
// payload fractions) and reads pages on demand with pread, keeping a
// bounded cache, so a large file costs neither its size in memory nor a
// mapping that a truncation elsewhere could turn into a crash. Every page
// number is checked against the file's length before it is read; a page
// that the file ends inside of is an error, never padded.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace sdf3 {

struct Page {
    uint32_t number = 0;
    std::vector<uint8_t> bytes;  // the whole page
    size_t headerOffset = 0;     // 100 on page 1, where the file header comes first
};
using PagePtr = std::shared_ptr<const Page>;

class PageFile {
public:
    // Throws FdoException naming the file when it cannot be opened or its
    // header is not that of a b-tree file the reader understands.
    static std::unique_ptr<PageFile> Open(const std::wstring& path);
    // The same over bytes in memory (tests, the fuzz target); name is used in messages.
    static std::unique_ptr<PageFile> FromBytes(const std::wstring& name, std::vector<uint8_t> bytes);
    // True when the file starts with a SQLite 3 header whose page size is
    // not a power of two: the mark of a genuine SDF 3 file. Never throws.
    static bool IsSdf3File(const std::wstring& path);

    ~PageFile();
    PageFile(const PageFile&) = delete;
    PageFile& operator=(const PageFile&) = delete;

    const std::wstring& Name() const { return m_name; }
    uint32_t PageSize() const { return m_pageSize; }
    uint32_t UsableSize() const { return m_usable; }
    uint32_t PageCount() const { return m_pageCount; }
    // Page n (1-based); throws when n is 0 or past the end of the file.
    PagePtr Get(uint32_t n);

private:
    PageFile(std::wstring name, int fd, std::vector<uint8_t> memory, uint64_t size);
    void ReadHeader();
    void ReadAt(uint64_t offset, uint8_t* out, size_t n);

    std::wstring m_name;
    int m_fd = -1;
    std::vector<uint8_t> m_memory;  // used when m_fd < 0
    uint64_t m_size = 0;
    uint32_t m_pageSize = 0;
    uint32_t m_usable = 0;
    uint32_t m_pageCount = 0;
    std::unordered_map<uint32_t, PagePtr> m_cache;
};

}  // namespace sdf3
