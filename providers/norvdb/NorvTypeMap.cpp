// Column types and FDO data types; see NorvTypeMap.h.
#include "NorvTypeMap.h"

#include <cctype>
#include <cstdio>

namespace norvdb {

namespace {

struct Parsed {
    std::string name;
    int a = -1, b = -1;
};

Parsed Parse(const std::string& decl) {
    Parsed p;
    size_t open = decl.find('(');
    for (char c : decl.substr(0, open)) p.name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!p.name.empty() && p.name.back() == ' ') p.name.pop_back();
    if (open != std::string::npos) std::sscanf(decl.c_str() + open, "(%d,%d", &p.a, &p.b);
    return p;
}

bool In(const std::string& s, std::initializer_list<const char*> names) {
    for (auto* n : names)
        if (s == n) return true;
    return false;
}

}  // namespace

NorvColumnType NorvTypeMap::FromDeclared(const std::string& declared) {
    Parsed p = Parse(declared);
    NorvColumnType t;
    const std::string& n = p.name;
    if (In(n, {"SDO_GEOMETRY", "GEOMETRY", "GEOGRAPHY", "ST_GEOMETRY", "ST_POINT", "ST_LINESTRING", "ST_POLYGON",
               "ST_MULTIPOINT", "ST_MULTILINESTRING", "ST_MULTIPOLYGON"})) {
        t.geometry = true;
        return t;
    }
    if (In(n, {"CLOB", "NCLOB", "TEXT", "NTEXT"})) t.type = FdoDataType_CLOB;
    else if (In(n, {"BLOB", "RAW", "LONG RAW", "VARBINARY", "BINARY", "IMAGE", "BYTE"})) t.type = FdoDataType_BLOB;
    else if (In(n, {"INTEGER", "INT", "SERIAL"})) t.type = FdoDataType_Int32;
    else if (In(n, {"SMALLINT"})) t.type = FdoDataType_Int16;
    else if (In(n, {"BIGINT", "INT8", "BIGSERIAL", "SERIAL8"})) t.type = FdoDataType_Int64;
    else if (In(n, {"TINYINT"})) t.type = FdoDataType_Byte;
    else if (In(n, {"BIT", "BOOLEAN"})) t.type = FdoDataType_Boolean;
    else if (In(n, {"BINARY_DOUBLE", "DOUBLE", "DOUBLE PRECISION", "FLOAT"})) t.type = FdoDataType_Double;
    else if (In(n, {"BINARY_FLOAT", "REAL", "SMALLFLOAT"})) t.type = FdoDataType_Single;
    else if (In(n, {"DATE", "TIMESTAMP", "DATETIME", "DATETIME2", "SMALLDATETIME"})) t.type = FdoDataType_DateTime;
    else if (In(n, {"NUMBER", "DECIMAL", "NUMERIC", "MONEY"})) {
        if (p.a < 0) {
            t.type = n == "NUMBER" ? FdoDataType_Double : FdoDataType_Decimal;
        } else if (p.b <= 0) {
            switch (p.a) {
                case 1: t.type = FdoDataType_Boolean; break;
                case 3: t.type = FdoDataType_Byte; break;
                case 5: t.type = FdoDataType_Int16; break;
                case 10: t.type = FdoDataType_Int32; break;
                case 19: t.type = FdoDataType_Int64; break;
                default: t.type = FdoDataType_Decimal; break;
            }
        } else {
            t.type = FdoDataType_Decimal;
        }
        if (t.type == FdoDataType_Decimal) {
            t.precision = p.a > 0 ? p.a : 38;
            t.scale = p.b > 0 ? p.b : 0;
        }
    } else {
        t.type = FdoDataType_String;
        t.length = p.a > 0 ? p.a : 4000;
    }
    return t;
}

std::string NorvTypeMap::ToDeclared(const NorvDialect& d, FdoDataPropertyDefinition* prop) {
    bool ora = d.kind == DialectKind::Oracle, mss = d.kind == DialectKind::MsSql;
    char buf[64];
    switch (prop->GetDataType()) {
        case FdoDataType_Boolean: return ora ? "NUMBER(1,0)" : mss ? "BIT" : "BOOLEAN";
        case FdoDataType_Byte: return ora ? "NUMBER(3,0)" : mss ? "TINYINT" : "NUMERIC(3,0)";
        case FdoDataType_Int16: return ora ? "NUMBER(5,0)" : "SMALLINT";
        case FdoDataType_Int32: return ora ? "NUMBER(10,0)" : "INTEGER";
        case FdoDataType_Int64: return ora ? "NUMBER(19,0)" : mss ? "BIGINT" : "INT8";
        case FdoDataType_Single: return ora ? "BINARY_FLOAT" : mss ? "REAL" : "SMALLFLOAT";
        case FdoDataType_Double: return ora ? "BINARY_DOUBLE" : "FLOAT";
        case FdoDataType_Decimal: {
            int p = prop->GetPrecision(), s = prop->GetScale();
            if (p <= 0) p = 38;
            if (s < 0) s = 0;
            if (s > p) s = p;
            // Precisions that read back as integer types are widened by one.
            if (s == 0 && (p == 1 || p == 3 || p == 5 || p == 10 || p == 19)) p++;
            std::snprintf(buf, sizeof buf, "%s(%d,%d)", ora ? "NUMBER" : "DECIMAL", p, s);
            return buf;
        }
        case FdoDataType_DateTime: return ora ? "DATE" : "DATETIME";
        case FdoDataType_String: {
            int n = prop->GetLength();
            if (n <= 0) n = 4000;
            std::snprintf(buf, sizeof buf, "%s(%d)", ora ? "VARCHAR2" : "VARCHAR", n);
            return buf;
        }
        case FdoDataType_BLOB: return ora ? "BLOB" : mss ? "VARBINARY" : "BLOB";
        case FdoDataType_CLOB: return ora ? "CLOB" : mss ? "TEXT" : "CLOB";
    }
    return "VARCHAR2(4000)";
}

}  // namespace norvdb
