// Dimension arrays: SDO_DIM_ELEMENT and SDO_DIM_ARRAY build the JSON text
// a DIMINFO column holds, and the NORV_DIM_ELEMENTS table function unnests
// it again, one row per element (SDO_DIMNAME, SDO_LB, SDO_UB,
// SDO_TOLERANCE). See NorvSqlFunctions.h.
#include "NorvSqlFunctionSupport.h"

#include <cctype>
#include <cstdlib>
#include <string>
#include <vector>

namespace norvdb::detail {

namespace {

std::string JsonString(const std::string& s) {
    std::string out = "\"";
    for (char c : s) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}


void SdoDimElement(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (argc != 4) return sqlite3_result_error(ctx, "SDO_DIM_ELEMENT takes a name and three numbers", -1);
    std::string out = "[" + JsonString(Arg(argv[0]));
    for (int i = 1; i < 4; i++) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) out += ",null";
        else out += "," + Number(sqlite3_value_double(argv[i]));
    }
    out += "]";
    sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

void SdoDimArray(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    std::string out = "[";
    for (int i = 0; i < argc; i++) {
        std::string e = Arg(argv[i]);
        if (e.empty() || e[0] != '[') return sqlite3_result_error(ctx, "SDO_DIM_ARRAY takes SDO_DIM_ELEMENT values", -1);
        if (i) out += ",";
        out += e;
    }
    out += "]";
    sqlite3_result_text(ctx, out.c_str(), static_cast<int>(out.size()), SQLITE_TRANSIENT);
}

// Parses [["X",-180,180,0.05],...] as written by SDO_DIM_ARRAY.
struct DimElement {
    std::string name;
    double v[3];
    bool isNull[3];
};

bool ParseDims(const std::string& s, std::vector<DimElement>& out) {
    size_t i = 0;
    auto ws = [&] { while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) i++; };
    auto eat = [&](char c) { ws(); if (i < s.size() && s[i] == c) { i++; return true; } return false; };
    if (!eat('[')) return false;
    if (eat(']')) return true;
    do {
        DimElement e{};
        if (!eat('[')) return false;
        ws();
        if (i >= s.size() || s[i] != '"') return false;
        for (i++; i < s.size() && s[i] != '"'; i++) {
            if (s[i] == '\\' && i + 1 < s.size()) i++;
            e.name += s[i];
        }
        if (i >= s.size()) return false;
        i++;
        for (int k = 0; k < 3; k++) {
            if (!eat(',')) return false;
            ws();
            if (s.compare(i, 4, "null") == 0) {
                e.isNull[k] = true;
                i += 4;
                continue;
            }
            char* end = nullptr;
            e.v[k] = std::strtod(s.c_str() + i, &end);
            if (end == s.c_str() + i) return false;
            i = static_cast<size_t>(end - s.c_str());
        }
        if (!eat(']')) return false;
        out.push_back(e);
    } while (eat(','));
    return eat(']');
}

// ---- NORV_DIM_ELEMENTS table function

struct DimTable {
    sqlite3_vtab base{};
};
struct DimCursor {
    sqlite3_vtab_cursor base{};
    std::vector<DimElement> rows;
    size_t at = 0;
};

int DimConnect(sqlite3* db, void*, int, const char* const*, sqlite3_vtab** out, char**) {
    int rc = sqlite3_declare_vtab(db, "CREATE TABLE x(SDO_DIMNAME VARCHAR2(64), SDO_LB NUMBER, SDO_UB NUMBER, "
                                      "SDO_TOLERANCE NUMBER, DIMINFO HIDDEN)");
    if (rc != SQLITE_OK) return rc;
    *out = &(new DimTable)->base;
    return SQLITE_OK;
}
int DimDisconnect(sqlite3_vtab* v) {
    delete reinterpret_cast<DimTable*>(v);
    return SQLITE_OK;
}
int DimBestIndex(sqlite3_vtab*, sqlite3_index_info* info) {
    bool found = false;
    for (int i = 0; i < info->nConstraint; i++) {
        auto& c = info->aConstraint[i];
        if (c.iColumn == 4 && c.op == SQLITE_INDEX_CONSTRAINT_EQ) {
            if (!c.usable) return SQLITE_CONSTRAINT;
            info->aConstraintUsage[i].argvIndex = 1;
            info->aConstraintUsage[i].omit = 1;
            found = true;
        }
    }
    info->estimatedCost = found ? 10 : 1e9;
    info->idxNum = found ? 1 : 0;
    return SQLITE_OK;
}
int DimOpen(sqlite3_vtab*, sqlite3_vtab_cursor** out) {
    *out = &(new DimCursor)->base;
    return SQLITE_OK;
}
int DimClose(sqlite3_vtab_cursor* c) {
    delete reinterpret_cast<DimCursor*>(c);
    return SQLITE_OK;
}
int DimFilter(sqlite3_vtab_cursor* cur, int idxNum, const char*, int argc, sqlite3_value** argv) {
    auto* c = reinterpret_cast<DimCursor*>(cur);
    c->rows.clear();
    c->at = 0;
    if (idxNum == 1 && argc == 1 && sqlite3_value_type(argv[0]) != SQLITE_NULL) {
        if (!ParseDims(Arg(argv[0]), c->rows)) {
            c->rows.clear();
            sqlite3_free(cur->pVtab->zErrMsg);
            cur->pVtab->zErrMsg = sqlite3_mprintf("the value is not a dimension array");
            return SQLITE_ERROR;
        }
    }
    return SQLITE_OK;
}
int DimNext(sqlite3_vtab_cursor* cur) {
    reinterpret_cast<DimCursor*>(cur)->at++;
    return SQLITE_OK;
}
int DimEof(sqlite3_vtab_cursor* cur) {
    auto* c = reinterpret_cast<DimCursor*>(cur);
    return c->at >= c->rows.size();
}
int DimColumn(sqlite3_vtab_cursor* cur, sqlite3_context* ctx, int col) {
    auto* c = reinterpret_cast<DimCursor*>(cur);
    const DimElement& e = c->rows[c->at];
    if (col == 0) sqlite3_result_text(ctx, e.name.c_str(), -1, SQLITE_TRANSIENT);
    else if (col >= 1 && col <= 3 && !e.isNull[col - 1]) sqlite3_result_double(ctx, e.v[col - 1]);
    else sqlite3_result_null(ctx);
    return SQLITE_OK;
}
int DimRowid(sqlite3_vtab_cursor* cur, sqlite3_int64* rowid) {
    *rowid = static_cast<sqlite3_int64>(reinterpret_cast<DimCursor*>(cur)->at + 1);
    return SQLITE_OK;
}

sqlite3_module MakeDimModule() {
    sqlite3_module m{};
    m.xConnect = DimConnect;
    m.xBestIndex = DimBestIndex;
    m.xDisconnect = DimDisconnect;
    m.xOpen = DimOpen;
    m.xClose = DimClose;
    m.xFilter = DimFilter;
    m.xNext = DimNext;
    m.xEof = DimEof;
    m.xColumn = DimColumn;
    m.xRowid = DimRowid;
    return m;
}
const sqlite3_module kDimModule = MakeDimModule();

}  // namespace

void RegisterDimFunctions(sqlite3* db) {
    Register(db, "SDO_DIM_ELEMENT", 4, SdoDimElement);
    Register(db, "SDO_DIM_ARRAY", -1, SdoDimArray);
    int rc = sqlite3_create_module_v2(db, "NORV_DIM_ELEMENTS", &kDimModule, nullptr, nullptr);
    if (rc != SQLITE_OK) throw SqliteError{rc, "cannot register NORV_DIM_ELEMENTS"};
}

}  // namespace norvdb::detail
