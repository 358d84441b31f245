// Helpers shared by the tests of the embedded database stand-ins: a data
// home of the test's own (GEOXFER_DB_HOME in a TempDir), connections, and
// SQL sent through FDO's SQL command exactly as the engine sends it.
#pragma once

#include <Fdo.h>

#include <gtest/gtest.h>

#include "TestData.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

namespace norvtest {

namespace fs = std::filesystem;

// Points GEOXFER_DB_HOME at a fresh folder for the life of the object.
class DataHome {
public:
    explicit DataHome(const std::string& name) : m_dir(geoxfer_test::TempDir("norvdb-" + name)) {
        if (const char* old = std::getenv("GEOXFER_DB_HOME")) m_old = old, m_had = true;
        setenv("GEOXFER_DB_HOME", m_dir.c_str(), 1);
    }
    ~DataHome() {
        if (m_had) setenv("GEOXFER_DB_HOME", m_old.c_str(), 1);
        else unsetenv("GEOXFER_DB_HOME");
        std::error_code ec;
        fs::remove_all(m_dir, ec);
    }
    const fs::path& Dir() const { return m_dir; }

private:
    fs::path m_dir;
    std::string m_old;
    bool m_had = false;
};

template <class F>
std::string ErrorOf(F&& body) {
    try {
        body();
    } catch (FdoException* e) {
        std::string text = FdoStringP::Utf8FromUnicode(e->GetExceptionMessage());
        e->Release();
        return text;
    }
    return "";
}

inline FdoIConnection* Connect(FdoString* provider, const std::wstring& connectionString, bool open = true) {
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> c = manager->CreateConnection(provider);
    c->SetConnectionString(connectionString.c_str());
    if (open) c->Open();
    return c.Detach();
}

inline FdoIConnection* Oracle(const std::wstring& user = L"GIS", const std::wstring& password = L"secret",
                              const std::wstring& service = L"ORCL", const std::wstring& schema = L"") {
    return Connect(L"Norv.Oracle", L"Username=" + user + L";Password=" + password + L";Service=" + service +
                                       L";OracleSchema=" + schema + L";");
}

// The SQL command of the common execution step: text, then parameters
// "1", "2", ... as string data values.
inline FdoISQLCommand* SqlCommand(FdoIConnection* c, const std::wstring& sql, const std::vector<std::wstring>& params) {
    FdoPtr<FdoISQLCommand> cmd = static_cast<FdoISQLCommand*>(c->CreateCommand(FdoCommandType_SQLCommand));
    cmd->SetSQLStatement(sql.c_str());
    FdoPtr<FdoParameterValueCollection> values = cmd->GetParameterValues();
    for (size_t i = 0; i < params.size(); i++) {
        FdoPtr<FdoDataValue> v = FdoDataValue::Create(params[i].c_str());
        FdoPtr<FdoParameterValue> p = FdoParameterValue::Create(std::to_wstring(i + 1).c_str(), v);
        values->Add(p);
    }
    return cmd.Detach();
}

inline int Exec(FdoIConnection* c, const std::wstring& sql, const std::vector<std::wstring>& params = {}) {
    FdoPtr<FdoISQLCommand> cmd = SqlCommand(c, sql, params);
    return cmd->ExecuteNonQuery();
}

using Rows = std::vector<std::vector<std::wstring>>;

// The named columns of every row, read with GetString (null reads as "").
inline Rows Query(FdoIConnection* c, const std::wstring& sql, const std::vector<std::wstring>& columns,
                  const std::vector<std::wstring>& params = {}) {
    FdoPtr<FdoISQLCommand> cmd = SqlCommand(c, sql, params);
    FdoPtr<FdoISQLDataReader> r = cmd->ExecuteReader();
    Rows rows;
    while (r->ReadNext()) {
        std::vector<std::wstring> row;
        for (auto& col : columns) row.push_back(r->GetString(col.c_str()));
        rows.push_back(row);
    }
    return rows;
}

}  // namespace norvtest
