// See Sdf3PageFile.h. Header fields: SQLite's file format, section 1.3.
#include "Sdf3PageFile.h"

#include "Sdf3Bytes.h"

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sdf3 {

namespace {

constexpr char kMagic[16] = "SQLite format 3";  // with its NUL: 16 bytes
constexpr size_t kHeaderSize = 100;
constexpr size_t kCachePages = 128;

std::string PathBytes(const std::wstring& path) { return FdoStringP::Utf8FromUnicode(path.c_str()); }

uint32_t PageSizeField(const uint8_t* header) {
    uint32_t v = Big16(header + 16);
    return v == 1 ? 65536 : v;
}

bool PowerOfTwo(uint32_t v) { return v && !(v & (v - 1)); }

}  // namespace

PageFile::PageFile(std::wstring name, int fd, std::vector<uint8_t> memory, uint64_t size)
    : m_name(std::move(name)), m_fd(fd), m_memory(std::move(memory)), m_size(size) {}

PageFile::~PageFile() {
    if (m_fd >= 0) ::close(m_fd);
}

bool PageFile::IsSdf3File(const std::wstring& path) {
    int fd = ::open(PathBytes(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return false;
    uint8_t header[kHeaderSize] = {};
    ssize_t n = ::pread(fd, header, sizeof header, 0);
    ::close(fd);
    return n == static_cast<ssize_t>(sizeof header) && std::memcmp(header, kMagic, sizeof kMagic) == 0 &&
           !PowerOfTwo(PageSizeField(header));
}

std::unique_ptr<PageFile> PageFile::Open(const std::wstring& path) {
    int fd = ::open(PathBytes(path).c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) Failf(path, L"the file cannot be opened (%hs)", std::strerror(errno));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        Fail(path, L"it is not a regular file");
    }
    std::unique_ptr<PageFile> file(new PageFile(path, fd, {}, static_cast<uint64_t>(st.st_size)));
    file->ReadHeader();
    return file;
}

std::unique_ptr<PageFile> PageFile::FromBytes(const std::wstring& name, std::vector<uint8_t> bytes) {
    uint64_t size = bytes.size();
    std::unique_ptr<PageFile> file(new PageFile(name, -1, std::move(bytes), size));
    file->ReadHeader();
    return file;
}

void PageFile::ReadAt(uint64_t offset, uint8_t* out, size_t n) {
    if (offset > m_size || n > m_size - offset)
        Failf(m_name, L"the file ends at byte %llu, before byte %llu", static_cast<unsigned long long>(m_size),
              static_cast<unsigned long long>(offset + n));
    if (m_fd < 0) {
        std::memcpy(out, m_memory.data() + offset, n);
        return;
    }
    size_t done = 0;
    while (done < n) {
        ssize_t got = ::pread(m_fd, out + done, n - done, static_cast<off_t>(offset + done));
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) Failf(m_name, L"reading byte %llu failed", static_cast<unsigned long long>(offset + done));
        done += static_cast<size_t>(got);
    }
}

void PageFile::ReadHeader() {
    uint8_t h[kHeaderSize];
    if (m_size < kHeaderSize) Fail(m_name, L"it is shorter than a file header");
    ReadAt(0, h, sizeof h);
    if (std::memcmp(h, kMagic, sizeof kMagic) != 0) Fail(m_name, L"it does not start with a SQLite 3 file header");
    m_pageSize = PageSizeField(h);
    if (m_pageSize < 512 || m_pageSize % 512 != 0)
        Failf(m_name, L"the page size %u is not a multiple of 512", m_pageSize);
    uint32_t reserved = h[20];
    m_usable = m_pageSize - reserved;
    if (m_usable < 480) Failf(m_name, L"%u reserved bytes leave too little of each page", reserved);
    if (h[21] != 64 || h[22] != 32 || h[23] != 32)
        Failf(m_name, L"the payload fractions %u/%u/%u are not 64/32/32", h[21], h[22], h[23]);
    uint64_t pages = m_size / m_pageSize;
    if (pages == 0) Fail(m_name, L"it holds no complete page");
    if (pages > 0x7fffffffu) Fail(m_name, L"it holds more pages than the format allows");
    m_pageCount = static_cast<uint32_t>(pages);
}

PagePtr PageFile::Get(uint32_t n) {
    if (n == 0 || n > m_pageCount)
        Failf(m_name, L"page %u is referenced, but the file holds pages 1 to %u", n, m_pageCount);
    auto it = m_cache.find(n);
    if (it != m_cache.end()) return it->second;
    auto page = std::make_shared<Page>();
    page->number = n;
    page->headerOffset = n == 1 ? kHeaderSize : 0;
    page->bytes.resize(m_pageSize);
    ReadAt(static_cast<uint64_t>(n - 1) * m_pageSize, page->bytes.data(), m_pageSize);
    if (m_cache.size() >= kCachePages) m_cache.clear();
    m_cache.emplace(n, page);
    return page;
}

}  // namespace sdf3
