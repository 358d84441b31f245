// The dialect rewriter on tricky text: quoted strings and names are never
// touched, comments vanish, nested parentheses are matched, and each
// rewrite applies only where its construct really stands.
#include <norvdb/NorvRewriter.h>
#include <norvdb/NorvTokenizer.h>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace norvdb;

namespace {

NorvStatement Ora(const std::string& sql) { return NorvRewriter::Rewrite(sql, {true, "GIS"}); }
NorvStatement Mss(const std::string& sql) { return NorvRewriter::Rewrite(sql, {false, "dbo"}); }

}  // namespace

TEST(NorvTokenizer, JoinGivesBackTheTextExactly) {
    std::string sql = "SELECT 'it''s', \"Quoted \"\"Name\"\"\", [x y] -- note\n FROM t /* c */ WHERE a<>:1 AND b>=2.5e-3";
    EXPECT_EQ(NorvTokenizer::Join(NorvTokenizer::Split(sql)), sql);
}

TEST(NorvTokenizer, UnterminatedTextIsRefused) {
    EXPECT_THROW(NorvTokenizer::Split("SELECT 'abc"), std::invalid_argument);
    EXPECT_THROW(NorvTokenizer::Split("SELECT \"abc"), std::invalid_argument);
    EXPECT_THROW(NorvTokenizer::Split("SELECT 1 /* open"), std::invalid_argument);
}

TEST(NorvRewriter, MinusBecomesExceptButNotInsideStrings) {
    auto st = Ora("SELECT a FROM t WHERE x = 'MINUS' MINUS SELECT a FROM u WHERE y = 'a minus b'");
    EXPECT_EQ(st.sql, "SELECT A FROM T WHERE X = 'MINUS' EXCEPT SELECT A FROM U WHERE Y = 'a minus b'");
    EXPECT_TRUE(st.returnsRows);
}

TEST(NorvRewriter, DeleteGetsItsFromOnlyWhenMissing) {
    EXPECT_EQ(Ora(" DELETE NorvFdoClass WHERE FDO_CLASS_NAME = :1 ").sql,
              "DELETE FROM NORVFDOCLASS WHERE FDO_CLASS_NAME = :1");
    EXPECT_EQ(Ora("DELETE FROM t WHERE a = 'DELETE x WHERE'").sql, "DELETE FROM T WHERE A = 'DELETE x WHERE'");
}

TEST(NorvRewriter, TypedPlaceholderLosesItsType) {
    EXPECT_EQ(Mss("UPDATE t SET a='x'  WHERE FDO_CLASS_NAME = :1<char(4000)> ").sql,
              "UPDATE t SET a='x' WHERE FDO_CLASS_NAME = :1");
    // A comparison with < after a parameter is not a type.
    EXPECT_EQ(Mss("SELECT * FROM t WHERE a = :1 AND b < 3").sql, "SELECT * FROM t WHERE a = :1 AND b < 3");
}

TEST(NorvRewriter, ColumnTypesOfTheDialectBecomeSqliteTypesWithWidthChecks) {
    auto st = Ora(" CREATE TABLE NorvFdoClass (\tFDO_UNIQUE_ID NUMBER(*,0), FDO_ORA_OWNER VARCHAR2(64 BYTE), "
                  "FDO_DIMINFO MDSYS.SDO_DIM_ARRAY , FDO_SDO_ROOT_MBR MDSYS.SDO_GEOMETRY  ) ");
    EXPECT_EQ(st.kind, StatementKind::CreateTable);
    EXPECT_EQ(st.object.owner, "GIS");
    EXPECT_EQ(st.object.name, "NORVFDOCLASS");
    EXPECT_EQ(st.sql, "CREATE TABLE \"GIS\".NORVFDOCLASS ( FDO_UNIQUE_ID NUMBER(38,0), FDO_ORA_OWNER VARCHAR2(64) "
                      "CHECK(LENGTH(FDO_ORA_OWNER)<=64), FDO_DIMINFO SDO_DIM_ARRAY , FDO_SDO_ROOT_MBR SDO_GEOMETRY )");
}

TEST(NorvRewriter, IdentityColumnBecomesRowidKey) {
    auto st = Mss(" CREATE TABLE NorvFdoClass (\tFDO_UNIQUE_ID INTEGER IDENTITY PRIMARY KEY, FDO_SCHEMA VARCHAR(64)) ");
    EXPECT_EQ(st.sql, "CREATE TABLE \"dbo\".NorvFdoClass ( FDO_UNIQUE_ID INTEGER PRIMARY KEY, FDO_SCHEMA VARCHAR(64) "
                      "CHECK(LENGTH(FDO_SCHEMA)<=64))");
}

TEST(NorvRewriter, TableUnnestingMatchesNestedParentheses) {
    auto st = Ora(" SELECT SRID,SDO_DIMNAME FROM all_sdo_geom_metadata a,  TABLE(select diminfo from "
                  "all_sdo_geom_metadata where owner=a.owner and (table_name=a.table_name)) b  where a.owner=:1 ");
    EXPECT_EQ(st.sql, "SELECT SRID,SDO_DIMNAME FROM ALL_SDO_GEOM_METADATA A, NORV_DIM_ELEMENTS((SELECT DIMINFO FROM "
                      "ALL_SDO_GEOM_METADATA WHERE OWNER=A.OWNER AND (TABLE_NAME=A.TABLE_NAME))) B WHERE A.OWNER=:1");
    EXPECT_THROW(Ora("SELECT * FROM TABLE(select 1"), std::invalid_argument);
}

TEST(NorvRewriter, SridOfAColumnBecomesAFunction) {
    EXPECT_EQ(Ora("SELECT distinct a.GEOM.sdo_srid as SRID from GIS.ROADS a").sql,
              "SELECT DISTINCT NORV_SDO_SRID(A.GEOM) AS SRID FROM GIS.ROADS A");
}

TEST(NorvRewriter, QuotedNamesKeepTheirCaseAndUnquotedOnesAreUpperCased) {
    auto st = Ora("create table \"Mixed\" (\"lower\" varchar2(5), plain number)");
    EXPECT_EQ(st.object.name, "Mixed");
    EXPECT_EQ(st.sql, "CREATE TABLE \"GIS\".\"Mixed\" (\"lower\" VARCHAR2(5) CHECK(LENGTH(\"lower\")<=5), PLAIN NUMBER)");
}

TEST(NorvRewriter, InjectedTextInsideAStringStaysOneString) {
    auto st = Ora("INSERT INTO T (A) VALUES ('x''); DROP TABLE T; --')");
    EXPECT_EQ(st.kind, StatementKind::Plain);
    EXPECT_EQ(st.sql, "INSERT INTO T (A) VALUES ('x''); DROP TABLE T; --')");
}

TEST(NorvRewriter, CommentsAreDropped) {
    EXPECT_EQ(Ora("SELECT a -- MINUS\nFROM t /* MINUS */ MINUS SELECT a FROM u").sql,
              "SELECT A FROM T EXCEPT SELECT A FROM U");
}

TEST(NorvRewriter, SpatialIndexStatementsAreDescribed) {
    auto st = Ora("CREATE INDEX roads_sidx ON gis.roads (geom) INDEXTYPE IS MDSYS.SPATIAL_INDEX  PARAMETERS "
                  "('layer_gtype= POINT')");
    EXPECT_EQ(st.kind, StatementKind::CreateIndex);
    EXPECT_TRUE(st.spatial);
    EXPECT_EQ(st.object.name, "ROADS_SIDX");
    EXPECT_EQ(st.table.owner, "GIS");
    EXPECT_EQ(st.table.name, "ROADS");
    ASSERT_EQ(st.columns.size(), 1u);
    EXPECT_EQ(st.columns[0], "GEOM");
    EXPECT_EQ(st.parameters, "layer_gtype= POINT");

    auto rebuild = Ora("ALTER INDEX GIS.ROADS_SIDX REBUILD PARAMETERS ('layer_gtype= LINE')");
    EXPECT_EQ(rebuild.kind, StatementKind::RebuildIndex);
    EXPECT_EQ(rebuild.parameters, "layer_gtype= LINE");
    auto drop = Ora("DROP INDEX GIS.ROADS_SIDX FORCE ");
    EXPECT_EQ(drop.kind, StatementKind::DropIndex);
    EXPECT_EQ(drop.object.owner, "GIS");
    EXPECT_THROW(Ora("CREATE INDEX i ON t (g) INDEXTYPE IS CTXSYS.CONTEXT"), std::invalid_argument);
}

TEST(NorvRewriter, KeyStatementsAreDescribed) {
    auto add = Ora("ALTER VIEW GIS.V1 ADD CONSTRAINT V1_PK primary key (A,B) DISABLE NOVALIDATE");
    EXPECT_EQ(add.kind, StatementKind::AddPrimaryKey);
    EXPECT_TRUE(add.onView);
    EXPECT_TRUE(add.disabled);
    EXPECT_EQ(add.constraintName, "V1_PK");
    EXPECT_EQ(add.columns, (std::vector<std::string>{"A", "B"}));
    auto drop = Ora("ALTER TABLE GIS.T DROP primary key");
    EXPECT_EQ(drop.kind, StatementKind::DropPrimaryKey);
    EXPECT_FALSE(drop.onView);
    // Other ALTER TABLE forms pass through to the store.
    EXPECT_EQ(Ora("ALTER TABLE t ADD COLUMN c NUMBER").kind, StatementKind::Plain);
}

TEST(NorvRewriter, DropTableLosesOracleOptionsAndGetsItsOwner) {
    auto st = Ora(" DROP TABLE NorvFdoClass CASCADE CONSTRAINTS PURGE");
    EXPECT_EQ(st.kind, StatementKind::DropTable);
    EXPECT_EQ(st.sql, "DROP TABLE \"GIS\".NORVFDOCLASS");
}

TEST(NorvRewriter, SecondStatementIsRefused) {
    EXPECT_THROW(Ora("DELETE t WHERE 1=1; DROP TABLE t"), std::invalid_argument);
    EXPECT_EQ(Ora("SELECT ';' FROM dual;").sql, "SELECT ';' FROM DUAL");
}

TEST(NorvRewriter, EmptyStatementIsRefused) {
    EXPECT_THROW(Ora("   ;"), std::invalid_argument);
    EXPECT_THROW(Ora("-- only a comment"), std::invalid_argument);
}
