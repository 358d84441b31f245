// DateTime values as ISO 8601 text; see DateTimeText.h.
#include <common/DateTimeText.h>

#include <charconv>
#include <cmath>
#include <cstring>

namespace providercommon {

namespace {

bool ValidDate(const FdoDateTime& v) {
    return v.year >= 0 && v.year <= 9999 && v.month >= 1 && v.month <= 12 && v.day >= 1 && v.day <= 31;
}

bool ValidTime(const FdoDateTime& v) {
    return v.hour >= 0 && v.hour <= 23 && v.minute >= 0 && v.minute <= 59 && v.seconds >= 0.0f &&
           v.seconds < 62.0f && std::isfinite(v.seconds);
}

void AppendNumber(std::string& out, int value, int digits) {
    std::string s = std::to_string(value);
    if (static_cast<int>(s.size()) < digits) out.append(static_cast<size_t>(digits) - s.size(), '0');
    out += s;
}

void AppendDate(std::string& out, const FdoDateTime& v) {
    AppendNumber(out, v.year, 4);
    out += '-';
    AppendNumber(out, v.month, 2);
    out += '-';
    AppendNumber(out, v.day, 2);
}

void AppendTime(std::string& out, const FdoDateTime& v) {
    AppendNumber(out, v.hour, 2);
    out += ':';
    AppendNumber(out, v.minute, 2);
    out += ':';
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, v.seconds, std::chars_format::fixed);
    std::string seconds(buf, r.ptr);
    if (v.seconds < 10.0f) out += '0';
    out += seconds;
}

// Reads exactly `digits` decimal digits.
bool ReadFixed(const char*& p, int digits, int& value) {
    value = 0;
    for (int i = 0; i < digits; i++, p++) {
        if (*p < '0' || *p > '9') return false;
        value = value * 10 + (*p - '0');
    }
    return true;
}

bool ReadDate(const char*& p, FdoDateTime& v) {
    int y, m, d;
    if (!ReadFixed(p, 4, y) || *p++ != '-' || !ReadFixed(p, 2, m) || *p++ != '-' || !ReadFixed(p, 2, d))
        return false;
    v.year = static_cast<FdoInt16>(y);
    v.month = static_cast<FdoInt8>(m);
    v.day = static_cast<FdoInt8>(d);
    return ValidDate(v);
}

bool ReadTime(const char*& p, FdoDateTime& v) {
    int h, mi;
    if (!ReadFixed(p, 2, h) || *p++ != ':' || !ReadFixed(p, 2, mi) || *p++ != ':') return false;
    if (p[0] < '0' || p[0] > '9' || p[1] < '0' || p[1] > '9') return false;
    const char* end = p + std::strlen(p);
    float seconds = 0;
    auto r = std::from_chars(p, end, seconds, std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != end) return false;
    p = end;
    v.hour = static_cast<FdoInt8>(h);
    v.minute = static_cast<FdoInt8>(mi);
    v.seconds = seconds;
    return ValidTime(v);
}

}  // namespace

std::string DateTimeText::Format(const FdoDateTime& v) {
    std::string out;
    if (v.IsDate() && ValidDate(v) && v.minute == -1) {
        AppendDate(out, v);
    } else if (v.IsTime() && ValidTime(v) && v.month == -1 && v.day == -1) {
        AppendTime(out, v);
    } else if (v.IsDateTime() && ValidDate(v) && ValidTime(v)) {
        AppendDate(out, v);
        out += 'T';
        AppendTime(out, v);
    } else {
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The DateTime value (year %d, month %d, day %d, hour %d, minute %d, seconds %g) is neither "
            L"a valid date, time nor date-time.",
            v.year, v.month, v.day, v.hour, v.minute, static_cast<double>(v.seconds)));
    }
    return out;
}

std::optional<FdoDateTime> DateTimeText::Parse(const char* text) {
    if (!text) return std::nullopt;
    FdoDateTime v;
    const char* p = text;
    size_t n = std::strlen(text);
    if (n >= 3 && text[2] == ':') {
        if (!ReadTime(p, v)) return std::nullopt;
    } else {
        if (!ReadDate(p, v)) return std::nullopt;
        if (*p == 'T' || *p == ' ') {
            p++;
            if (!ReadTime(p, v)) return std::nullopt;
        }
    }
    if (*p != '\0') return std::nullopt;
    return v;
}

}  // namespace providercommon
