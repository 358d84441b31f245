// How DateTime values are kept in the SQLite-based stores (SDF files and
// the embedded databases): ISO 8601 text in a TEXT column.
//
// An FDO DateTime property may hold dates, times and full date-times, even
// in one column, and GeoPackage's DATE and DATETIME types can only hold one
// of the three (a date-only value would come back as midnight, a time-only
// value not at all). So the value is written as the text of exactly the
// parts it has:
//
//     date       YYYY-MM-DD
//     time       hh:mm:ss[.f]
//     date-time  YYYY-MM-DDThh:mm:ss[.f]
//
// The seconds are written with the fewest digits that read back to the
// same float, so every value reads back exactly as it was written, and the
// text still sorts and reads as ISO 8601 in other GeoPackage readers.
#pragma once

#include <Fdo.h>

#include <optional>
#include <string>

namespace providercommon {

struct DateTimeText {
    // Throws FdoCommandException for a value that is neither a date, a time
    // nor a date-time, or has parts out of range.
    static std::string Format(const FdoDateTime& value);
    // Empty when text is not in one of the three forms.
    static std::optional<FdoDateTime> Parse(const char* text);
};

}  // namespace providercommon
