// Text as an SDF 3 file stores it: UTF-8 written one UTF-16 unit at a
// time, so a character outside the basic plane arrives as two three-byte
// surrogate sequences (CESU-8). Both that form and ordinary four-byte
// UTF-8 decode to the one character; bytes that are no UTF-8 at all become
// U+FFFD rather than being dropped or misread.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace sdf3 {

std::wstring DecodeText(const uint8_t* bytes, size_t count);

}  // namespace sdf3
