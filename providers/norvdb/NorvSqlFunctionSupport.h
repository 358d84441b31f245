// What the store's SQL function files share: argument text, number text
// that reads back exactly, and registration of a scalar function.
#pragma once

#include "NorvSqlite.h"

#include <string>

namespace norvdb::detail {

std::string Arg(sqlite3_value* v);
// The shortest text that reads back as the same double.
std::string Number(double d);
// Throws SqliteError when the function cannot be registered. Deterministic
// functions are also innocuous, so triggers and views may use them.
void Register(sqlite3* db, const char* name, int argc, void (*fn)(sqlite3_context*, int, sqlite3_value**),
              bool deterministic = true);

void RegisterDimFunctions(sqlite3* db);
void RegisterGeometryFunctions(sqlite3* db);

}  // namespace norvdb::detail
