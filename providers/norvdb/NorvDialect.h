// NorvDialect: what differs between the three emulated databases — the
// folder layout under the data home, the letter case of names, the type of
// geometry columns, the prefix of spatial context names, and the wording
// of errors.
#pragma once

#include <string>

namespace norvdb {

enum class DialectKind { Oracle, MsSql, Informix };

struct NorvDialect {
    DialectKind kind;
    const char* folder;              // sub-folder of the data home
    bool upperCaseNames;             // unquoted names stored upper-case
    const char* geometryType;        // declared type of geometry columns
    const wchar_t* contextPrefix;    // spatial context name = prefix + SRID
    bool ownerInClassName;           // classes named OWNER~TABLE~GEOMETRY

    static const NorvDialect& Oracle();
    static const NorvDialect& MsSql();
    static const NorvDialect& Informix();
};

}  // namespace norvdb
