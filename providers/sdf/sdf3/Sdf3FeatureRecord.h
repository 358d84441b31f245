// One feature record of a DATA_ table: uint16 class id (FCID), one int32
// offset per property of that class (base-class properties first), then
// the values. A value runs from its offset to the next one (the last to
// the record's end); an empty value is null. Offsets are checked to lie in
// the record and to run forwards before any value is looked at.
//
// The value decoders take a value's bytes and say whether they have the
// size of their type; the caller, who knows the class, property and
// record, reports a mismatch.
#pragma once

#include <Fdo.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace sdf3 {

class FeatureRecord {
public:
    // The class id, or -1 when the record is too short to hold one.
    static int ClassId(const std::vector<uint8_t>& bytes);
    // Cuts the record into `count` values; throws naming the file, class
    // and record number when an offset is out of place.
    void Parse(const std::vector<uint8_t>* bytes, size_t count, int64_t record, const std::wstring& file,
               const std::wstring& className);

    size_t Count() const { return m_offsets.size(); }
    const uint8_t* Data(size_t i) const { return m_bytes->data() + m_offsets[i]; }
    size_t Size(size_t i) const { return m_sizes[i]; }

private:
    const std::vector<uint8_t>* m_bytes = nullptr;
    std::vector<uint32_t> m_offsets;
    std::vector<uint32_t> m_sizes;
};

// Fixed-size little-endian values (Boolean, Byte, Int16/32/64, Single, Double).
template <class T>
bool DecodeFixed(const uint8_t* p, size_t n, T& out) {
    if (n != sizeof(T)) return false;
    std::memcpy(&out, p, sizeof(T));
    return true;
}
// int16 year, signed bytes month, day, hour, minute (-1 unused), float32 seconds.
bool DecodeDateTime(const uint8_t* p, size_t n, FdoDateTime& out);
// Raw UTF-8 (CESU-8 style) with a trailing NUL; an empty string is the NUL alone.
bool DecodeString(const uint8_t* p, size_t n, std::wstring& out);
// The length of the FGF geometry at p, read by its own structure (files
// store bytes after it); 0 when the bytes are no complete FGF geometry.
size_t FgfLength(const uint8_t* p, size_t n);

}  // namespace sdf3
