// The store's SQL functions: registration, and the text functions
// (UPPER beyond ASCII, NVL, the parts of a declared type); see
// NorvSqlFunctions.h.
#include "NorvSqlFunctions.h"

#include "NorvSqlFunctionSupport.h"

#include <Fdo.h>

#include <cctype>
#include <cstdio>
#include <cwctype>

namespace norvdb {

namespace detail {

std::string Arg(sqlite3_value* v) {
    const unsigned char* t = sqlite3_value_text(v);
    return t ? std::string(reinterpret_cast<const char*>(t), static_cast<size_t>(sqlite3_value_bytes(v))) : "";
}


std::string Number(double d) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", d);
    // Prefer the shortest text that reads back the same.
    for (int p = 6; p < 17; p++) {
        char shorter[40];
        std::snprintf(shorter, sizeof shorter, "%.*g", p, d);
        if (std::strtod(shorter, nullptr) == d) return shorter;
    }
    return buf;
}


void Register(sqlite3* db, const char* name, int argc, void (*fn)(sqlite3_context*, int, sqlite3_value**),
              bool deterministic) {
    int flags = SQLITE_UTF8 | (deterministic ? SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS : 0);
    int rc = sqlite3_create_function_v2(db, name, argc, flags, nullptr, fn, nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK) throw SqliteError{rc, std::string("cannot register the SQL function ") + name};
}

}  // namespace detail

namespace {

using namespace detail;

void Upper(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) return sqlite3_result_null(ctx);
    std::wstring w = FdoStringP::Utf8ToUnicode(Arg(argv[0]).c_str());
    for (auto& c : w) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    std::string out = FdoStringP::Utf8FromUnicode(w.c_str());
    sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void Nvl(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_value(ctx, sqlite3_value_type(argv[0]) == SQLITE_NULL ? argv[1] : argv[0]);
}

// Declared types: NAME, NAME(n) or NAME(p,s).
template <int Part>
void TypePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
    std::string t = Arg(argv[0]);
    size_t open = t.find('(');
    std::string name = t.substr(0, open);
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
    for (auto& c : name) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (Part == 0) return sqlite3_result_text(ctx, name.c_str(), -1, SQLITE_TRANSIENT);
    if (open == std::string::npos) return sqlite3_result_null(ctx);
    int a = 0, b = 0;
    int n = std::sscanf(t.c_str() + open, "(%d,%d", &a, &b);
    if (n < 1) n = std::sscanf(t.c_str() + open, "( %d , %d", &a, &b);
    if (Part == 1 || Part == 2) {
        if (n >= 1) sqlite3_result_int(ctx, a);
        else sqlite3_result_null(ctx);
    } else {
        if (n >= 2) sqlite3_result_int(ctx, b);
        else sqlite3_result_null(ctx);
    }
}


}  // namespace

void RegisterSqlFunctions(sqlite3* db) {
    detail::Register(db, "UPPER", 1, Upper);
    detail::Register(db, "NVL", 2, Nvl);
    detail::Register(db, "NORV_TYPE_NAME", 1, TypePart<0>);
    detail::Register(db, "NORV_TYPE_LENGTH", 1, TypePart<1>);
    detail::Register(db, "NORV_TYPE_PRECISION", 1, TypePart<2>);
    detail::Register(db, "NORV_TYPE_SCALE", 1, TypePart<3>);
    detail::RegisterDimFunctions(db);
    detail::RegisterGeometryFunctions(db);
}

}  // namespace norvdb
