// Basic FDO types: fixed-width integers, FdoString and FdoDateTime.
//
// FdoString is a wide character; on Linux wchar_t is UTF-32, so every text
// that leaves this layer (to GDAL, SQLite, Xerces or Qt) goes through the
// conversions of FdoStringP.
#pragma once

#include <cstdint>
#include <cwchar>

typedef const wchar_t FdoString;
typedef unsigned char FdoByte;
typedef int8_t FdoInt8;
typedef int16_t FdoInt16;
typedef int32_t FdoInt32;
typedef int64_t FdoInt64;
typedef bool FdoBoolean;
typedef double FdoDouble;
typedef float FdoFloat;
typedef unsigned short FdoUInt16;
typedef uint32_t FdoUInt32;
typedef uint64_t FdoUInt64;

#define FDO_API __attribute__((visibility("default")))

// A date, a time or both; parts that are not set hold -1 (seconds 0).
struct FDO_API FdoDateTime {
    FdoInt16 year;
    FdoInt8 month;
    FdoInt8 day;
    FdoInt8 hour;
    FdoInt8 minute;
    float seconds;

    FdoDateTime() : year(-1), month(-1), day(-1), hour(-1), minute(-1), seconds(0.0f) {}
    FdoDateTime(FdoInt16 y, FdoInt8 m, FdoInt8 d)
        : year(y), month(m), day(d), hour(-1), minute(-1), seconds(0.0f) {}
    FdoDateTime(FdoInt8 h, FdoInt8 mi, float s)
        : year(-1), month(-1), day(-1), hour(h), minute(mi), seconds(s) {}
    FdoDateTime(FdoInt16 y, FdoInt8 m, FdoInt8 d, FdoInt8 h, FdoInt8 mi, float s)
        : year(y), month(m), day(d), hour(h), minute(mi), seconds(s) {}

    bool IsDate() const { return year != -1 && hour == -1; }
    bool IsTime() const { return year == -1 && hour != -1; }
    bool IsDateTime() const { return year != -1 && hour != -1; }

    bool operator==(const FdoDateTime& o) const {
        return year == o.year && month == o.month && day == o.day && hour == o.hour &&
               minute == o.minute && seconds == o.seconds;
    }
    bool operator!=(const FdoDateTime& o) const { return !(*this == o); }
};
