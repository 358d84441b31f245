// FdoStringP: the wide string value class used for every text field.
//
// A null pointer and the empty string are the same value. The class also owns
// the one UTF-8 <-> wide conversion of the layer: GDAL, SQLite and Xerces
// speak UTF-8 or UTF-16, while FdoString is UTF-32 on Linux.
#pragma once

#include <Fdo/Common/Std.h>

#include <memory>
#include <string>

class FDO_API FdoStringP {
public:
    static FdoString* mEmptyString;  // L""
    static FdoString* mNullString;   // L"(null)"

    FdoStringP();
    // attach is accepted for compatibility; the text is always copied.
    FdoStringP(FdoString* wValue, bool attach = false);
    FdoStringP(const char* utf8Value);
    FdoStringP(const std::wstring& value);
    FdoStringP(const FdoStringP& o);
    FdoStringP(FdoStringP&& o) noexcept;
    ~FdoStringP();

    FdoStringP& operator=(const FdoStringP& o);
    FdoStringP& operator=(FdoStringP&& o) noexcept;
    FdoStringP& operator=(FdoString* wValue);
    FdoStringP& operator=(const char* utf8Value);

    operator FdoString*() const { return m_value.c_str(); }
    // Borrowed UTF-8 text, valid until the string changes.
    operator const char*() const;
    const std::wstring& Str() const { return m_value; }

    size_t GetLength() const { return m_value.size(); }
    bool IsEmpty() const { return m_value.empty(); }

    FdoStringP operator+(const FdoStringP& o) const;
    FdoStringP operator+(FdoString* o) const;
    FdoStringP& operator+=(const FdoStringP& o);
    FdoStringP& operator+=(FdoString* o);

    // Case-sensitive comparisons.
    bool operator==(const FdoStringP& o) const { return m_value == o.m_value; }
    bool operator==(FdoString* o) const { return m_value == (o ? o : L""); }
    bool operator!=(const FdoStringP& o) const { return !(*this == o); }
    bool operator!=(FdoString* o) const { return !(*this == o); }
    bool operator<(const FdoStringP& o) const { return m_value < o.m_value; }
    bool operator<=(const FdoStringP& o) const { return m_value <= o.m_value; }
    bool operator>(const FdoStringP& o) const { return m_value > o.m_value; }
    bool operator>=(const FdoStringP& o) const { return m_value >= o.m_value; }
    // Case-insensitive comparison: <0, 0 or >0.
    int ICompare(const FdoStringP& o) const;

    // Text before the first occurrence of delim; the whole string when delim
    // is absent; empty when delim is null or empty.
    FdoStringP Left(FdoString* delim = nullptr) const;
    // Text after the first occurrence of delim; empty when absent; the whole
    // string when delim is null or empty.
    FdoStringP Right(FdoString* delim = nullptr) const;
    FdoStringP Mid(size_t first, size_t count, bool useUTF8 = false) const;
    FdoStringP Replace(FdoString* oldValue, FdoString* newValue) const;
    FdoStringP Upper() const;
    FdoStringP Lower() const;
    bool Contains(FdoString* sub) const;

    bool IsNumber() const;
    FdoInt32 ToLong() const;
    FdoInt64 ToInt64() const;
    FdoDouble ToDouble() const;
    FdoBoolean ToBoolean(FdoBoolean defaultValue = false) const;

    // vswprintf formatting (use %ls for wide strings); a null format gives L"".
    static FdoStringP Format(FdoString* format, ...);

    static std::string Utf8FromUnicode(FdoString* value);
    static std::wstring Utf8ToUnicode(const char* value);
    // UTF-16 for libraries that speak it (Xerces, Qt).
    static std::u16string Utf16FromUnicode(FdoString* value);
    static std::wstring Utf16ToUnicode(const char16_t* value);

private:
    std::wstring m_value;
    mutable std::unique_ptr<std::string> m_utf8;
};

inline FdoStringP operator+(FdoString* l, const FdoStringP& r) { return FdoStringP(l) + r; }
inline bool operator==(FdoString* l, const FdoStringP& r) { return r == l; }
inline bool operator!=(FdoString* l, const FdoStringP& r) { return r != l; }
