// The SQL Server NorvFdoClass class-mapping table through
// c_API_NorvMsSqlSpatial, against the embedded Norv.MsSqlSpatial store:
// provider test and table-name property, create, insert, list, update
// (rename), delete and drop, and values with single quotes.
#include <GeoxferApi/API_NorvMsSqlSpatial.h>

#include "DbToolsTestSupport.h"
#include "FakeProvider.h"

using namespace dbtest;

namespace {

const wchar_t* const kTable = L"FdoClassMap";

FdoPtr<c_MssNorvFdoClassData> FullRecord(FdoString* className) {
    FdoPtr<c_MssNorvFdoClassData> d = new c_MssNorvFdoClassData();
    d->m_FdoSchema = L"dbo";
    d->m_FdoClassName = className;
    d->m_QuerySchema = L"dbo";
    d->m_QueryName = L"roads_q";
    d->m_GeomTableSchema = L"gis";
    d->m_GeomTableName = L"roads";
    d->m_GeomColumn = L"geom";
    d->m_GeometryType = L"linestring";
    d->m_ClassIdentity = L"road_id";
    return d;
}

std::vector<std::wstring> Members(c_MssNorvFdoClassData* d) {
    return {d->m_FdoSchema.Str(),       d->m_FdoClassName.Str(),  d->m_QuerySchema.Str(),
            d->m_QueryName.Str(),       d->m_GeomTableSchema.Str(), d->m_GeomTableName.Str(),
            d->m_GeomColumn.Str(),      d->m_GeometryType.Str(),  d->m_ClassIdentity.Str()};
}

FdoPtr<c_MssNorvFdoClassDataCollection> List(FdoIConnection* c, FdoString* table, int expected) {
    FdoPtr<c_MssNorvFdoClassDataCollection> records = c_MssNorvFdoClassDataCollection::Create();
    EXPECT_EQ(c_API_NorvMsSqlSpatial::GetNorvFdoClassRecords(c, table, records), expected);
    return records;
}

}  // namespace

TEST(MssNorvFdoClassData, CopiesAllNineMembers) {
    FdoPtr<c_MssNorvFdoClassData> a = FullRecord(L"Roads");
    FdoPtr<c_MssNorvFdoClassData> b = new c_MssNorvFdoClassData(*a);
    EXPECT_EQ(Members(a), Members(b));
    FdoPtr<c_MssNorvFdoClassData> e = new c_MssNorvFdoClassData();
    for (const auto& m : Members(e)) EXPECT_TRUE(m.empty());
    *e = *b;
    EXPECT_EQ(Members(e), Members(a));
    EXPECT_EQ(e->ToString(), FdoStringP(L"ToString"));
}

TEST(MssNorvFdoClassData, ProviderTestAcceptsVersionedNamesOnly) {
    FdoPtr<FdoIConnection> versioned = fake::Connection::Create(L"Norv.MsSqlSpatial.4.0", {L"NorvFdoClass"});
    versioned->SetConnectionString(L"File=x;NorvFdoClass=MAPPING");
    EXPECT_TRUE(c_API_NorvMsSqlSpatial::IsNorvMssProvider(versioned));
    FdoStringP table(L"unchanged");
    EXPECT_TRUE(c_API_NorvMsSqlSpatial::GetProperty_NorvFdoClass(versioned, table));
    EXPECT_EQ(table, FdoStringP(L"MAPPING"));

    FdoPtr<FdoIConnection> other = fake::Connection::Create(L"Norv.Oracle.4.0", {L"NorvFdoClass"});
    other->SetConnectionString(L"File=x;NorvFdoClass=MAPPING");
    EXPECT_FALSE(c_API_NorvMsSqlSpatial::IsNorvMssProvider(other));
    table = L"unchanged";
    EXPECT_FALSE(c_API_NorvMsSqlSpatial::GetProperty_NorvFdoClass(other, table));
    EXPECT_EQ(table, FdoStringP(L"unchanged"));
    EXPECT_FALSE(c_API_NorvMsSqlSpatial::IsNorvMssProvider(nullptr));
}

TEST(MssNorvFdoClassData, BlankTableNameSendsNothing) {
    FdoPtr<c_MssNorvFdoClassData> d = FullRecord(L"Roads");
    FdoPtr<c_MssNorvFdoClassDataCollection> records = c_MssNorvFdoClassDataCollection::Create();
    for (const wchar_t* t : {static_cast<const wchar_t*>(nullptr), L""}) {
        EXPECT_FALSE(c_API_NorvMsSqlSpatial::CreateNorvFdoClassTable(nullptr, t));
        EXPECT_FALSE(c_API_NorvMsSqlSpatial::DropNorvFdoClassTable(nullptr, t));
        EXPECT_FALSE(c_API_NorvMsSqlSpatial::InsertNorvFdoClass(nullptr, t, d));
        EXPECT_FALSE(c_API_NorvMsSqlSpatial::UpdateNorvFdoClass(nullptr, t, L"Roads", d));
        EXPECT_FALSE(c_API_NorvMsSqlSpatial::DeleteNorvFdoClass(nullptr, t, L"Roads"));
        EXPECT_EQ(c_API_NorvMsSqlSpatial::GetNorvFdoClassRecords(nullptr, t, records), 0);
    }
}

class MssNorvFdoClassTest : public MsSqlDbTest {
protected:
    void SetUp() override {
        MsSqlDbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        FdoStringP table;
        ASSERT_TRUE(c_API_NorvMsSqlSpatial::GetProperty_NorvFdoClass(m_mss, table));
        ASSERT_EQ(table, FdoStringP(kTable));
        ASSERT_TRUE(c_API_NorvMsSqlSpatial::CreateNorvFdoClassTable(m_mss, table));
    }
};

TEST_F(MssNorvFdoClassTest, TheRealConnectionIsRecognised) {
    EXPECT_TRUE(c_API_NorvMsSqlSpatial::IsNorvMssProvider(m_mss));
    std::string why;
    FdoIConnection* ora = Connect(L"Norv.Oracle", L"Username=GIS;Password=secret;Service=TESTDB", why);
    if (ora) {
        FdoStringP table(L"unchanged");
        EXPECT_FALSE(c_API_NorvMsSqlSpatial::IsNorvMssProvider(ora));
        EXPECT_FALSE(c_API_NorvMsSqlSpatial::GetProperty_NorvFdoClass(ora, table));
        EXPECT_EQ(table, FdoStringP(L"unchanged"));
    }
}

TEST_F(MssNorvFdoClassTest, FullRecordReadsBackUpperCasedButTheClassName) {
    FdoPtr<c_MssNorvFdoClassData> d = FullRecord(L"MixedCase_Roads");
    ASSERT_TRUE(c_API_NorvMsSqlSpatial::InsertNorvFdoClass(m_mss, kTable, d));
    auto records = List(m_mss, kTable, 1);
    ASSERT_EQ(records->GetCount(), 1);
    FdoPtr<c_MssNorvFdoClassData> r = records->GetItem(0);
    auto written = Members(d), read = Members(r);
    for (size_t i = 0; i < written.size(); i++) {
        std::wstring expected = i == 1 ? written[i] : FdoStringP(written[i].c_str()).Upper().Str();
        EXPECT_EQ(read[i], expected) << i;
    }
    // The identity column is numbered by the server.
    auto rows = Rows(m_mss, L"SELECT FDO_UNIQUE_ID FROM FdoClassMap");
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NE(rows[0][0], L"<null>");
}

TEST_F(MssNorvFdoClassTest, ClassNameOnlyLeavesEightNulls) {
    FdoPtr<c_MssNorvFdoClassData> d = new c_MssNorvFdoClassData();
    d->m_FdoClassName = L"Bare";
    ASSERT_TRUE(c_API_NorvMsSqlSpatial::InsertNorvFdoClass(m_mss, kTable, d));
    auto rows = Rows(m_mss, L"SELECT FDO_SCHEMA, QUERY_SCHEMA, QUERY_NAME, GEOM_TABLE_SCHEMA, GEOM_TABLE_NAME, "
                            L"GEOM_COLUMN, CLASSIDENTITY, GEOMETRY_TYPE FROM FdoClassMap");
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 8u);
    for (auto& v : rows[0]) EXPECT_EQ(v, L"<null>");
}

TEST_F(MssNorvFdoClassTest, UpdateRenamesDeleteRemovesAndEmptyListingAppendsNothing) {
    FdoPtr<c_MssNorvFdoClassDataCollection> records = c_MssNorvFdoClassDataCollection::Create();
    FdoPtr<c_MssNorvFdoClassData> mine = FullRecord(L"Mine");
    records->Add(mine);
    EXPECT_EQ(c_API_NorvMsSqlSpatial::GetNorvFdoClassRecords(m_mss, kTable, records), 0);
    EXPECT_EQ(records->GetCount(), 1);

    FdoPtr<c_MssNorvFdoClassData> a = FullRecord(L"Roads");
    FdoPtr<c_MssNorvFdoClassData> b = FullRecord(L"Rivers");
    ASSERT_TRUE(c_API_NorvMsSqlSpatial::InsertNorvFdoClass(m_mss, kTable, a));
    ASSERT_TRUE(c_API_NorvMsSqlSpatial::InsertNorvFdoClass(m_mss, kTable, b));
    FdoPtr<c_MssNorvFdoClassData> renamed = FullRecord(L"Highways");
    renamed->m_QueryName = L"";
    EXPECT_TRUE(c_API_NorvMsSqlSpatial::UpdateNorvFdoClass(m_mss, kTable, L"Roads", renamed));
    auto rows = Rows(m_mss, L"SELECT FDO_CLASS_NAME, QUERY_NAME FROM FdoClassMap ORDER BY FDO_CLASS_NAME");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"Highways", L"<null>"}));
    EXPECT_EQ(rows[1], (std::vector<std::wstring>{L"Rivers", L"ROADS_Q"}));

    EXPECT_TRUE(c_API_NorvMsSqlSpatial::DeleteNorvFdoClass(m_mss, kTable, L"Roads"));  // old name: nothing
    EXPECT_EQ(CountRows(m_mss, kTable), 2);
    EXPECT_TRUE(c_API_NorvMsSqlSpatial::DeleteNorvFdoClass(m_mss, kTable, L"Highways"));
    EXPECT_EQ(c_API_NorvMsSqlSpatial::GetNorvFdoClassRecords(m_mss, kTable, records), 1);
    ASSERT_EQ(records->GetCount(), 2);
    FdoPtr<c_MssNorvFdoClassData> r = records->GetItem(1);
    EXPECT_EQ(r->m_FdoClassName, FdoStringP(L"Rivers"));

    EXPECT_TRUE(c_API_NorvMsSqlSpatial::DropNorvFdoClassTable(m_mss, kTable));
    ExpectFdoError([&] { c_API_NorvMsSqlSpatial::DropNorvFdoClassTable(m_mss, kTable); });
    ExpectFdoError([&] { List(m_mss, kTable, 0); });
}

TEST_F(MssNorvFdoClassTest, CreatingTwiceIsTheServersError) {
    ExpectFdoError([&] { c_API_NorvMsSqlSpatial::CreateNorvFdoClassTable(m_mss, kTable); });
    EXPECT_TRUE(c_API_NorvMsSqlSpatial::CreateNorvFdoClassTable(m_mss, L"dbo.OtherMap"));
    FdoPtr<c_MssNorvFdoClassData> d = FullRecord(L"Roads");
    EXPECT_TRUE(c_API_NorvMsSqlSpatial::InsertNorvFdoClass(m_mss, L"dbo.OtherMap", d));
    List(m_mss, L"dbo.OtherMap", 1);
}

TEST_F(MssNorvFdoClassTest, QuotesAreStoredAsTypedAndCannotTouchAnotherRow) {
    Exec(m_mss, L"CREATE TABLE Victim (ID INTEGER)");
    FdoPtr<c_MssNorvFdoClassData> keep = FullRecord(L"Keep");
    ASSERT_TRUE(c_API_NorvMsSqlSpatial::InsertNorvFdoClass(m_mss, kTable, keep));

    FdoPtr<c_MssNorvFdoClassData> d = FullRecord(L"O'Brien's roads");
    d->m_FdoSchema = L"x'); DELETE FdoClassMap; DROP TABLE Victim; --";
    ASSERT_TRUE(c_API_NorvMsSqlSpatial::InsertNorvFdoClass(m_mss, kTable, d));
    EXPECT_EQ(CountRows(m_mss, kTable), 2);
    EXPECT_EQ(CountRows(m_mss, L"Victim"), 0);

    d->m_GeomColumn = L"g', FDO_CLASS_NAME='HIJACKED";
    EXPECT_TRUE(c_API_NorvMsSqlSpatial::UpdateNorvFdoClass(m_mss, kTable, L"O'Brien's roads", d));
    auto rows = Rows(m_mss, L"SELECT FDO_CLASS_NAME, FDO_SCHEMA, GEOM_COLUMN FROM FdoClassMap ORDER BY FDO_CLASS_NAME");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"Keep", L"DBO", L"GEOM"}));
    EXPECT_EQ(rows[1], (std::vector<std::wstring>{L"O'Brien's roads", L"X'); DELETE FDOCLASSMAP; DROP TABLE VICTIM; --",
                                                  L"G', FDO_CLASS_NAME='HIJACKED"}));

    EXPECT_TRUE(c_API_NorvMsSqlSpatial::DeleteNorvFdoClass(m_mss, kTable, L"x' OR '1'='1"));
    EXPECT_EQ(CountRows(m_mss, kTable), 2);
    EXPECT_TRUE(c_API_NorvMsSqlSpatial::DeleteNorvFdoClass(m_mss, kTable, L"O'Brien's roads"));
    EXPECT_EQ(CountRows(m_mss, kTable), 1);

    for (const wchar_t* bad : {L"FdoClassMap; DROP TABLE Victim", L"FdoClassMap WHERE 1=1 --", L"[x]]"}) {
        ExpectFdoError([&] { c_API_NorvMsSqlSpatial::DropNorvFdoClassTable(m_mss, bad); });
        ExpectFdoError([&] { c_API_NorvMsSqlSpatial::DeleteNorvFdoClass(m_mss, bad, L"Keep"); });
    }
    EXPECT_EQ(CountRows(m_mss, L"Victim"), 0);
    EXPECT_EQ(CountRows(m_mss, kTable), 1);
}
