// How the database tools build and send their SQL: one execution step for
// every statement, and the two rules that keep user text from changing what
// a statement does.
//
// Text that goes between single quotes has each single quote doubled, so a
// value such as O'Brien stays one literal and is stored as typed. Names that
// go into a statement unquoted (tables, owners, columns, indexes,
// constraints) cannot be escaped that way, so they are checked instead: a
// name that is not a plain identifier is refused with an FdoException before
// anything is sent. Values that can be bound are bound as parameters.
// Internal to the engine.
#pragma once

#include <Fdo.h>

#include <initializer_list>

namespace gxf::dbtools {

// True for a null pointer or an empty text.
bool IsBlank(FdoString* text);

// The text with every single quote doubled, ready to stand between quotes.
FdoStringP QuoteText(FdoString* text);

// Throws FdoException unless the name is a plain identifier (letters, digits,
// '_', '$', '#'), a double-quoted or bracketed identifier without its closing
// character inside, or - when qualified is true - such parts joined by dots.
// Returns the name unchanged.
FdoStringP CheckName(FdoString* name, bool qualified = false);

// The common execution step: an SQL command on the connection with the
// statement and the string parameters bound as "1", "2", ... in order (only
// when the command offers a parameter collection).
FdoInt32 ExecuteNonQuery(FdoIConnection* conn, FdoString* sql, std::initializer_list<FdoString*> params = {});
// New reference to the reader of the query.
FdoISQLDataReader* ExecuteReader(FdoIConnection* conn, FdoString* sql, std::initializer_list<FdoString*> params = {});

// Column getters by name. The name is matched without regard to case, as
// the database folds unquoted names. A NULL column reads as the empty text,
// which the records treat as "no value". The number getters accept any
// numeric column type, since databases differ in how they report NUMBER.
FdoStringP ReadString(FdoISQLDataReader* reader, FdoString* column);
bool ReadIsNull(FdoISQLDataReader* reader, FdoString* column);
FdoInt32 ReadInt32(FdoISQLDataReader* reader, FdoString* column);
double ReadDouble(FdoISQLDataReader* reader, FdoString* column);

// Reads every row, appending the named columns of each as strings (when
// result is given); closes the reader and returns the rows read.
int AppendRowStrings(FdoISQLDataReader* reader, std::initializer_list<FdoString*> columns, FdoStringCollection* result);

// The text of an FdoStringP for a "%ls" of FdoStringP::Format.
inline FdoString* W(const FdoStringP& s) { return static_cast<FdoString*>(s); }

// The number as printf's "%g" writes it (six significant digits), always
// with a '.' whatever the process locale, since it goes into SQL text.
FdoStringP FormatG(double value);

}  // namespace gxf::dbtools
