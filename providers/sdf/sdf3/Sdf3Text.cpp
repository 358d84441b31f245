// See Sdf3Text.h.
#include "Sdf3Text.h"

#include "Sdf3Bytes.h"

namespace sdf3 {

namespace {

constexpr wchar_t kReplacement = 0xFFFD;

// One UTF-8 sequence at p (at most n bytes); 0 when malformed.
size_t Sequence(const uint8_t* p, size_t n, uint32_t& cp) {
    uint8_t b = p[0];
    size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 0;
    if (len == 0 || len > n) return 0;
    if (len == 1) {
        cp = b;
        return 1;
    }
    cp = b & (0xFF >> (len + 1));
    for (size_t i = 1; i < len; i++) {
        if ((p[i] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (p[i] & 0x3F);
    }
    static const uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[len] || cp > 0x10FFFF) return 0;
    return len;
}

}  // namespace

std::wstring DecodeText(const uint8_t* bytes, size_t count) {
    std::wstring out;
    out.reserve(count);
    size_t i = 0;
    while (i < count) {
        uint32_t cp = 0;
        size_t len = Sequence(bytes + i, count - i, cp);
        if (len == 0) {
            out.push_back(kReplacement);
            i++;
            continue;
        }
        i += len;
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            uint32_t low = 0;
            size_t next = i < count ? Sequence(bytes + i, count - i, low) : 0;
            if (next && low >= 0xDC00 && low <= 0xDFFF) {
                out.push_back(static_cast<wchar_t>(0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00)));
                i += next;
            } else {
                out.push_back(kReplacement);
            }
        } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
            out.push_back(kReplacement);
        } else {
            out.push_back(static_cast<wchar_t>(cp));
        }
    }
    return out;
}

std::wstring LittleReader::String() {
    uint32_t n = U32();
    if (n == 0) return {};
    const uint8_t* p = Take(n);
    size_t len = n;
    if (p[len - 1] == 0) len--;  // the trailing NUL
    return DecodeText(p, len);
}

}  // namespace sdf3
