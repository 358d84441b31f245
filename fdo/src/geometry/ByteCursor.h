// Bounds-checked reading and plain appending of geometry bytes.
//
// Every FGF and WKB reader in this folder walks its input through ByteCursor,
// so a truncated or hostile buffer ends in an FdoException rather than a
// read past the end. Counts are checked against the bytes left before
// anything is allocated for them, and nesting is bounded by the callers.
// FGF is in host byte order; the layer is built for little-endian hosts,
// which is what lets WKB (written little-endian) share position blocks
// with FGF byte for byte.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/Exception.h>

#include <bit>
#include <cstring>
#include <string>
#include <vector>

static_assert(std::endian::native == std::endian::little, "FGF and WKB code assumes a little-endian host");

namespace fdogeom {

constexpr int kMaxNestingDepth = 32;

// Doubles per position for an FdoDimensionality mask.
inline int Stride(FdoInt32 dim) { return 2 + (dim & 1) + ((dim >> 1) & 1); }

class ByteCursor {
public:
    ByteCursor(const FdoByte* data, size_t size, const wchar_t* format)
        : m_data(data), m_size(data ? size : 0), m_format(format) {}

    const FdoByte* Take(size_t n) {
        if (n > m_size - m_pos) Truncated(n);
        const FdoByte* p = m_data + m_pos;
        m_pos += n;
        return p;
    }
    FdoByte Byte() { return *Take(1); }
    FdoUInt32 UInt32() {
        FdoUInt32 v;
        std::memcpy(&v, Take(4), 4);
        return m_swap ? __builtin_bswap32(v) : v;
    }
    FdoInt32 Int32() { return static_cast<FdoInt32>(UInt32()); }
    FdoDouble Double() {
        FdoUInt64 v;
        std::memcpy(&v, Take(8), 8);
        if (m_swap) v = __builtin_bswap64(v);
        return std::bit_cast<FdoDouble>(v);
    }

    // A count of items that each need at least minItemBytes of the input.
    FdoInt32 Count(size_t minItemBytes, const wchar_t* what, FdoInt32 atLeast = 0);
    // An FGF dimensionality word (0..3).
    FdoInt32 Dim();

    void SetSwap(bool swap) { m_swap = swap; }
    bool Swap() const { return m_swap; }
    size_t Offset() const { return m_pos; }
    void ExpectEnd() const;

    [[noreturn]] void Fail(const std::wstring& why, size_t at) const;
    [[noreturn]] void Fail(const std::wstring& why) const { Fail(why, m_pos); }

private:
    [[noreturn]] void Truncated(size_t n) const;

    const FdoByte* m_data;
    size_t m_size;
    size_t m_pos = 0;
    bool m_swap = false;
    const wchar_t* m_format;
};

using Bytes = std::vector<FdoByte>;

inline void PutUInt32(Bytes& out, FdoUInt32 v) {
    FdoByte b[4];
    std::memcpy(b, &v, 4);
    out.insert(out.end(), b, b + 4);
}
inline void PutInt32(Bytes& out, FdoInt32 v) { PutUInt32(out, static_cast<FdoUInt32>(v)); }
inline void PutDouble(Bytes& out, FdoDouble v) {
    FdoByte b[8];
    std::memcpy(b, &v, 8);
    out.insert(out.end(), b, b + 8);
}
inline void PutBytes(Bytes& out, const FdoByte* p, size_t n) { out.insert(out.end(), p, p + n); }
inline void PatchInt32(Bytes& out, size_t at, FdoInt32 v) { std::memcpy(out.data() + at, &v, 4); }
inline FdoInt32 PeekInt32(const FdoByte* p) {
    FdoInt32 v;
    std::memcpy(&v, p, 4);
    return v;
}

// The kind every part of an FGF aggregate must have; 0 when any kind goes,
// -1 when the code is not an aggregate.
FdoInt32 FgfPartType(FdoInt32 aggregateType);
bool IsFgfAggregate(FdoInt32 type);
const wchar_t* FgfTypeName(FdoInt32 type);

}  // namespace fdogeom
