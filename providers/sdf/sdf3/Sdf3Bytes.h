// Bounds-checked reading of the two byte orders an SDF 3 file mixes: the
// b-tree layer's big-endian integers and varints, and FDO's own
// little-endian values inside the cells.
//
// LittleReader walks one cell's bytes; every read checks what is left and
// fails with the file name and the part being read (`what`), so a decoder
// never needs its own length arithmetic.
#pragma once

#include "Sdf3Error.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace sdf3 {

inline uint16_t Big16(const uint8_t* p) { return static_cast<uint16_t>((p[0] << 8) | p[1]); }
inline uint32_t Big32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

// SQLite's varint (1 to 9 bytes, big-endian groups of 7 bits, the ninth
// byte whole). Returns the bytes used, 0 when it runs past end.
inline size_t ReadVarint(const uint8_t* p, const uint8_t* end, uint64_t& value) {
    value = 0;
    for (size_t i = 0; i < 9; i++) {
        if (p + i >= end) return 0;
        if (i == 8) {
            value = (value << 8) | p[i];
            return 9;
        }
        value = (value << 7) | (p[i] & 0x7f);
        if (!(p[i] & 0x80)) return i + 1;
    }
    return 0;
}

class LittleReader {
public:
    LittleReader(const uint8_t* data, size_t size, const std::wstring& file, std::wstring what)
        : m_data(data), m_size(size), m_file(file), m_what(std::move(what)) {}

    size_t Offset() const { return m_at; }
    size_t Left() const { return m_size - m_at; }
    const uint8_t* Take(size_t n) {
        if (n > Left())
            Failf(m_file, L"%ls ends after %zu bytes where %zu more were expected", m_what.c_str(), m_size,
                  n - Left());
        const uint8_t* p = m_data + m_at;
        m_at += n;
        return p;
    }
    uint8_t U8() { return *Take(1); }
    template <class T>
    T Get() {
        T v;
        std::memcpy(&v, Take(sizeof v), sizeof v);  // the file and this machine are both little-endian
        return v;
    }
    int32_t I32() { return Get<int32_t>(); }
    uint32_t U32() { return Get<uint32_t>(); }
    double F64() { return Get<double>(); }
    // FDO's string: uint32 byte length (trailing NUL included), then UTF-8.
    std::wstring String();
    [[noreturn]] void Bad(const std::wstring& detail) { Failf(m_file, L"%ls: %ls", m_what.c_str(), detail.c_str()); }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_at = 0;
    const std::wstring& m_file;
    std::wstring m_what;
};

}  // namespace sdf3
