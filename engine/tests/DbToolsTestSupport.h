// Shared set-up of the database tool tests: a fresh data home for the
// embedded Norv.Oracle and Norv.MsSqlSpatial stores, connections made by
// provider name through the connection manager, and small helpers that run
// SQL of the test's own (to prepare tables and to look at what the engine
// operations left behind) through the same FDO SQL command.
#pragma once

#include <Fdo.h>

#include "TestData.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace dbtest {

// Text of a collection, in order.
inline std::vector<std::wstring> Strings(FdoStringCollection* c) {
    std::vector<std::wstring> out;
    for (FdoInt32 i = 0; c && i < c->GetCount(); i++) out.emplace_back(c->GetString(i));
    return out;
}

inline FdoISQLCommand* SqlCommand(FdoIConnection* c, FdoString* sql) {
    FdoPtr<FdoICommand> cmd = c->CreateCommand(FdoCommandType_SQLCommand);
    auto* s = dynamic_cast<FdoISQLCommand*>(cmd.p);
    s->SetSQLStatement(sql);
    return FDO_SAFE_ADDREF(s);
}

inline FdoInt32 Exec(FdoIConnection* c, FdoString* sql) {
    FdoPtr<FdoISQLCommand> cmd = SqlCommand(c, sql);
    return cmd->ExecuteNonQuery();
}

// The rows of a query, each row its columns as text; a NULL column reads
// as "<null>" so that tests can tell it from an empty text.
inline std::vector<std::vector<std::wstring>> Rows(FdoIConnection* c, FdoString* sql) {
    FdoPtr<FdoISQLCommand> cmd = SqlCommand(c, sql);
    FdoPtr<FdoISQLDataReader> r = cmd->ExecuteReader();
    std::vector<std::vector<std::wstring>> rows;
    while (r->ReadNext()) {
        std::vector<std::wstring> row;
        for (FdoInt32 i = 0; i < r->GetColumnCount(); i++) {
            if (r->IsNull(i)) {
                row.emplace_back(L"<null>");
                continue;
            }
            if (r->GetPropertyType(i) == FdoPropertyType_GeometricProperty) {
                row.emplace_back(L"<geometry>");
                continue;
            }
            switch (r->GetColumnType(i)) {
                case FdoDataType_String: row.emplace_back(r->GetString(i)); break;
                case FdoDataType_Int16: row.push_back(std::to_wstring(r->GetInt16(i))); break;
                case FdoDataType_Int32: row.push_back(std::to_wstring(r->GetInt32(i))); break;
                case FdoDataType_Int64: row.push_back(std::to_wstring(r->GetInt64(i))); break;
                case FdoDataType_Double:
                case FdoDataType_Decimal: row.emplace_back(FdoStringP::Format(L"%g", r->GetDouble(i))); break;
                default: row.emplace_back(L"<value>"); break;
            }
        }
        rows.push_back(row);
    }
    r->Close();
    return rows;
}

inline long long CountRows(FdoIConnection* c, const std::wstring& table) {
    auto rows = Rows(c, (L"SELECT COUNT(*) AS N FROM " + table).c_str());
    return rows.size() == 1 ? std::stoll(rows[0][0]) : -1;
}

// Gives every test its own data home and removes it afterwards; the
// connections are made with Connect and closed in TearDown.
class NorvDbTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_home = geoxfer_test::TempDir(std::string("norvdb-") +
                                       ::testing::UnitTest::GetInstance()->current_test_info()->name());
        setenv("GEOXFER_DB_HOME", m_home.c_str(), 1);
    }

    void TearDown() override {
        for (auto& c : m_connections) {
            try {
                c->Close();
            } catch (FdoException* e) {
                e->Release();
            }
        }
        m_connections.clear();
        unsetenv("GEOXFER_DB_HOME");
        std::filesystem::remove_all(m_home);
    }

    // An open connection, or null with the reason in `why` when the
    // provider is not there (`registered` false) or does not open.
    FdoIConnection* Connect(FdoString* provider, FdoString* connString, std::string& why,
                            bool* registered = nullptr) {
        if (registered) *registered = false;
        try {
            FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
            FdoPtr<FdoIConnection> c = manager->CreateConnection(provider);
            if (registered) *registered = true;
            c->SetConnectionString(connString);
            if (c->Open() != FdoConnectionState_Open) {
                why = "the connection did not open";
                return nullptr;
            }
            m_connections.push_back(c);
            return c;
        } catch (FdoException* e) {
            why = static_cast<const char*>(FdoStringP(e->GetExceptionMessage()));
            e->Release();
            return nullptr;
        }
    }

    std::filesystem::path m_home;
    std::vector<FdoPtr<FdoIConnection>> m_connections;
};

// Fixture with an Oracle connection as user GIS (m_ora); the test is skipped
// with the reason when the Norv.Oracle stand-in cannot be reached.
class OracleDbTest : public NorvDbTest {
protected:
    void SetUp() override {
        NorvDbTest::SetUp();
        std::string why;
        bool registered = false;
        m_ora = Connect(L"Norv.Oracle", L"Username=GIS;Password=secret;Service=TESTDB", why, &registered);
        if (!registered) GTEST_SKIP() << "Norv.Oracle stand-in not registered: " << why;
        ASSERT_NE(m_ora, nullptr) << "Norv.Oracle stand-in does not open: " << why;
    }

    // A second user of the same service, for rows of another owner.
    FdoIConnection* ConnectAs(FdoString* user) {
        std::string why;
        FdoIConnection* c =
            Connect(L"Norv.Oracle", (FdoStringP(L"Username=") + user + L";Password=secret;Service=TESTDB"), why);
        EXPECT_NE(c, nullptr) << why;
        return c;
    }

    FdoIConnection* m_ora = nullptr;
};

class MsSqlDbTest : public NorvDbTest {
protected:
    void SetUp() override {
        NorvDbTest::SetUp();
        std::string why;
        bool registered = false;
        m_mss = Connect(L"Norv.MsSqlSpatial",
                        L"Server=localhost;Database=gisdb;Username=sa;Password=secret;NorvFdoClass=FdoClassMap", why,
                        &registered);
        if (!registered) GTEST_SKIP() << "Norv.MsSqlSpatial stand-in not registered: " << why;
        ASSERT_NE(m_mss, nullptr) << "Norv.MsSqlSpatial stand-in does not open: " << why;
    }

    FdoIConnection* m_mss = nullptr;
};

// What LoadShapeFeatures copied: the count and the extent of the geometries
// as the shape file's own features give it.
struct Loaded {
    long long count = 0;
    double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
};

// Reads every feature of the shape file with OSGeo.SHP and inserts its
// geometry, numbered from 1 in `idProperty`, into the destination class
// through the destination provider's own insert command.
inline Loaded LoadShapeFeatures(const std::filesystem::path& shp, FdoIConnection* dest, FdoString* className,
                                FdoString* idProperty, FdoString* geomProperty) {
    Loaded loaded;
    FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
    FdoPtr<FdoIConnection> src = manager->CreateConnection(L"OSGeo.SHP");
    src->SetConnectionString(FdoStringP(L"DefaultFileLocation=") + FdoStringP(shp.string().c_str()));
    EXPECT_EQ(src->Open(), FdoConnectionState_Open);
    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(src->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(FdoStringP(shp.stem().string().c_str()));
    FdoPtr<FdoIFeatureReader> reader = select->Execute();

    FdoPtr<FdoIInsert> insert = static_cast<FdoIInsert*>(dest->CreateCommand(FdoCommandType_Insert));
    insert->SetFeatureClassName(className);
    FdoPtr<FdoPropertyValueCollection> values = insert->GetPropertyValues();
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    while (reader->ReadNext()) {
        if (reader->IsNull(L"Geometry")) continue;
        FdoPtr<FdoByteArray> fgf = reader->GetGeometry(L"Geometry");
        FdoPtr<FdoIGeometry> g = factory->CreateGeometryFromFgf(fgf);
        FdoPtr<FdoIEnvelope> e = g->GetEnvelope();
        loaded.minX = std::min(loaded.minX, e->GetMinX());
        loaded.minY = std::min(loaded.minY, e->GetMinY());
        loaded.maxX = std::max(loaded.maxX, e->GetMaxX());
        loaded.maxY = std::max(loaded.maxY, e->GetMaxY());
        values->Clear();
        FdoPtr<FdoDataValue> id = FdoDataValue::Create(static_cast<FdoInt32>(++loaded.count));
        FdoPtr<FdoPropertyValue> idValue = FdoPropertyValue::Create(idProperty, id);
        values->Add(idValue);
        FdoPtr<FdoGeometryValue> gv = FdoGeometryValue::Create(fgf);
        FdoPtr<FdoPropertyValue> geomValue = FdoPropertyValue::Create(geomProperty, gv);
        values->Add(geomValue);
        FdoPtr<FdoIFeatureReader> ids = insert->Execute();
        ids->Close();
    }
    reader->Close();
    src->Close();
    return loaded;
}

// Runs the statement expecting an FdoException; returns its message.
template <class F>
std::wstring ExpectFdoError(F&& f) {
    try {
        f();
    } catch (FdoException* e) {
        std::wstring m = e->GetExceptionMessage();
        e->Release();
        return m;
    }
    ADD_FAILURE() << "no FdoException was thrown";
    return L"";
}

}  // namespace dbtest
