// NorvTypeMap: declared column types of the emulated databases and FDO
// data types, both ways. The reverse map knows the type names of all three
// dialects, so a table created by one statement form reads back the same
// whichever dialect wrote it. Chosen so that every FDO type written by
// ApplySchema reads back as itself.
#pragma once

#include "NorvDialect.h"

#include <Fdo.h>

#include <string>

namespace norvdb {

struct NorvColumnType {
    bool geometry = false;
    FdoDataType type = FdoDataType_String;
    FdoInt32 length = 0;
    FdoInt32 precision = 0;
    FdoInt32 scale = 0;
};

class NorvTypeMap {
public:
    static NorvColumnType FromDeclared(const std::string& declared);
    // The column type ApplySchema declares for a data property.
    static std::string ToDeclared(const NorvDialect& dialect, FdoDataPropertyDefinition* property);
};

}  // namespace norvdb
