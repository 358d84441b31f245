// Conversions between XML Schema lexical values and FDO values.
//
// Default values live in the model as FDO literal text (TIMESTAMP '...',
// TRUE) but are written in XML lexical form (2005-01-01T10:00:00, true);
// constraint values are FdoDataValue objects written in lexical form. Numbers
// are parsed and printed with std::from_chars/to_chars, so the result never
// depends on the process locale and floating values read back bit-exact.
#pragma once

#include <Fdo/Expression/DataValue.h>

namespace FdoXmlLexical {

// xs:dateTime, xs:date or xs:time text ("[-]YYYY-MM-DDThh:mm:ss[.f][zone]",
// "YYYY-MM-DD", "hh:mm:ss[.f]"); a time zone is accepted and dropped.
bool ParseXmlDateTime(FdoString* text, FdoDateTime& out);
FdoStringP FormatXmlDateTime(const FdoDateTime& value);

// FDO literal text: DATE '...', TIME '...', TIMESTAMP '...' (keyword
// optional when reading; 'T' or a blank between date and time).
bool ParseLiteralDateTime(FdoString* text, FdoDateTime& out);
FdoStringP FormatLiteralDateTime(const FdoDateTime& value);

// Default values: text that does not parse is passed through unchanged.
FdoStringP DefaultFromXml(FdoDataType type, FdoString* xmlText);
FdoStringP DefaultToXml(FdoDataType type, FdoString* literal);

// A constraint value of the given type; null when the text is not a valid
// lexical value of that type. New reference.
FdoDataValue* ValueFromXml(FdoDataType type, FdoString* xmlText);
FdoStringP ValueToXml(FdoDataValue* value);

// Whole-text number parses, blanks around allowed.
bool ParseInt64(FdoString* text, FdoInt64& out);
bool ParseDouble(FdoString* text, double& out);
// The shortest text that reads back as the same double.
FdoStringP FormatDouble(double value);

}  // namespace FdoXmlLexical
