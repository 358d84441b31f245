// NorvDatabase: one session with an emulated database, held in SQLite
// files under the data home.
//
// Layout: the data home ($GEOXFER_DB_HOME, default
// ~/.local/share/geoxfer/db) has one folder per dialect, and in it one
// folder per service (Oracle), server and database (SQL Server) or data
// source name (Informix). That folder holds catalog.sqlite — users, the
// owners (schemas) and the data dictionary — and one file per owner,
// attached under the owner's name so that OWNER.TABLE resolves natively.
// The session's own schema is attached first, so unqualified names find
// its tables first.
//
// Statements arrive in the dialect and run through NorvRewriter; index
// and key statements are carried out by NorvDictionary. Failures surface
// as FdoException with the dialect's error text (NorvErrors).
#pragma once

#include "NorvDialect.h"
#include "NorvErrors.h"
#include "NorvSqlite.h"
#include "NorvStatement.h"

#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace norvdb {

struct SqlValue {
    enum Kind { Null, Int, Real, Text, Blob } kind = Null;
    int64_t i = 0;
    double d = 0;
    std::string s;
    std::vector<unsigned char> b;
};

// Parameter values by name, without the leading ':'.
using SqlBindings = std::vector<std::pair<std::string, SqlValue>>;

struct NorvLogin {
    std::string user;       // as given; empty for data sources without users
    std::string password;
    std::string schema;     // extra owner to make available (may be empty)
};

class NorvDatabase {
public:
    // The data home: $GEOXFER_DB_HOME, else ~/.local/share/geoxfer/db.
    static std::filesystem::path DataHome();
    // A folder or file name made of letters, digits, '.', '-' and '_' only.
    static std::string SafeName(const std::string& name);

    // Opens (creating when missing) the database in folder and logs in.
    // Throws FdoConnectionException; a wrong password names the user.
    static std::unique_ptr<NorvDatabase> Open(const NorvDialect& dialect, const std::filesystem::path& folder,
                                              const NorvLogin& login);
    ~NorvDatabase();
    NorvDatabase(const NorvDatabase&) = delete;
    NorvDatabase& operator=(const NorvDatabase&) = delete;

    sqlite3* Handle() const { return m_db; }
    const NorvDialect& Dialect() const { return m_dialect; }
    const std::filesystem::path& Folder() const { return m_folder; }
    // The session's own schema, where unqualified new objects go.
    const std::string& CurrentOwner() const { return m_owner; }
    const std::vector<std::string>& Owners() const { return m_owners; }
    bool HasOwner(const std::string& owner) const;
    // Attaches the owners other sessions created since this one opened
    // (outside a transaction only; a failure leaves it for the next call).
    void RefreshOwners();
    // A name in the case the dialect stores it (upper-case for Oracle).
    std::string StoredName(const std::string& name) const;

    // Runs one statement of the dialect. When rows is given and the
    // statement returns rows, *rows receives it before its first row.
    // Returns the rows changed (0 for anything but INSERT/UPDATE/DELETE).
    int Execute(const std::string& sql, const SqlBindings& bindings, std::unique_ptr<Statement>* rows);

    // Runs SQLite text of the store's own; errors become the dialect's.
    void Run(const std::string& sqliteSql);
    std::unique_ptr<Statement> Prepare(const std::string& sqliteSql);

    // Chunked write transaction of the feature inserts.
    void Begin();
    void Commit();
    void Rollback();
    bool InTransaction() const;

    FdoException* Error(NorvError error, const std::string& detail = "") const;
    FdoException* Error(const SqliteError& e) const;

private:
    NorvDatabase(const NorvDialect& dialect, std::filesystem::path folder);
    void Login(const NorvLogin& login);
    int Execute(const NorvStatement& st, const SqlBindings& bindings, std::unique_ptr<Statement>* rows);
    void AttachOwner(const std::string& owner, bool create);

    const NorvDialect& m_dialect;
    std::filesystem::path m_folder;
    sqlite3* m_db = nullptr;
    std::string m_owner;
    std::vector<std::string> m_owners;
};

}  // namespace norvdb
