// FdoStringP and the text conversions of the layer.
//
// The UTF-8 and UTF-16 conversions are written out here rather than taken
// from <codecvt> (deprecated) or iconv (locale-dependent): they must never
// fail, so malformed input becomes U+FFFD instead of an error.
#include <Fdo/Common/StringP.h>

#include <cerrno>
#include <climits>
#include <clocale>
#include <cstdarg>
#include <cstdlib>
#include <cwctype>
#include <vector>

FdoString* FdoStringP::mEmptyString = L"";
FdoString* FdoStringP::mNullString = L"(null)";

FdoStringP::FdoStringP() = default;
FdoStringP::FdoStringP(FdoString* wValue, bool) : m_value(wValue ? wValue : L"") {}
FdoStringP::FdoStringP(const char* utf8Value) : m_value(Utf8ToUnicode(utf8Value)) {}
FdoStringP::FdoStringP(const std::wstring& value) : m_value(value) {}
FdoStringP::FdoStringP(const FdoStringP& o) : m_value(o.m_value) {}
FdoStringP::FdoStringP(FdoStringP&& o) noexcept : m_value(std::move(o.m_value)) {}
FdoStringP::~FdoStringP() = default;

FdoStringP& FdoStringP::operator=(const FdoStringP& o) {
    if (this != &o) {
        m_value = o.m_value;
        m_utf8.reset();
    }
    return *this;
}
FdoStringP& FdoStringP::operator=(FdoStringP&& o) noexcept {
    m_value = std::move(o.m_value);
    m_utf8.reset();
    return *this;
}
FdoStringP& FdoStringP::operator=(FdoString* wValue) {
    m_value = wValue ? wValue : L"";  // safe when wValue points into m_value
    m_utf8.reset();
    return *this;
}
FdoStringP& FdoStringP::operator=(const char* utf8Value) {
    m_value = Utf8ToUnicode(utf8Value);
    m_utf8.reset();
    return *this;
}

FdoStringP::operator const char*() const {
    if (!m_utf8) m_utf8 = std::make_unique<std::string>(Utf8FromUnicode(m_value.c_str()));
    return m_utf8->c_str();
}

FdoStringP FdoStringP::operator+(const FdoStringP& o) const { return FdoStringP(m_value + o.m_value); }
FdoStringP FdoStringP::operator+(FdoString* o) const { return FdoStringP(m_value + (o ? o : L"")); }
FdoStringP& FdoStringP::operator+=(const FdoStringP& o) {
    m_value += o.m_value;
    m_utf8.reset();
    return *this;
}
FdoStringP& FdoStringP::operator+=(FdoString* o) {
    if (o) m_value += std::wstring(o);  // copy first: o may point into m_value
    m_utf8.reset();
    return *this;
}

int FdoStringP::ICompare(const FdoStringP& o) const { return wcscasecmp(m_value.c_str(), o.m_value.c_str()); }

FdoStringP FdoStringP::Left(FdoString* delim) const {
    if (!delim || !*delim) return FdoStringP();
    size_t pos = m_value.find(delim);
    return pos == std::wstring::npos ? *this : FdoStringP(m_value.substr(0, pos));
}

FdoStringP FdoStringP::Right(FdoString* delim) const {
    if (!delim || !*delim) return *this;
    size_t pos = m_value.find(delim);
    return pos == std::wstring::npos ? FdoStringP() : FdoStringP(m_value.substr(pos + wcslen(delim)));
}

FdoStringP FdoStringP::Mid(size_t first, size_t count, bool useUTF8) const {
    if (useUTF8) {
        std::string u = Utf8FromUnicode(m_value.c_str());
        if (first >= u.size()) return FdoStringP();
        return FdoStringP(u.substr(first, count).c_str());
    }
    if (first >= m_value.size()) return FdoStringP();
    return FdoStringP(m_value.substr(first, count));
}

FdoStringP FdoStringP::Replace(FdoString* oldValue, FdoString* newValue) const {
    if (!oldValue || !*oldValue) return *this;
    std::wstring out;
    std::wstring from(oldValue), to(newValue ? newValue : L"");
    size_t pos = 0;
    for (;;) {
        size_t hit = m_value.find(from, pos);
        if (hit == std::wstring::npos) break;
        out.append(m_value, pos, hit - pos);
        out += to;
        pos = hit + from.size();
    }
    out.append(m_value, pos, std::wstring::npos);
    return FdoStringP(out);
}

FdoStringP FdoStringP::Upper() const {
    std::wstring s = m_value;
    for (auto& c : s) c = static_cast<wchar_t>(towupper(static_cast<wint_t>(c)));
    return FdoStringP(s);
}

FdoStringP FdoStringP::Lower() const {
    std::wstring s = m_value;
    for (auto& c : s) c = static_cast<wchar_t>(towlower(static_cast<wint_t>(c)));
    return FdoStringP(s);
}

bool FdoStringP::Contains(FdoString* sub) const {
    if (!sub || !*sub) return true;
    return m_value.find(sub) != std::wstring::npos;
}

static wchar_t DecimalPoint() {
    const struct lconv* lc = localeconv();
    return (lc && lc->decimal_point && *lc->decimal_point) ? static_cast<wchar_t>(*lc->decimal_point) : L'.';
}

bool FdoStringP::IsNumber() const {
    const wchar_t point = DecimalPoint();
    size_t i = 0;
    if (i < m_value.size() && (m_value[i] == L'+' || m_value[i] == L'-')) i++;
    bool digit = false, seenPoint = false;
    for (; i < m_value.size(); i++) {
        wchar_t c = m_value[i];
        if (c >= L'0' && c <= L'9') digit = true;
        else if (c == point && !seenPoint) seenPoint = true;
        else return false;
    }
    return digit;
}

// wcstol-style prefix parse with a 0x fallback, as FDO's ToLong does.
static FdoInt64 ParseInteger(const std::wstring& s, FdoInt64 lo, FdoInt64 hi) {
    errno = 0;
    long long v = wcstoll(s.c_str(), nullptr, 10);
    if (v == 0 && s != L"0" && (s.find(L"0x") != std::wstring::npos || s.find(L"0X") != std::wstring::npos)) {
        const wchar_t* p = s.c_str();
        if (*p == L'\\') p++;
        v = wcstoll(p, nullptr, 16);
    }
    if (v < lo) return lo;
    if (v > hi) return hi;
    return v;
}

FdoInt32 FdoStringP::ToLong() const {
    return static_cast<FdoInt32>(ParseInteger(m_value, INT32_MIN, INT32_MAX));
}

FdoInt64 FdoStringP::ToInt64() const { return ParseInteger(m_value, INT64_MIN, INT64_MAX); }

FdoDouble FdoStringP::ToDouble() const { return atof(static_cast<const char*>(*this)); }

FdoBoolean FdoStringP::ToBoolean(FdoBoolean defaultValue) const {
    FdoStringP l = Lower();
    if (l == L"true" || l == L"t" || l == L"yes" || l == L"y" || l == L"1") return true;
    if (l == L"false" || l == L"f" || l == L"no" || l == L"n" || l == L"0") return false;
    return defaultValue;
}

FdoStringP FdoStringP::Format(FdoString* format, ...) {
    if (!format) return FdoStringP();
    std::vector<wchar_t> buf(256);
    // vswprintf reports a short buffer and an encoding error alike (-1), so
    // the buffer grows up to a bound and then gives up rather than loop.
    while (buf.size() <= (size_t{1} << 24)) {
        va_list args;
        va_start(args, format);
        int n = vswprintf(buf.data(), buf.size(), format, args);
        va_end(args);
        if (n >= 0 && static_cast<size_t>(n) < buf.size()) return FdoStringP(std::wstring(buf.data(), static_cast<size_t>(n)));
        buf.resize(buf.size() * 4);
    }
    return FdoStringP();
}

static void AppendUtf8(std::string& out, uint32_t cp) {
    if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string FdoStringP::Utf8FromUnicode(FdoString* value) {
    std::string out;
    if (!value) return out;
    for (const wchar_t* p = value; *p; p++) AppendUtf8(out, static_cast<uint32_t>(*p));
    return out;
}

std::wstring FdoStringP::Utf8ToUnicode(const char* value) {
    std::wstring out;
    if (!value) return out;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(value);
    while (*p) {
        unsigned char c = *p;
        uint32_t cp;
        int extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; }
        else { out += L'\xFFFD'; p++; continue; }
        p++;
        bool ok = true;
        for (int i = 0; i < extra; i++) {
            if ((*p & 0xC0) != 0x80) { ok = false; break; }
            cp = (cp << 6) | (*p & 0x3F);
            p++;
        }
        static const uint32_t minimum[] = {0, 0x80, 0x800, 0x10000};
        if (!ok || cp < minimum[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        out += static_cast<wchar_t>(cp);
    }
    return out;
}

std::u16string FdoStringP::Utf16FromUnicode(FdoString* value) {
    std::u16string out;
    if (!value) return out;
    for (const wchar_t* p = value; *p; p++) {
        uint32_t cp = static_cast<uint32_t>(*p);
        if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
        if (cp < 0x10000) {
            out += static_cast<char16_t>(cp);
        } else {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        }
    }
    return out;
}

std::wstring FdoStringP::Utf16ToUnicode(const char16_t* value) {
    std::wstring out;
    if (!value) return out;
    for (const char16_t* p = value; *p; p++) {
        uint32_t c = *p;
        if (c >= 0xD800 && c <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (static_cast<uint32_t>(p[1]) - 0xDC00);
            p++;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        out += static_cast<wchar_t>(c);
    }
    return out;
}
