// Text helpers shared by everything that prints or reads FDO expression
// text: number formatting, quoting, identifier characters, keywords and
// date/time literals. Internal to the library; the filter parser and the
// geometry text writer use the same rules so that printed text reads back.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/StringP.h>

namespace FdoLiteralText {

// Fixed notation with (digits - digits before the point) decimals, trailing
// zeros and a bare point stripped, "-0" printed as "0"; "%.<digits>g" when
// the integral part alone is longer than digits, or when the fixed form
// would lose a non-zero value entirely.
FdoStringP FormatNumber(double value, int digits);

// text between quote characters, each quote inside doubled.
FdoStringP Quote(FdoString* text, wchar_t quote);

// Identifier characters: ASCII letters and every non-ASCII character start
// an identifier; digits and '_' may follow.
bool IsIdentifierStart(wchar_t c);
bool IsIdentifierChar(wchar_t c);
// A reserved word of filter and expression text, any case.
bool IsKeyword(FdoString* word);

// "YYYY-MM-DD", "hh:mm:ss" or "YYYY-MM-DD hh:mm:ss", as a date/time has its parts set.
FdoStringP FormatDateTime(const FdoDateTime& value);
// The same with its keyword: DATE '...', TIME '...' or TIMESTAMP '...'.
FdoStringP FormatDateTimeLiteral(const FdoDateTime& value);

enum class DateTimeForm { Any, Date, Time, Timestamp };
// Reads "YYYY-MM-DD", "hh:mm:ss[.f]" or "YYYY-MM-DD hh:mm:ss[.f]" ('T' may
// replace the blank) and validates month, day (leap years), hour, minute and
// seconds. False when the text is not of the requested form.
bool ParseDateTime(FdoString* text, DateTimeForm form, FdoDateTime& out);

// "Int32", "String", ... as the enumeration names them.
FdoString* DataTypeName(FdoDataType type);

}  // namespace FdoLiteralText
