// Sessions with the emulated databases; see NorvDatabase.h.
#include "NorvDatabase.h"

#include "NorvDictionary.h"
#include "NorvRewriter.h"
#include "NorvSqlFunctions.h"

#include <cctype>
#include <cstdlib>
#include <random>
#include <stdexcept>

namespace norvdb {

namespace {

// FNV-1a, iterated: enough to keep passwords out of plain sight in a
// stand-in database; it is no protection against a determined reader.
std::string HashPassword(const std::string& salt, const std::string& password) {
    uint64_t h = 1469598103934665603ull;
    std::string data = salt + "\x1f" + password;
    for (int round = 0; round < 4096; round++) {
        for (unsigned char c : data) {
            h ^= c;
            h *= 1099511628211ull;
        }
        h ^= static_cast<uint64_t>(round);
    }
    char buf[17];
    std::snprintf(buf, sizeof buf, "%016llx", static_cast<unsigned long long>(h));
    return buf;
}

std::string NewSalt() {
    std::random_device rd;
    char buf[17];
    std::snprintf(buf, sizeof buf, "%08x%08x", rd(), rd());
    return buf;
}

std::string FirstWord(const std::string& sql) {
    size_t i = 0;
    while (i < sql.size() && !std::isalpha(static_cast<unsigned char>(sql[i]))) i++;
    std::string w;
    while (i < sql.size() && std::isalpha(static_cast<unsigned char>(sql[i])))
        w += static_cast<char>(std::toupper(static_cast<unsigned char>(sql[i++])));
    return w;
}

}  // namespace

std::filesystem::path NorvDatabase::DataHome() {
    if (const char* env = std::getenv("GEOXFER_DB_HOME"); env && *env) return env;
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".local/share/geoxfer/db";
}

std::string NorvDatabase::SafeName(const std::string& name) {
    std::string out;
    for (unsigned char c : name) out += (std::isalnum(c) || c == '.' || c == '-' || c == '_') ? static_cast<char>(c) : '_';
    if (out.empty() || out == "." || out == "..") out = "_" + out;
    return out;
}

NorvDatabase::NorvDatabase(const NorvDialect& dialect, std::filesystem::path folder)
    : m_dialect(dialect), m_folder(std::move(folder)) {}

NorvDatabase::~NorvDatabase() {
    if (m_db) {
        if (!sqlite3_get_autocommit(m_db)) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close_v2(m_db);
    }
}

std::unique_ptr<NorvDatabase> NorvDatabase::Open(const NorvDialect& dialect, const std::filesystem::path& folder,
                                                 const NorvLogin& login) {
    std::unique_ptr<NorvDatabase> db(new NorvDatabase(dialect, folder));
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec)
        throw FdoConnectionException::Create(FdoStringP::Format(L"Cannot create the database folder '%ls': %ls",
                                                                (FdoString*)FdoStringP(folder.string().c_str()),
                                                                (FdoString*)FdoStringP(ec.message().c_str())));
    std::string catalog = (folder / "catalog.sqlite").string();
    int rc = sqlite3_open_v2(catalog.c_str(), &db->m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    if (rc != SQLITE_OK)
        throw FdoConnectionException::Create(FdoStringP::Format(
            L"Cannot open the database '%ls': %ls", (FdoString*)FdoStringP(catalog.c_str()),
            (FdoString*)FdoStringP(db->m_db ? sqlite3_errmsg(db->m_db) : "out of memory")));
    try {
        sqlite3_busy_timeout(db->m_db, 15000);
        RegisterSqlFunctions(db->m_db);
        // WAL: readers of one session never block the writer of another (a
        // copy reads and writes the same database); NORMAL sync commits
        // without a flush per transaction, durable short of a power cut.
        Exec(db->m_db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL");
        NorvDictionary::CreateCatalog(*db);
        db->Login(login);
        NorvDictionary::CreateSessionViews(*db);
    } catch (SqliteError& e) {
        throw FdoConnectionException::Create(FdoStringP::Format(L"Cannot open the database '%ls': %ls",
                                                                (FdoString*)FdoStringP(catalog.c_str()),
                                                                (FdoString*)FdoStringP(e.message.c_str())));
    } catch (FdoException* e) {
        FdoStringP msg = e->GetExceptionMessage();
        e->Release();
        throw FdoConnectionException::Create(msg);
    }
    return db;
}

std::string NorvDatabase::StoredName(const std::string& name) const {
    if (!m_dialect.upperCaseNames) return name;
    std::wstring w = FdoStringP::Utf8ToUnicode(name.c_str());
    for (auto& c : w) c = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(c)));
    return FdoStringP::Utf8FromUnicode(w.c_str());
}

void NorvDatabase::Login(const NorvLogin& login) {
    std::string user = StoredName(login.user);
    switch (m_dialect.kind) {
        case DialectKind::Oracle:
            if (user.empty()) throw Error(NorvError::LogonDenied, "no user name was given");
            m_owner = user;
            break;
        case DialectKind::MsSql: m_owner = "dbo"; break;
        case DialectKind::Informix: m_owner = "informix"; break;
    }
    if (!user.empty()) {
        Statement find(m_db, "SELECT SALT, HASH FROM NORV$USERS WHERE USERNAME = ?");
        find.Bind(1, user);
        if (find.Step()) {
            if (HashPassword(find.Text(0), login.password) != find.Text(1))
                throw Error(NorvError::LogonDenied, "user '" + user + "'");
        } else {
            std::string salt = NewSalt();
            Statement add(m_db, "INSERT INTO NORV$USERS (USERNAME, SALT, HASH) VALUES (?, ?, ?)");
            add.Bind(1, user).Bind(2, salt).Bind(3, HashPassword(salt, login.password)).Run();
        }
    }
    AttachOwner(m_owner, true);
    std::string schema = StoredName(login.schema);
    if (!schema.empty() && !HasOwner(schema)) AttachOwner(schema, true);
    std::vector<std::string> known;
    {
        Statement owners(m_db, "SELECT OWNER FROM NORV$OWNERS ORDER BY OWNER");
        while (owners.Step()) known.push_back(owners.Text(0));
    }
    // Other owners as far as SQLite's limit of attached files allows; the
    // session's own schemas are attached already.
    for (auto& o : known) {
        if (HasOwner(o)) continue;
        try {
            AttachOwner(o, false);
        } catch (SqliteError&) {
            break;
        }
    }
}

void NorvDatabase::AttachOwner(const std::string& owner, bool create) {
    Statement find(m_db, "SELECT FILE FROM NORV$OWNERS WHERE OWNER = ?");
    find.Bind(1, owner);
    std::string file;
    if (find.Step()) {
        file = find.Text(0);
    } else {
        if (!create) return;
        // Distinct owners may share a safe name ("a b" and "a_b").
        std::string base = "owner-" + SafeName(owner);
        file = base + ".sqlite";
        for (int n = 2; std::filesystem::exists(m_folder / file); n++) file = base + "-" + std::to_string(n) + ".sqlite";
        Statement add(m_db, "INSERT INTO NORV$OWNERS (OWNER, FILE) VALUES (?, ?)");
        add.Bind(1, owner).Bind(2, file).Run();
    }
    Statement attach(m_db, "ATTACH DATABASE ? AS " + SqlName(owner));
    attach.Bind(1, (m_folder / file).string()).Run();
    Exec(m_db, "PRAGMA " + SqlName(owner) + ".journal_mode=WAL; PRAGMA " + SqlName(owner) + ".synchronous=NORMAL");
    m_owners.push_back(owner);
}

void NorvDatabase::RefreshOwners() {
    if (!sqlite3_get_autocommit(m_db)) return;
    try {
        std::vector<std::string> fresh;
        {
            Statement owners(m_db, "SELECT OWNER FROM NORV$OWNERS ORDER BY OWNER");
            while (owners.Step())
                if (!HasOwner(owners.Text(0))) fresh.push_back(owners.Text(0));
        }
        if (fresh.empty()) return;
        for (auto& o : fresh) AttachOwner(o, false);
        NorvDictionary::CreateSessionViews(*this);
    } catch (SqliteError&) {
        // Busy or locked: the next statement tries again.
    }
}

bool NorvDatabase::HasOwner(const std::string& owner) const {
    for (auto& o : m_owners)
        if (sqlite3_stricmp(o.c_str(), owner.c_str()) == 0) return true;
    return false;
}

FdoException* NorvDatabase::Error(NorvError error, const std::string& detail) const {
    return NorvErrors::Make(m_dialect, error, detail);
}

FdoException* NorvDatabase::Error(const SqliteError& e) const { return NorvErrors::FromSqlite(m_dialect, e); }

void NorvDatabase::Run(const std::string& sql) {
    try {
        Exec(m_db, sql);
    } catch (SqliteError& e) {
        throw Error(e);
    }
}

std::unique_ptr<Statement> NorvDatabase::Prepare(const std::string& sql) {
    try {
        return std::make_unique<Statement>(m_db, sql);
    } catch (SqliteError& e) {
        throw Error(e);
    }
}

int NorvDatabase::Execute(const std::string& sql, const SqlBindings& bindings, std::unique_ptr<Statement>* rows) {
    RefreshOwners();
    NorvStatement st;
    try {
        st = NorvRewriter::Rewrite(sql, {m_dialect.upperCaseNames, m_owner});
    } catch (std::invalid_argument& e) {
        throw Error(NorvError::InvalidSql, e.what());
    }
    try {
        return Execute(st, bindings, rows);
    } catch (SqliteError& e) {
        throw Error(e);
    }
}

int NorvDatabase::Execute(const NorvStatement& st, const SqlBindings& bindings, std::unique_ptr<Statement>* rows) {
    switch (st.kind) {
        case StatementKind::CreateIndex: NorvDictionary::CreateIndex(*this, st); return 0;
        case StatementKind::RebuildIndex: NorvDictionary::RebuildIndex(*this, st); return 0;
        case StatementKind::DropIndex: NorvDictionary::DropIndex(*this, st); return 0;
        case StatementKind::AddPrimaryKey: NorvDictionary::AddPrimaryKey(*this, st); return 0;
        case StatementKind::DropPrimaryKey: NorvDictionary::DropPrimaryKey(*this, st); return 0;
        default: break;
    }
    if (!st.object.owner.empty() && !HasOwner(st.object.owner))
        throw Error(NorvError::NoSuchUser, "user '" + st.object.owner + "'");
    if (st.kind == StatementKind::CreateView && st.replace)
        Run("DROP VIEW IF EXISTS " + SqlName(st.object.owner) + "." + SqlName(st.object.name));

    std::unique_ptr<Statement> stmt = Prepare(st.sql);
    sqlite3_stmt* h = stmt->Handle();
    int count = sqlite3_bind_parameter_count(h);
    for (int i = 1; i <= count; i++) {
        const char* name = sqlite3_bind_parameter_name(h, i);
        std::string key = name ? std::string(name + 1) : std::to_string(i);
        const SqlValue* value = nullptr;
        for (auto& [n, v] : bindings)
            if (n == key) value = &v;
        if (!value) throw Error(NorvError::Other, "ORA-01008: not all variables bound (:" + key + ")");
        switch (value->kind) {
            case SqlValue::Null: stmt->BindNull(i); break;
            case SqlValue::Int: stmt->Bind(i, value->i); break;
            case SqlValue::Real: stmt->Bind(i, value->d); break;
            case SqlValue::Text: stmt->Bind(i, value->s); break;
            case SqlValue::Blob: stmt->BindBlob(i, value->b); break;
        }
    }
    if (rows && sqlite3_column_count(h) > 0) {
        *rows = std::move(stmt);
        return 0;
    }
    int changed = 0;
    try {
        changed = stmt->Run();
    } catch (SqliteError& e) {
        throw Error(e);
    }
    if (st.kind == StatementKind::DropTable || st.kind == StatementKind::DropView)
        NorvDictionary::ForgetObject(*this, st.object);
    std::string verb = FirstWord(st.sql);
    return verb == "INSERT" || verb == "UPDATE" || verb == "DELETE" || verb == "REPLACE" ? changed : 0;
}

void NorvDatabase::Begin() {
    if (sqlite3_get_autocommit(m_db)) Run("BEGIN IMMEDIATE");
}

void NorvDatabase::Commit() {
    if (!sqlite3_get_autocommit(m_db)) Run("COMMIT");
}

void NorvDatabase::Rollback() {
    if (!sqlite3_get_autocommit(m_db)) sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
}

bool NorvDatabase::InTransaction() const { return !sqlite3_get_autocommit(m_db); }

}  // namespace norvdb
