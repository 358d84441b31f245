// Number, quote, keyword and date/time text rules of FDO expression text.
#include "expression/LiteralText.h"

#include <FdoCommon/FdoCommonEnumNames.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <string>

namespace FdoLiteralText {

FdoStringP FormatNumber(double value, int digits) {
    char buf[512];
    if (!std::isfinite(value)) {
        snprintf(buf, sizeof buf, "%.*g", digits, value);
        return FdoStringP(buf);
    }
    snprintf(buf, sizeof buf, "%.0f", std::fabs(value));
    int intDigits = static_cast<int>(strlen(buf));
    if (intDigits > digits) {
        snprintf(buf, sizeof buf, "%.*g", digits, value);
        return FdoStringP(buf);
    }
    snprintf(buf, sizeof buf, "%.*f", digits - intDigits, value);
    std::string s(buf);
    if (s.find('.') != std::string::npos) {
        while (s.back() == '0') s.pop_back();
        if (s.back() == '.') s.pop_back();
    }
    if (s == "-0") s = "0";
    if (s == "0" && value != 0.0) {
        snprintf(buf, sizeof buf, "%.*g", digits, value);
        s = buf;
    }
    return FdoStringP(s.c_str());
}

FdoStringP Quote(FdoString* text, wchar_t quote) {
    std::wstring s(1, quote);
    for (FdoString* p = text ? text : L""; *p; p++) {
        s += *p;
        if (*p == quote) s += quote;
    }
    s += quote;
    return FdoStringP(s);
}

bool IsIdentifierStart(wchar_t c) {
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c >= 0x80;
}

bool IsIdentifierChar(wchar_t c) {
    return IsIdentifierStart(c) || (c >= L'0' && c <= L'9') || c == L'_';
}

bool IsKeyword(FdoString* word) {
    static FdoString* const kKeywords[] = {
        L"AND", L"AS", L"BETWEEN", L"BEYOND", L"CONTAINS", L"COVEREDBY", L"CROSSES", L"DATE",
        L"DISJOINT", L"ENVELOPEINTERSECTS", L"EQUALS", L"FALSE", L"GEOMFROMTEXT", L"IN",
        L"INSIDE", L"INTERSECTS", L"JOIN", L"JOINCROSS", L"JOINFULLOUTER", L"JOININNER",
        L"JOINLEFTOUTER", L"JOINNONE", L"JOINRIGHTOUTER", L"LIKE", L"NOT", L"NULL", L"OR",
        L"OVERLAPS", L"RELATE", L"SELECT", L"TIME", L"TIMESTAMP", L"TOUCHES", L"TRUE",
        L"WITHIN", L"WITHINDISTANCE"};
    if (!word) return false;
    for (FdoString* k : kKeywords)
        if (wcscasecmp(k, word) == 0) return true;
    return false;
}

static FdoStringP FormatSeconds(float seconds) {
    // Whole seconds print as two digits; a fraction keeps the leading zero
    // too, so that the time part always reads hh:mm:ss[.f].
    FdoStringP s = FdoStringP::Format(L"%02g", static_cast<double>(seconds));
    if (seconds >= 0.0f && seconds < 10.0f && s.GetLength() > 2) s = FdoStringP(L"0") + s;
    return s;
}

FdoStringP FormatDateTime(const FdoDateTime& v) {
    FdoStringP date = FdoStringP::Format(L"%04d-%02d-%02d", v.year, v.month, v.day);
    FdoStringP time = FdoStringP::Format(L"%02d:%02d:", v.hour, v.minute) + FormatSeconds(v.seconds);
    if (v.hour == -1) return date;
    if (v.year == -1) return time;
    return date + L" " + time;
}

FdoStringP FormatDateTimeLiteral(const FdoDateTime& v) {
    FdoString* keyword = v.hour == -1 ? L"DATE" : v.year == -1 ? L"TIME" : L"TIMESTAMP";
    return FdoStringP(keyword) + L" '" + FormatDateTime(v) + L"'";
}

namespace {

struct Cursor {
    FdoString* p;
    // Exactly n digits (n > 0) or 1..-n digits (n < 0).
    bool Digits(int n, int& out) {
        int max = n > 0 ? n : -n, count = 0;
        out = 0;
        while (count < max && *p >= L'0' && *p <= L'9') out = out * 10 + (*p++ - L'0'), count++;
        return n > 0 ? count == n : count > 0;
    }
    bool Char(wchar_t c) { return *p == c ? (p++, true) : false; }
};

bool IsLeap(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool ReadDate(Cursor& c, FdoDateTime& out) {
    int y, m, d;
    if (!c.Digits(4, y) || !c.Char(L'-') || !c.Digits(-2, m) || !c.Char(L'-') || !c.Digits(-2, d))
        return false;
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1) return false;
    if (d > kDays[m - 1] + (m == 2 && IsLeap(y) ? 1 : 0)) return false;
    out.year = static_cast<FdoInt16>(y);
    out.month = static_cast<FdoInt8>(m);
    out.day = static_cast<FdoInt8>(d);
    return true;
}

bool ReadTime(Cursor& c, FdoDateTime& out) {
    int h, mi, s;
    if (!c.Digits(-2, h) || !c.Char(L':') || !c.Digits(-2, mi) || !c.Char(L':') || !c.Digits(-2, s))
        return false;
    double seconds = s;
    if (c.Char(L'.')) {
        double scale = 0.1;
        if (!(*c.p >= L'0' && *c.p <= L'9')) return false;
        while (*c.p >= L'0' && *c.p <= L'9') seconds += (*c.p++ - L'0') * scale, scale /= 10;
    }
    if (h > 23 || mi > 59 || seconds >= 60.0) return false;
    out.hour = static_cast<FdoInt8>(h);
    out.minute = static_cast<FdoInt8>(mi);
    out.seconds = static_cast<float>(seconds);
    return true;
}

}  // namespace

bool ParseDateTime(FdoString* text, DateTimeForm form, FdoDateTime& out) {
    if (!text) return false;
    FdoDateTime v;
    Cursor c{text};
    while (iswspace(static_cast<wint_t>(*c.p))) c.p++;
    // A time has ':' as its third character at most; a date never does.
    bool looksTime = c.p[0] && (c.p[1] == L':' || (c.p[1] && c.p[2] == L':'));
    if (looksTime) {
        if (form == DateTimeForm::Date || form == DateTimeForm::Timestamp || !ReadTime(c, v))
            return false;
    } else {
        if (form == DateTimeForm::Time || !ReadDate(c, v)) return false;
        if (*c.p == L' ' || *c.p == L'T') {
            c.p++;
            if (form == DateTimeForm::Date || !ReadTime(c, v)) return false;
        } else if (form == DateTimeForm::Timestamp) {
            return false;
        }
    }
    while (iswspace(static_cast<wint_t>(*c.p))) c.p++;
    if (*c.p) return false;
    out = v;
    return true;
}

FdoString* DataTypeName(FdoDataType type) {
    FdoString* name = FdoCommonEnumNames::DataType(type);
    return name ? name : L"Unknown";
}

}  // namespace FdoLiteralText
