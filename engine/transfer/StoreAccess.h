// How the one-call schema and copy operations reach their data stores:
// connections made from a provider name and a connection string, with the
// result codes and texts that each failure owes the caller, and the schema
// description they all start from. Internal to the engine.
#pragma once

#include <Fdo.h>

namespace gxf {

enum class StoreRole { Source, Destination };

// The text of result 9 for a store that cannot describe its schema.
inline constexpr const wchar_t* kNoDescribeSchemaText = L"FDO Data Store doen't suport Describe Schema command!";

// Stores the text as the last error text and returns the code.
int Fail(int code, const wchar_t* text);

// Turns a caught FDO exception into result 2 with its message as the last
// error text; releases the exception.
int FailWithException(FdoException* e);

// Creates the connection for the role and opens it. 0 with the open
// connection, or 3/4 (source) or 5/6 (destination) with the text stored
// and no connection. FDO errors propagate.
int OpenStore(StoreRole role, const wchar_t* providerName, const wchar_t* connString,
              FdoPtr<FdoIConnection>& connection);

// Throws an FdoException naming the operation when the caller handed no
// connection, so that the operation fails like any FDO error instead of
// crashing.
void RequireConnection(FdoIConnection* connection, const wchar_t* operation);

// A path as a connection string value: unchanged, or in quotation marks
// when it holds a ";" that would otherwise end the value early.
FdoStringP ConnStringValue(const wchar_t* value);

// Every schema of the connection (new reference).
FdoFeatureSchemaCollection* DescribeAllSchemas(FdoIConnection* connection);

// The text split at "," with empty pieces dropped (new reference; empty
// collection for null text).
FdoStringCollection* SplitList(const wchar_t* text);

}  // namespace gxf
