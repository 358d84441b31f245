// Columns and primary keys of Oracle tables and views through the engine
// operations, against the embedded Norv.Oracle store: the table form of the
// key is enforced, the view form declared only (DISABLE NOVALIDATE), and the
// form is chosen by the view test.
#include <GeoxferApi/FDO_Api.h>

#include "DbToolsTestSupport.h"

using namespace dbtest;

namespace {

class OraclePrimaryKeyTest : public OracleDbTest {
protected:
    void SetUp() override {
        OracleDbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        Exec(m_ora, L"CREATE TABLE GIS.PARCELS (ID NUMBER(10), CODE VARCHAR2(10), NAME VARCHAR2(20))");
        Exec(m_ora, L"INSERT INTO GIS.PARCELS (ID, CODE, NAME) VALUES (1, 'A', 'one')");
        Exec(m_ora, L"INSERT INTO GIS.PARCELS (ID, CODE, NAME) VALUES (2, 'B', 'two')");
        Exec(m_ora, L"CREATE VIEW GIS.PARCELS_V AS SELECT ID, CODE FROM GIS.PARCELS");
    }

    std::vector<std::wstring> Key(FdoString* table) {
        FdoPtr<FdoStringCollection> cols = FdoStringCollection::Create();
        int n = c_FDO_Api::NorvOracle_GetPkeyColumns(m_ora, L"GIS", table, cols);
        auto out = Strings(cols);
        EXPECT_EQ(static_cast<size_t>(n), out.size());
        std::sort(out.begin(), out.end());
        return out;
    }

    static FdoPtr<FdoStringCollection> Columns(std::initializer_list<FdoString*> names) {
        FdoPtr<FdoStringCollection> c = FdoStringCollection::Create();
        for (FdoString* n : names) c->Add(FdoStringP(n));
        return c;
    }
};

}  // namespace

TEST_F(OraclePrimaryKeyTest, ColumnsOfTablesAndViews) {
    FdoPtr<FdoStringCollection> cols = FdoStringCollection::Create();
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetTableColumns(m_ora, L"GIS", L"PARCELS", cols), 3);
    auto t = Strings(cols);
    ASSERT_EQ(t.size(), 6u);
    EXPECT_EQ(t[0], L"ID");
    EXPECT_EQ(t[1], L"NUMBER");
    EXPECT_EQ(t[4], L"NAME");
    EXPECT_EQ(t[5], L"VARCHAR2");
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetTableColumns(m_ora, L"GIS", L"PARCELS_V", cols), 2);
    EXPECT_EQ(cols->GetCount(), 10);  // appended
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetTableColumns(m_ora, L"GIS", L"parcels", cols), 0);
}

TEST_F(OraclePrimaryKeyTest, ViewTestIsExact) {
    EXPECT_TRUE(c_FDO_Api::NorvOracle_IsView(m_ora, L"GIS", L"PARCELS_V"));
    EXPECT_FALSE(c_FDO_Api::NorvOracle_IsView(m_ora, L"GIS", L"PARCELS"));
    EXPECT_FALSE(c_FDO_Api::NorvOracle_IsView(m_ora, L"GIS", L"parcels_v"));
    EXPECT_FALSE(c_FDO_Api::NorvOracle_IsView(m_ora, L"gis", L"PARCELS_V"));
}

TEST_F(OraclePrimaryKeyTest, KeyOnATableIsEnforced) {
    EXPECT_TRUE(Key(L"PARCELS").empty());
    FdoPtr<FdoStringCollection> cols = Columns({L"ID", L"CODE"});
    EXPECT_TRUE(c_FDO_Api::NorvOracle_CreatePrimaryKey(m_ora, L"GIS", L"PARCELS", cols, L"PARCELS_PK"));
    EXPECT_EQ(Key(L"PARCELS"), (std::vector<std::wstring>{L"CODE", L"ID"}));
    // Enforced: a duplicate key is refused.
    ExpectFdoError([&] { Exec(m_ora, L"INSERT INTO GIS.PARCELS (ID, CODE, NAME) VALUES (1, 'A', 'again')"); });
    // A second key is the database's error.
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_CreatePrimaryKey(m_ora, L"GIS", L"PARCELS", cols, L"PARCELS_PK2"); });

    EXPECT_TRUE(c_FDO_Api::NorvOracle_DropPrimaryKey(m_ora, L"GIS", L"PARCELS"));
    EXPECT_TRUE(Key(L"PARCELS").empty());
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_DropPrimaryKey(m_ora, L"GIS", L"PARCELS"); });
}

TEST_F(OraclePrimaryKeyTest, DuplicateValuesRefuseATableKeyButNotAViewKey) {
    Exec(m_ora, L"INSERT INTO GIS.PARCELS (ID, CODE, NAME) VALUES (1, 'C', 'dup')");
    FdoPtr<FdoStringCollection> id = Columns({L"ID"});
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_CreatePrimaryKey(m_ora, L"GIS", L"PARCELS", id, L"PARCELS_PK"); });
    EXPECT_TRUE(Key(L"PARCELS").empty());

    // Declared on the view, not validated.
    EXPECT_TRUE(c_FDO_Api::NorvOracle_CreatePrimaryKey(m_ora, L"GIS", L"PARCELS_V", id, L"PARCELS_V_PK"));
    EXPECT_EQ(Key(L"PARCELS_V"), (std::vector<std::wstring>{L"ID"}));
    EXPECT_TRUE(c_FDO_Api::NorvOracle_DropPrimaryKey(m_ora, L"GIS", L"PARCELS_V"));
    EXPECT_TRUE(Key(L"PARCELS_V").empty());
}

TEST_F(OraclePrimaryKeyTest, ALowerCaseViewNameIsTakenForATable) {
    // The view test finds nothing, so the table form is sent, and the
    // database finds no such table.
    FdoPtr<FdoStringCollection> id = Columns({L"ID"});
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_CreatePrimaryKey(m_ora, L"GIS", L"NO_SUCH", id, L"X_PK"); });
}

TEST_F(OraclePrimaryKeyTest, KeyNamesMustBePlainAndColumnsGiven) {
    FdoPtr<FdoStringCollection> bad = Columns({L"ID) ; DROP TABLE GIS.PARCELS; --"});
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_CreatePrimaryKey(m_ora, L"GIS", L"PARCELS", bad, L"PK"); });
    FdoPtr<FdoStringCollection> id = Columns({L"ID"});
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_CreatePrimaryKey(m_ora, L"GIS", L"PARCELS", id, L"PK primary key (NAME)"); });
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_DropPrimaryKey(m_ora, L"GIS", L"PARCELS DROP COLUMN NAME"); });
    FdoPtr<FdoStringCollection> none = FdoStringCollection::Create();
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_CreatePrimaryKey(m_ora, L"GIS", L"PARCELS", none, L"PK"); });
    ExpectFdoError([&] { c_FDO_Api::NorvOracle_CreatePrimaryKey(m_ora, L"GIS", L"PARCELS", nullptr, L"PK"); });
    EXPECT_EQ(CountRows(m_ora, L"GIS.PARCELS"), 2);
    EXPECT_TRUE(Key(L"PARCELS").empty());
}
