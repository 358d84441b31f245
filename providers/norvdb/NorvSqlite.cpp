// SQLite wrappers; see NorvSqlite.h.
#include "NorvSqlite.h"

namespace norvdb {

namespace {

std::string Quote(const std::string& s, char q) {
    std::string out(1, q);
    for (char c : s) {
        out += c;
        if (c == q) out += q;
    }
    return out + q;
}

}  // namespace

std::string SqlText(const std::string& utf8) { return Quote(utf8, '\''); }
std::string SqlName(const std::string& utf8) { return Quote(utf8, '"'); }

Statement::Statement(sqlite3* db, const std::string& sql) : m_db(db) {
    int rc = sqlite3_prepare_v2(db, sql.c_str(), static_cast<int>(sql.size()), &m_stmt, nullptr);
    if (rc != SQLITE_OK) {
        SqliteError e{rc, sqlite3_errmsg(db)};
        sqlite3_finalize(m_stmt);
        m_stmt = nullptr;
        throw e;
    }
    if (!m_stmt) throw SqliteError{SQLITE_MISUSE, "the statement is empty"};
}

Statement::~Statement() { sqlite3_finalize(m_stmt); }

Statement& Statement::Bind(int i, const std::string& text) {
    sqlite3_bind_text(m_stmt, i, text.c_str(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
    return *this;
}
Statement& Statement::Bind(int i, int64_t value) {
    sqlite3_bind_int64(m_stmt, i, value);
    return *this;
}
Statement& Statement::Bind(int i, double value) {
    sqlite3_bind_double(m_stmt, i, value);
    return *this;
}
Statement& Statement::BindBlob(int i, const std::vector<unsigned char>& bytes) {
    sqlite3_bind_blob(m_stmt, i, bytes.data(), static_cast<int>(bytes.size()), SQLITE_TRANSIENT);
    return *this;
}
Statement& Statement::BindNull(int i) {
    sqlite3_bind_null(m_stmt, i);
    return *this;
}

bool Statement::Step() {
    int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) return true;
    if (rc == SQLITE_DONE) return false;
    SqliteError e{rc, sqlite3_errmsg(m_db)};
    sqlite3_reset(m_stmt);
    throw e;
}

int Statement::Run() {
    while (Step()) {
    }
    return sqlite3_changes(m_db);
}

void Statement::Reset() {
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
}

std::string Statement::Text(int c) const {
    const unsigned char* t = sqlite3_column_text(m_stmt, c);
    return t ? std::string(reinterpret_cast<const char*>(t), static_cast<size_t>(sqlite3_column_bytes(m_stmt, c)))
             : std::string();
}
int64_t Statement::Int(int c) const { return sqlite3_column_int64(m_stmt, c); }
double Statement::Real(int c) const { return sqlite3_column_double(m_stmt, c); }
bool Statement::IsNull(int c) const { return sqlite3_column_type(m_stmt, c) == SQLITE_NULL; }

void Exec(sqlite3* db, const std::string& sql) {
    char* err = nullptr;
    int rc = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &err);
    if (rc != SQLITE_OK) {
        SqliteError e{rc, err ? err : sqlite3_errmsg(db)};
        sqlite3_free(err);
        throw e;
    }
}

}  // namespace norvdb
