// Lexical conversions (see XmlLexical.h).
#include "xml/XmlLexical.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <strings.h>
#include <string>

namespace FdoXmlLexical {

namespace {

// ASCII copy of text with blanks trimmed; false when it holds anything else.
bool Ascii(FdoString* text, std::string& out) {
    out.clear();
    for (FdoString* p = text ? text : L""; *p; p++) {
        if (*p < 0 || *p > 0x7e) return false;
        out += static_cast<char>(*p);
    }
    size_t b = out.find_first_not_of(" \t\r\n");
    size_t e = out.find_last_not_of(" \t\r\n");
    out = b == std::string::npos ? std::string() : out.substr(b, e - b + 1);
    return true;
}

bool Digits(const std::string& s, size_t pos, size_t count, int& value) {
    if (pos + count > s.size()) return false;
    value = 0;
    for (size_t i = pos; i < pos + count; i++) {
        if (s[i] < '0' || s[i] > '9') return false;
        value = value * 10 + (s[i] - '0');
    }
    return true;
}

bool LeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

bool ParseDate(const std::string& s, FdoDateTime& out) {
    size_t p = 0;
    bool negative = !s.empty() && s[0] == '-';
    if (negative) p = 1;
    size_t dash = s.find('-', p);
    if (dash == std::string::npos || dash - p < 4 || dash - p > 5) return false;
    int year, month, day;
    if (!Digits(s, p, dash - p, year)) return false;
    if (s.size() != dash + 6 || s[dash + 3] != '-') return false;
    if (!Digits(s, dash + 1, 2, month) || !Digits(s, dash + 4, 2, day)) return false;
    if (negative) year = -year;
    if (year < SHRT_MIN || year > SHRT_MAX || month < 1 || month > 12 || day < 1) return false;
    static const int days[] = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (day > days[month - 1] || (month == 2 && day == 29 && !LeapYear(year))) return false;
    out.year = static_cast<FdoInt16>(year);
    out.month = static_cast<FdoInt8>(month);
    out.day = static_cast<FdoInt8>(day);
    return true;
}

bool ParseTime(const std::string& s, FdoDateTime& out) {
    int hour, minute, whole;
    if (s.size() < 8 || s[2] != ':' || s[5] != ':') return false;
    if (!Digits(s, 0, 2, hour) || !Digits(s, 3, 2, minute) || !Digits(s, 6, 2, whole)) return false;
    if (hour > 23 || minute > 59 || whole > 59) return false;
    float seconds = static_cast<float>(whole);
    if (s.size() > 8) {
        if (s[8] != '.' || s.size() == 9) return false;
        for (size_t i = 9; i < s.size(); i++)
            if (s[i] < '0' || s[i] > '9') return false;
        auto r = std::from_chars(s.data() + 6, s.data() + s.size(), seconds);
        if (r.ec != std::errc() || r.ptr != s.data() + s.size()) return false;
        if (seconds >= 60.0f) seconds = 59.999996f;  // "59.9999999" rounds up in a float
    }
    out.hour = static_cast<FdoInt8>(hour);
    out.minute = static_cast<FdoInt8>(minute);
    out.seconds = seconds;
    return true;
}

void StripZone(std::string& s) {
    if (!s.empty() && s.back() == 'Z') {
        s.pop_back();
        return;
    }
    size_t n = s.size();
    if (n >= 14 || (n >= 8 && s.find('T') == std::string::npos)) {
        if ((s[n - 6] == '+' || s[n - 6] == '-') && s[n - 3] == ':') s.resize(n - 6);
    }
}

std::string FormatSeconds(float seconds) {
    char buf[48];
    auto r = std::to_chars(buf, buf + sizeof buf, seconds, std::chars_format::fixed);
    std::string text(buf, r.ptr);
    if (seconds < 10.0f) text = "0" + text;
    return text;
}

std::string FormatDatePart(const FdoDateTime& v) {
    char buf[40];
    if (v.year < 0)
        snprintf(buf, sizeof buf, "-%04d-%02d-%02d", -v.year, v.month, v.day);
    else
        snprintf(buf, sizeof buf, "%04d-%02d-%02d", v.year, v.month, v.day);
    return buf;
}

std::string FormatTimePart(const FdoDateTime& v) {
    char buf[40];
    snprintf(buf, sizeof buf, "%02d:%02d:", v.hour, v.minute);
    return buf + FormatSeconds(v.seconds);
}

bool ParseDouble(const std::string& text, double& out) {
    std::string s = text;
    if (s == "INF" || s == "+INF") {
        out = HUGE_VAL;
        return true;
    }
    if (s == "-INF") {
        out = -HUGE_VAL;
        return true;
    }
    if (s == "NaN") {
        out = std::nan("");
        return true;
    }
    if (!s.empty() && s[0] == '+') s.erase(0, 1);
    if (s.empty() || s.find_first_of("iInN") != std::string::npos) return false;
    auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

std::string FormatDouble(double v, std::chars_format format) {
    if (std::isnan(v)) return "NaN";
    if (std::isinf(v)) return v < 0 ? "-INF" : "INF";
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, v, format);
    return std::string(buf, r.ptr);
}

}  // namespace

bool ParseDouble(FdoString* text, double& out) {
    std::string s;
    return Ascii(text, s) && ParseDouble(s, out);
}

FdoStringP FormatDouble(double value) { return FdoStringP(FormatDouble(value, std::chars_format::general).c_str()); }

bool ParseInt64(FdoString* text, FdoInt64& out) {
    std::string s;
    if (!Ascii(text, s)) return false;
    if (!s.empty() && s[0] == '+') s.erase(0, 1);
    if (s.empty()) return false;
    auto r = std::from_chars(s.data(), s.data() + s.size(), out);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

bool ParseXmlDateTime(FdoString* text, FdoDateTime& out) {
    std::string s;
    if (!Ascii(text, s) || s.empty()) return false;
    StripZone(s);
    FdoDateTime v;
    size_t t = s.find('T');
    bool ok;
    if (t != std::string::npos)
        ok = ParseDate(s.substr(0, t), v) && ParseTime(s.substr(t + 1), v);
    else if (s.find(':') != std::string::npos)
        ok = ParseTime(s, v);
    else
        ok = ParseDate(s, v);
    if (ok) out = v;
    return ok;
}

FdoStringP FormatXmlDateTime(const FdoDateTime& v) {
    std::string text;
    if (v.year != -1) text = FormatDatePart(v);
    if (v.hour != -1) text += (text.empty() ? "" : "T") + FormatTimePart(v);
    return FdoStringP(text.c_str());
}

bool ParseLiteralDateTime(FdoString* text, FdoDateTime& out) {
    std::string s;
    if (!Ascii(text, s)) return false;
    for (const char* keyword : {"TIMESTAMP", "DATE", "TIME"}) {
        size_t n = strlen(keyword);
        if (s.size() > n && strncasecmp(s.c_str(), keyword, n) == 0 && (s[n] == ' ' || s[n] == '\'')) {
            s.erase(0, n);
            size_t b = s.find_first_not_of(' ');
            s = b == std::string::npos ? std::string() : s.substr(b);
            break;
        }
    }
    if (s.size() >= 2 && s.front() == '\'' && s.back() == '\'') s = s.substr(1, s.size() - 2);
    size_t blank = s.find(' ');
    if (blank != std::string::npos) s[blank] = 'T';
    if (s.find_first_of("Z+") != std::string::npos) return false;
    return ParseXmlDateTime(FdoStringP(s.c_str()), out);
}

FdoStringP FormatLiteralDateTime(const FdoDateTime& v) {
    std::string text;
    if (v.year != -1 && v.hour != -1)
        text = "TIMESTAMP '" + FormatDatePart(v) + " " + FormatTimePart(v) + "'";
    else if (v.year != -1)
        text = "DATE '" + FormatDatePart(v) + "'";
    else
        text = "TIME '" + FormatTimePart(v) + "'";
    return FdoStringP(text.c_str());
}

FdoStringP DefaultFromXml(FdoDataType type, FdoString* xmlText) {
    FdoStringP raw(xmlText);
    if (type == FdoDataType_DateTime) {
        FdoDateTime v;
        return ParseXmlDateTime(raw, v) ? FormatLiteralDateTime(v) : raw;
    }
    if (type == FdoDataType_Boolean) {
        // Read without regard to case, as it is written back: "True" must
        // not come back from a round trip as another text.
        if (raw.ICompare(L"true") == 0 || raw == L"1") return L"TRUE";
        if (raw.ICompare(L"false") == 0 || raw == L"0") return L"FALSE";
    }
    return raw;
}

FdoStringP DefaultToXml(FdoDataType type, FdoString* literal) {
    FdoStringP raw(literal);
    if (type == FdoDataType_DateTime) {
        FdoDateTime v;
        return ParseLiteralDateTime(raw, v) ? FormatXmlDateTime(v) : raw;
    }
    if (type == FdoDataType_Boolean) {
        if (raw.ICompare(L"TRUE") == 0) return L"true";
        if (raw.ICompare(L"FALSE") == 0) return L"false";
    }
    return raw;
}

FdoDataValue* ValueFromXml(FdoDataType type, FdoString* xmlText) {
    std::string s;
    FdoInt64 i = 0;
    double d = 0;
    switch (type) {
        case FdoDataType_String:
            return FdoDataValue::Create(xmlText ? xmlText : L"");
        case FdoDataType_Boolean:
            if (!Ascii(xmlText, s)) return nullptr;
            if (s == "true" || s == "1") return FdoDataValue::Create(true);
            if (s == "false" || s == "0") return FdoDataValue::Create(false);
            return nullptr;
        case FdoDataType_Byte:
            if (!ParseInt64(xmlText, i) || i < 0 || i > 255) return nullptr;
            return FdoDataValue::Create(static_cast<FdoByte>(i));
        case FdoDataType_Int16:
            if (!ParseInt64(xmlText, i) || i < SHRT_MIN || i > SHRT_MAX) return nullptr;
            return FdoDataValue::Create(static_cast<FdoInt16>(i));
        case FdoDataType_Int32:
            if (!ParseInt64(xmlText, i) || i < INT_MIN || i > INT_MAX) return nullptr;
            return FdoDataValue::Create(static_cast<FdoInt32>(i));
        case FdoDataType_Int64:
            if (!ParseInt64(xmlText, i)) return nullptr;
            return FdoDataValue::Create(i);
        case FdoDataType_Decimal:
        case FdoDataType_Double:
            if (!Ascii(xmlText, s) || !ParseDouble(s, d)) return nullptr;
            return FdoDataValue::Create(d, type);
        case FdoDataType_Single: {
            if (!Ascii(xmlText, s) || !ParseDouble(s, d)) return nullptr;
            float f = 0;
            if (!std::isfinite(d)) {
                f = static_cast<float>(d);
            } else {
                std::string t = s[0] == '+' ? s.substr(1) : s;
                auto r = std::from_chars(t.data(), t.data() + t.size(), f);
                if (r.ec != std::errc()) return nullptr;
            }
            return FdoDataValue::Create(f);
        }
        case FdoDataType_DateTime: {
            FdoDateTime v;
            if (!ParseXmlDateTime(xmlText, v)) return nullptr;
            return FdoDataValue::Create(v);
        }
        default:
            return nullptr;
    }
}

FdoStringP ValueToXml(FdoDataValue* value) {
    if (!value || value->IsNull()) return FdoStringP();
    switch (value->GetDataType()) {
        case FdoDataType_String:
            return static_cast<FdoStringValue*>(value)->GetString();
        case FdoDataType_Boolean:
            return static_cast<FdoBooleanValue*>(value)->GetBoolean() ? L"true" : L"false";
        case FdoDataType_Byte:
            return FdoStringP::Format(L"%d", static_cast<FdoByteValue*>(value)->GetByte());
        case FdoDataType_Int16:
            return FdoStringP::Format(L"%d", static_cast<FdoInt16Value*>(value)->GetInt16());
        case FdoDataType_Int32:
            return FdoStringP::Format(L"%d", static_cast<FdoInt32Value*>(value)->GetInt32());
        case FdoDataType_Int64:
            return FdoStringP::Format(L"%lld", static_cast<long long>(static_cast<FdoInt64Value*>(value)->GetInt64()));
        case FdoDataType_Decimal:
            return FdoStringP(FormatDouble(static_cast<FdoDecimalValue*>(value)->GetDecimal(),
                                           std::chars_format::fixed).c_str());
        case FdoDataType_Double:
            return FdoStringP(FormatDouble(static_cast<FdoDoubleValue*>(value)->GetDouble(),
                                           std::chars_format::general).c_str());
        case FdoDataType_Single: {
            float f = static_cast<FdoSingleValue*>(value)->GetSingle();
            if (!std::isfinite(f)) return FdoStringP(FormatDouble(f, std::chars_format::general).c_str());
            char buf[64];
            auto r = std::to_chars(buf, buf + sizeof buf, f);
            return FdoStringP(std::string(buf, r.ptr).c_str());
        }
        case FdoDataType_DateTime:
            return FormatXmlDateTime(static_cast<FdoDateTimeValue*>(value)->GetDateTime());
        default:
            return value->ToString();
    }
}

}  // namespace FdoXmlLexical
