// UTF-8 <-> wide conversion for the runner, independent of the C locale so
// that file names and messages pass through whatever the terminal is set to.
#include "ConsoleText.h"

namespace gxfcmd {

namespace {
constexpr wchar_t kReplacement = 0xFFFD;

// Length of the sequence a lead byte starts, 0 when it cannot start one.
int SequenceLength(unsigned char lead) {
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) return 2;
    if (lead >= 0xE0 && lead <= 0xEF) return 3;
    if (lead >= 0xF0 && lead <= 0xF4) return 4;
    return 0;
}
}  // namespace

std::wstring FromUtf8(const char* text) {
    std::wstring out;
    if (!text) return out;
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        const int length = SequenceLength(*p);
        if (length == 0) {
            out += kReplacement;
            p++;
            continue;
        }
        if (length == 1) {
            out += static_cast<wchar_t>(*p++);
            continue;
        }
        char32_t code = *p & (0xFF >> (length + 1));
        int i = 1;
        for (; i < length && (p[i] & 0xC0) == 0x80; i++) code = (code << 6) | (p[i] & 0x3F);
        const bool complete = i == length;
        const bool valid = complete && !(length == 3 && code < 0x800) && !(length == 4 && code < 0x10000) &&
                           code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
        out += valid ? static_cast<wchar_t>(code) : kReplacement;
        p += complete ? length : i;
    }
    return out;
}

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t wc : text) {
        auto c = static_cast<char32_t>(wc);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = kReplacement;
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

void Write(FILE* stream, const std::wstring& text) {
    const std::string bytes = ToUtf8(text);
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

}  // namespace gxfcmd
