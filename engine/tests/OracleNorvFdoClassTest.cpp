// The Oracle NorvFdoClass class-mapping table through the engine operations,
// against the embedded Norv.Oracle store: create, insert, list, update
// (rename), delete and drop, the NULLs of empty members, the upper-casing of
// everything but the class name, and values with single quotes, which are
// stored as typed and can never end or extend the statement they are in.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/OraNorvFdoClassData.h>

#include "DbToolsTestSupport.h"
#include "dbtools/SqlText.h"

#include <algorithm>
#include <cwchar>

using namespace dbtest;

namespace {

const wchar_t* const kTable = L"NORVFDOCLASS";

FdoPtr<c_OraNorvFdoClassData> FullRecord(FdoString* className) {
    FdoPtr<c_OraNorvFdoClassData> d = new c_OraNorvFdoClassData();
    d->m_FdoClassName = className;
    d->m_OraOwner = L"gis";
    d->m_OraName = L"roads";
    d->m_OraGeomColumn = L"geom";
    d->m_SpatialTableOwner = L"gis";
    d->m_SpatialTableName = L"roads_sp";
    d->m_SpatialTableGeomColumn = L"shape";
    d->m_PointXColumn = L"x";
    d->m_PointYColumn = L"y";
    d->m_PointZColumn = L"z";
    d->m_LayerGType = L"line";
    d->m_Identity = L"road_id";
    d->m_SequenceName = L"road_seq";
    return d;
}

std::vector<std::wstring> Members(c_OraNorvFdoClassData* d) {
    return {d->m_OraOwner.Str(),          d->m_OraName.Str(),           d->m_OraGeomColumn.Str(),
            d->m_FdoClassName.Str(),      d->m_SpatialTableOwner.Str(), d->m_SpatialTableName.Str(),
            d->m_SpatialTableGeomColumn.Str(), d->m_PointXColumn.Str(), d->m_PointYColumn.Str(),
            d->m_PointZColumn.Str(),      d->m_LayerGType.Str(),        d->m_Identity.Str(),
            d->m_SequenceName.Str()};
}

FdoPtr<c_OraNorvFdoClassDataCollection> List(FdoIConnection* c, FdoString* table, int expected) {
    FdoPtr<c_OraNorvFdoClassDataCollection> records = c_OraNorvFdoClassDataCollection::Create();
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetNorvFdoClassRecords(c, table, records), expected);
    return records;
}

}  // namespace

TEST(OraNorvFdoClassData, CopiesAllThirteenMembers) {
    FdoPtr<c_OraNorvFdoClassData> a = FullRecord(L"Roads");
    FdoPtr<c_OraNorvFdoClassData> b = new c_OraNorvFdoClassData(*a);
    EXPECT_EQ(Members(a), Members(b));
    EXPECT_EQ(b->GetRefCount(), 1);
    FdoPtr<c_OraNorvFdoClassData> e = new c_OraNorvFdoClassData();
    for (const auto& m : Members(e)) EXPECT_TRUE(m.empty());
    *e = *a;
    EXPECT_EQ(Members(e), Members(a));
    EXPECT_EQ(e->ToString(), FdoStringP(L"ToString"));
}

TEST(DbToolsSqlText, QuotesAreDoubledInsideLiterals) {
    using gxf::dbtools::QuoteText;
    EXPECT_EQ(QuoteText(L"plain"), FdoStringP(L"plain"));
    EXPECT_EQ(QuoteText(L"O'Brien's"), FdoStringP(L"O''Brien''s"));
    EXPECT_EQ(QuoteText(L"''"), FdoStringP(L"''''"));
    EXPECT_EQ(QuoteText(nullptr), FdoStringP(L""));
}

TEST(DbToolsSqlText, OnlyPlainNamesGoUnquotedIntoStatements) {
    using gxf::dbtools::CheckName;
    for (const wchar_t* good : {L"GIS", L"norvfdoclass", L"A$B#1", L"_x"})
        EXPECT_EQ(CheckName(good), FdoStringP(good));
    for (const wchar_t* good : {L"GIS.NORVFDOCLASS", L"\"Mixed Name\".T", L"[dbo].[Class Map]", L"db.dbo.t"})
        EXPECT_EQ(CheckName(good, true), FdoStringP(good));
    for (const wchar_t* bad : {L"", L"A B", L"T;", L"T--", L"T'", L"GIS.T", L"(T)", L"T\n", L"\"\""})
        ExpectFdoError([&] { CheckName(bad); });
    for (const wchar_t* bad : {L"GIS..T", L".T", L"T.", L"\"a\"b\"", L"[a]]", L"\"a'b\"", L"T k", L"T,U"})
        ExpectFdoError([&] { CheckName(bad, true); });
    ExpectFdoError([&] { CheckName(nullptr, true); });
}

TEST(DbToolsSqlText, NumbersAreWrittenLikePercentG) {
    for (double v : {-180.0, 180.0, 0.05, 1234567.89, 1e-7, 0.0, -0.25, 123456.0, 1e21}) {
        wchar_t expected[64];
        std::swprintf(expected, 64, L"%g", v);
        EXPECT_EQ(gxf::dbtools::FormatG(v), FdoStringP(expected)) << v;
    }
    EXPECT_EQ(gxf::dbtools::FormatG(1234567.89), FdoStringP(L"1.23457e+06"));
}

TEST(OraNorvFdoClassData, BlankTableNameSendsNothing) {
    // A null connection proves that no command is even created.
    FdoPtr<c_OraNorvFdoClassData> d = FullRecord(L"Roads");
    FdoPtr<c_OraNorvFdoClassDataCollection> records = c_OraNorvFdoClassDataCollection::Create();
    for (const wchar_t* t : {static_cast<const wchar_t*>(nullptr), L""}) {
        EXPECT_FALSE(c_FDO_Api::NorvOracle_CreateNorvFdoClassTable(nullptr, t));
        EXPECT_FALSE(c_FDO_Api::NorvOracle_DropNorvFdoClassTable(nullptr, t));
        EXPECT_FALSE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(nullptr, t, d));
        EXPECT_FALSE(c_FDO_Api::NorvOracle_UpdateNorvFdoClass(nullptr, t, L"Roads", d));
        EXPECT_FALSE(c_FDO_Api::NorvOracle_DeleteNorvFdoClass(nullptr, t, L"Roads"));
        EXPECT_EQ(c_FDO_Api::NorvOracle_GetNorvFdoClassRecords(nullptr, t, records), 0);
    }
    EXPECT_EQ(records->GetCount(), 0);
}

class OracleNorvFdoClassTest : public OracleDbTest {
protected:
    void SetUp() override {
        OracleDbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) return;
        ASSERT_TRUE(c_FDO_Api::NorvOracle_CreateNorvFdoClassTable(m_ora, kTable));
    }
};

TEST_F(OracleNorvFdoClassTest, CreatesTheTwentyColumns) {
    auto rows = Rows(m_ora, L"SELECT column_name FROM all_tab_columns WHERE owner='GIS' AND table_name='NORVFDOCLASS'");
    std::vector<std::wstring> names;
    for (auto& r : rows) names.push_back(r[0]);
    std::sort(names.begin(), names.end());
    std::vector<std::wstring> expected = {
        L"FDO_CLASS_NAME",      L"FDO_CS_NAME",          L"FDO_DIMINFO",          L"FDO_IDENTITY",
        L"FDO_LAYER_GTYPE",     L"FDO_ORA_GEOMCOLUMN",   L"FDO_ORA_NAME",         L"FDO_ORA_OWNER",
        L"FDO_POINT_X_COLUMN",  L"FDO_POINT_Y_COLUMN",   L"FDO_POINT_Z_COLUMN",   L"FDO_SDO_ROOT_MBR",
        L"FDO_SEQUENCE_NAME",   L"FDO_SPATIALTABLE_GEOMCOLUMN", L"FDO_SPATIALTABLE_NAME", L"FDO_SPATIALTABLE_OWNER",
        L"FDO_SPATIAL_CONTEXT", L"FDO_SRID",             L"FDO_UNIQUE_ID",        L"FDO_WKTEXT"};
    EXPECT_EQ(names, expected);
}

TEST_F(OracleNorvFdoClassTest, FullRecordReadsBackUpperCasedButTheClassName) {
    FdoPtr<c_OraNorvFdoClassData> d = FullRecord(L"MixedCase_Roads");
    ASSERT_TRUE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, kTable, d));
    auto records = List(m_ora, kTable, 1);
    ASSERT_EQ(records->GetCount(), 1);
    FdoPtr<c_OraNorvFdoClassData> r = records->GetItem(0);
    EXPECT_EQ(r->m_FdoClassName, FdoStringP(L"MixedCase_Roads"));
    auto written = Members(d), read = Members(r);
    for (size_t i = 0; i < written.size(); i++)
        if (i != 3) {
            EXPECT_EQ(read[i], FdoStringP(written[i].c_str()).Upper().Str()) << i;
        }
    // The columns the record does not map stay NULL.
    auto rows = Rows(m_ora, L"SELECT FDO_UNIQUE_ID, FDO_SRID, FDO_CS_NAME, FDO_WKTEXT, FDO_SPATIAL_CONTEXT "
                            L"FROM NORVFDOCLASS");
    ASSERT_EQ(rows.size(), 1u);
    for (auto& v : rows[0]) EXPECT_EQ(v, L"<null>");
}

TEST_F(OracleNorvFdoClassTest, ClassNameOnlyLeavesTwelveNulls) {
    FdoPtr<c_OraNorvFdoClassData> d = new c_OraNorvFdoClassData();
    d->m_FdoClassName = L"Bare";
    ASSERT_TRUE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, kTable, d));
    auto rows = Rows(m_ora, L"SELECT FDO_ORA_OWNER,FDO_ORA_NAME,FDO_ORA_GEOMCOLUMN,FDO_SPATIALTABLE_OWNER,"
                            L"FDO_SPATIALTABLE_NAME,FDO_SPATIALTABLE_GEOMCOLUMN,FDO_POINT_X_COLUMN,"
                            L"FDO_POINT_Y_COLUMN,FDO_POINT_Z_COLUMN,FDO_LAYER_GTYPE,FDO_IDENTITY,FDO_SEQUENCE_NAME "
                            L"FROM NORVFDOCLASS WHERE FDO_CLASS_NAME='Bare'");
    ASSERT_EQ(rows.size(), 1u);
    ASSERT_EQ(rows[0].size(), 12u);
    for (auto& v : rows[0]) EXPECT_EQ(v, L"<null>");
    auto records = List(m_ora, kTable, 1);
    FdoPtr<c_OraNorvFdoClassData> r = records->GetItem(0);
    auto read = Members(r);
    for (size_t i = 0; i < read.size(); i++)
        if (i != 3) {
            EXPECT_TRUE(read[i].empty()) << i;
        }
}

TEST_F(OracleNorvFdoClassTest, UpdateRenamesAndTheOldNameThenMatchesNothing) {
    FdoPtr<c_OraNorvFdoClassData> a = FullRecord(L"Roads");
    FdoPtr<c_OraNorvFdoClassData> b = FullRecord(L"Rivers");
    ASSERT_TRUE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, kTable, a));
    ASSERT_TRUE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, kTable, b));

    FdoPtr<c_OraNorvFdoClassData> renamed = FullRecord(L"Highways");
    renamed->m_OraName = L"";  // cleared: written as NULL
    EXPECT_TRUE(c_FDO_Api::NorvOracle_UpdateNorvFdoClass(m_ora, kTable, L"Roads", renamed));
    auto rows = Rows(m_ora, L"SELECT FDO_CLASS_NAME, FDO_ORA_NAME FROM NORVFDOCLASS ORDER BY FDO_CLASS_NAME");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"Highways", L"<null>"}));
    EXPECT_EQ(rows[1], (std::vector<std::wstring>{L"Rivers", L"ROADS"}));

    // The old name holds no row any more: true, and nothing goes.
    EXPECT_TRUE(c_FDO_Api::NorvOracle_DeleteNorvFdoClass(m_ora, kTable, L"Roads"));
    EXPECT_EQ(CountRows(m_ora, kTable), 2);
    EXPECT_TRUE(c_FDO_Api::NorvOracle_UpdateNorvFdoClass(m_ora, kTable, L"Nobody", renamed));
    EXPECT_EQ(CountRows(m_ora, kTable), 2);
    // The key is compared exactly.
    EXPECT_TRUE(c_FDO_Api::NorvOracle_DeleteNorvFdoClass(m_ora, kTable, L"HIGHWAYS"));
    EXPECT_EQ(CountRows(m_ora, kTable), 2);
    EXPECT_TRUE(c_FDO_Api::NorvOracle_DeleteNorvFdoClass(m_ora, kTable, L"Highways"));
    auto left = List(m_ora, kTable, 1);
    FdoPtr<c_OraNorvFdoClassData> r = left->GetItem(0);
    EXPECT_EQ(r->m_FdoClassName, FdoStringP(L"Rivers"));
}

TEST_F(OracleNorvFdoClassTest, ListingAppendsAndAnEmptyTableAddsNothing) {
    FdoPtr<c_OraNorvFdoClassDataCollection> records = c_OraNorvFdoClassDataCollection::Create();
    FdoPtr<c_OraNorvFdoClassData> mine = FullRecord(L"AlreadyThere");
    records->Add(mine);
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetNorvFdoClassRecords(m_ora, kTable, records), 0);
    EXPECT_EQ(records->GetCount(), 1);
    FdoPtr<c_OraNorvFdoClassData> d = FullRecord(L"One");
    ASSERT_TRUE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, kTable, d));
    EXPECT_EQ(c_FDO_Api::NorvOracle_GetNorvFdoClassRecords(m_ora, kTable, records), 1);
    ASSERT_EQ(records->GetCount(), 2);
    FdoPtr<c_OraNorvFdoClassData> first = records->GetItem(0);
    EXPECT_EQ(first.p, mine.p);
}

TEST_F(OracleNorvFdoClassTest, OwnerQualifiedNameAndDatabaseErrors) {
    EXPECT_TRUE(c_FDO_Api::NorvOracle_CreateNorvFdoClassTable(m_ora, L"GIS.SECOND_MAP"));
    FdoPtr<c_OraNorvFdoClassData> d = FullRecord(L"Roads");
    EXPECT_TRUE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, L"GIS.SECOND_MAP", d));
    List(m_ora, L"gis.second_map", 1);

    // Errors of the database reach the caller.
    auto m = ExpectFdoError([&] { c_FDO_Api::NorvOracle_CreateNorvFdoClassTable(m_ora, kTable); });
    EXPECT_NE(m.find(L"ORA-00955"), std::wstring::npos) << static_cast<const char*>(FdoStringP(m.c_str()));
    EXPECT_TRUE(c_FDO_Api::NorvOracle_DropNorvFdoClassTable(m_ora, L"GIS.SECOND_MAP"));
    m = ExpectFdoError([&] { c_FDO_Api::NorvOracle_DropNorvFdoClassTable(m_ora, L"GIS.SECOND_MAP"); });
    EXPECT_NE(m.find(L"ORA-00942"), std::wstring::npos) << static_cast<const char*>(FdoStringP(m.c_str()));
    ExpectFdoError([&] { List(m_ora, L"GIS.SECOND_MAP", 0); });
}

TEST_F(OracleNorvFdoClassTest, QuotesInValuesAreStoredAsTyped) {
    FdoPtr<c_OraNorvFdoClassData> d = FullRecord(L"O'Brien's roads");
    d->m_OraOwner = L"o'neil";
    ASSERT_TRUE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, kTable, d));
    auto records = List(m_ora, kTable, 1);
    FdoPtr<c_OraNorvFdoClassData> r = records->GetItem(0);
    EXPECT_EQ(r->m_FdoClassName, FdoStringP(L"O'Brien's roads"));
    EXPECT_EQ(r->m_OraOwner, FdoStringP(L"O'NEIL"));

    // Update and delete find the row by the same text.
    d->m_Identity = L"it's_id";
    EXPECT_TRUE(c_FDO_Api::NorvOracle_UpdateNorvFdoClass(m_ora, kTable, L"O'Brien's roads", d));
    EXPECT_EQ(Rows(m_ora, L"SELECT FDO_IDENTITY FROM NORVFDOCLASS")[0][0], L"IT'S_ID");
    EXPECT_TRUE(c_FDO_Api::NorvOracle_DeleteNorvFdoClass(m_ora, kTable, L"O'Brien's roads"));
    EXPECT_EQ(CountRows(m_ora, kTable), 0);
}

TEST_F(OracleNorvFdoClassTest, ValuesCannotRunAStatementOrTouchAnotherRow) {
    FdoPtr<c_OraNorvFdoClassData> keep = FullRecord(L"Keep");
    FdoPtr<c_OraNorvFdoClassData> target = FullRecord(L"Target");
    ASSERT_TRUE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, kTable, keep));
    ASSERT_TRUE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, kTable, target));
    Exec(m_ora, L"CREATE TABLE GIS.VICTIM (ID NUMBER)");

    // A class name that tries to close the literal and run a second statement.
    FdoPtr<c_OraNorvFdoClassData> evil = new c_OraNorvFdoClassData();
    evil->m_FdoClassName = L"x'); DELETE NORVFDOCLASS; DROP TABLE GIS.VICTIM; --";
    evil->m_OraOwner = L"a') , ('b";
    ASSERT_TRUE(c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, kTable, evil));
    EXPECT_EQ(CountRows(m_ora, kTable), 3);
    EXPECT_EQ(CountRows(m_ora, L"GIS.VICTIM"), 0);  // still there

    // An update whose values try to rewrite every row's class name: only the
    // keyed row changes, and it holds the text as typed.
    FdoPtr<c_OraNorvFdoClassData> hijack = FullRecord(L"Target");
    hijack->m_OraOwner = L"A', FDO_CLASS_NAME='HIJACKED";
    hijack->m_SequenceName = L"s' WHERE 1=1 --";
    EXPECT_TRUE(c_FDO_Api::NorvOracle_UpdateNorvFdoClass(m_ora, kTable, L"Target", hijack));
    auto rows = Rows(m_ora, L"SELECT FDO_CLASS_NAME, FDO_ORA_OWNER FROM NORVFDOCLASS ORDER BY FDO_CLASS_NAME");
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (std::vector<std::wstring>{L"Keep", L"GIS"}));
    EXPECT_EQ(rows[1], (std::vector<std::wstring>{L"Target", L"A', FDO_CLASS_NAME='HIJACKED"}));
    EXPECT_EQ(rows[2][0], evil->m_FdoClassName.Str());
    EXPECT_EQ(rows[2][1], L"A') , ('B");

    // A key that tries to widen the WHERE clause matches no row.
    EXPECT_TRUE(c_FDO_Api::NorvOracle_DeleteNorvFdoClass(m_ora, kTable, L"x' OR '1'='1"));
    EXPECT_EQ(CountRows(m_ora, kTable), 3);
}

TEST_F(OracleNorvFdoClassTest, TableNameThatIsNotAPlainNameIsRefused) {
    Exec(m_ora, L"CREATE TABLE GIS.VICTIM (ID NUMBER)");
    FdoPtr<c_OraNorvFdoClassData> d = FullRecord(L"Roads");
    for (const wchar_t* bad : {L"NORVFDOCLASS; DROP TABLE GIS.VICTIM", L"NORVFDOCLASS k, GIS.VICTIM",
                               L"NORVFDOCLASS --", L"GIS..X", L"X.", L"'T'"}) {
        ExpectFdoError([&] { c_FDO_Api::NorvOracle_DropNorvFdoClassTable(m_ora, bad); });
        ExpectFdoError([&] { c_FDO_Api::NorvOracle_InsertNorvFdoClass(m_ora, bad, d); });
        ExpectFdoError([&] { c_FDO_Api::NorvOracle_DeleteNorvFdoClass(m_ora, bad, L"Roads"); });
        ExpectFdoError([&] { List(m_ora, bad, 0); });
    }
    EXPECT_EQ(CountRows(m_ora, L"GIS.VICTIM"), 0);
    EXPECT_EQ(CountRows(m_ora, kTable), 0);
}
