// Name encoding (see Fdo/Xml/XmlNames.h). Validity of a character follows
// Xerces' own XML 1.0 NCName tables, so whatever we write, Xerces reads.
#include <Fdo/Xml/XmlNames.h>

#include <algorithm>

#include <xercesc/util/XMLChar.hpp>

XERCES_CPP_NAMESPACE_USE

namespace {

bool IsHex(wchar_t c) { return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'); }

// Length of an "x<hex>-" run starting at s[i] (the part after '-' or '_'),
// with its value; 0 when there is none.
size_t HexRun(const std::wstring& s, size_t i, unsigned long& value) {
    if (i >= s.size() || s[i] != L'x') return 0;
    size_t j = i + 1;
    value = 0;
    while (j < s.size() && IsHex(s[j]) && j - i <= 6) {
        int digit = s[j] <= L'9' ? s[j] - L'0' : (s[j] | 0x20) - L'a' + 10;
        value = value * 16 + static_cast<unsigned long>(digit);
        j++;
    }
    if (j == i + 1 || j >= s.size() || s[j] != L'-') return 0;
    if (value == 0 || value > 0x10FFFF) return 0;
    return j - i + 1;
}

bool StartsWith(const std::wstring& s, size_t i, const wchar_t* what) { return s.compare(i, wcslen(what), what) == 0; }

bool ValidNameChar(wchar_t c, bool first) {
    if (c <= 0 || c > 0xFFFF || (c >= 0xD800 && c <= 0xDFFF)) return false;
    XMLCh x = static_cast<XMLCh>(c);
    return first ? XMLChar1_0::isFirstNCNameChar(x) : XMLChar1_0::isNCNameChar(x);
}

void AppendHex(std::wstring& out, wchar_t lead, unsigned long c) {
    wchar_t buf[16];
    swprintf(buf, 16, L"%lcx%lx-", lead, c);
    out += buf;
}

}  // namespace

// A literal '-' (or a leading '_') must be escaped when the text written
// after it would make the decoder see a pattern. What is written after it
// depends on how the following characters are encoded, so the name is
// encoded from its end: `tail` holds the output so far, reversed.
FdoStringP FdoXmlNames::Encode(FdoString* name) {
    std::wstring s(name ? name : L"");
    std::wstring tail;
    auto startsPattern = [&tail]() {
        std::wstring head(tail.rbegin(), tail.rbegin() + std::min<size_t>(tail.size(), 9));
        unsigned long v;
        return HexRun(head, 0, v) > 0 || StartsWith(head, 0, L"dot-") || StartsWith(head, 0, L"colon-");
    };
    auto emit = [&tail](const std::wstring& token) { tail.append(token.rbegin(), token.rend()); };
    for (size_t k = s.size(); k-- > 0;) {
        wchar_t c = s[k];
        bool first = k == 0;
        if (c == L'.') {
            emit(L"-dot-");
        } else if (c == L':') {
            emit(L"-colon-");
        } else if (c == L'-' && !first) {
            emit(startsPattern() ? L"-x2d-" : L"-");
        } else if (c == L'_' && first) {
            unsigned long v;
            std::wstring head(tail.rbegin(), tail.rbegin() + std::min<size_t>(tail.size(), 9));
            emit(HexRun(head, 0, v) ? L"_x5f-" : L"_");
        } else if (ValidNameChar(c, first)) {
            emit(std::wstring(1, c));
        } else {
            std::wstring escaped;
            AppendHex(escaped, first ? L'_' : L'-', static_cast<unsigned long>(c));
            emit(escaped);
        }
    }
    return FdoStringP(std::wstring(tail.rbegin(), tail.rend()));
}

FdoStringP FdoXmlNames::Decode(FdoString* xmlName) {
    std::wstring s(xmlName ? xmlName : L"");
    std::wstring out;
    unsigned long v = 0;
    size_t i = 0;
    if (!s.empty() && s[0] == L'_') {
        if (size_t n = HexRun(s, 1, v)) {
            out += static_cast<wchar_t>(v);
            i = 1 + n;
        }
    }
    while (i < s.size()) {
        if (s[i] == L'-') {
            if (size_t n = HexRun(s, i + 1, v)) {
                out += static_cast<wchar_t>(v);
                i += 1 + n;
                continue;
            }
            if (StartsWith(s, i, L"-dot-")) {
                out += L'.';
                i += 5;
                continue;
            }
            if (StartsWith(s, i, L"-colon-")) {
                out += L':';
                i += 7;
                continue;
            }
        }
        out += s[i++];
    }
    return FdoStringP(out);
}
