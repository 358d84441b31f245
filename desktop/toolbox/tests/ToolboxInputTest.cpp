// The toolbox panes' input rules: row ranges, ordering, loop numbers, the
// identity cell, and the primary key pane's exact statement.
#include <GeoxferToolbox/ToolboxInput.h>

#include <QTest>

using namespace ToolboxInput;

class ToolboxInputTest : public QObject {
    Q_OBJECT
private slots:
    void rowRange_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<long>("first");
        QTest::addColumn<long>("last");
        QTest::newRow("first activation") << "1" << "50" << 1L << 50L;
        QTest::newRow("3 to 5") << "3" << "5" << 3L << 5L;
        QTest::newRow("to emptied") << "1" << "" << 1L << 0L;
        QTest::newRow("to 100000 keeps the limit") << "1" << "100000" << 1L << 100000L;
        QTest::newRow("to far above") << "1" << "99999999999999999999" << 1L << 100000L;
        QTest::newRow("to 99999") << "1" << "99999" << 1L << 99999L;
        QTest::newRow("letters do not count") << "x" << "5a" << 0L << 100000L;
        QTest::newRow("signs and blanks do not count") << "-3" << " 5" << 0L << 100000L;
    }
    void rowRange()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(long, first);
        QFETCH(long, last);
        RowRange r = ParseRowRange(from, to);
        QCOMPARE(r.first, first);
        QCOMPARE(r.last, last);
    }
    void rowRangeShowsRowsThreeToFive()
    {
        RowRange r = ParseRowRange("3", "5");
        QList<long> shown;
        for (long n = 1; n <= 20; n++) {
            if (r.Shows(n)) shown.append(n);
            if (r.Done(n)) break;
        }
        QCOMPARE(shown, (QList<long>{3, 4, 5}));
        RowRange none = ParseRowRange("1", "");
        QVERIFY(!none.Shows(1));
        QVERIFY(none.Done(1));
    }
    void orderBy()
    {
        QCOMPARE(SplitOrderBy("NAME, FeatId ,,"), (QStringList{"NAME", "FeatId"}));
        QCOMPARE(SplitOrderBy(""), QStringList());
    }
    void loopNumber_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<long>("value");  // 0: refused
        QTest::newRow("0") << "0" << 0L;
        QTest::newRow("100001") << "100001" << 0L;
        QTest::newRow("letters") << "12a" << 0L;
        QTest::newRow("empty") << "" << 0L;
        QTest::newRow("sign") << "+5" << 0L;
        QTest::newRow("huge") << "99999999999999999999999" << 0L;
        QTest::newRow("1") << "1" << 1L;
        QTest::newRow("100000") << "100000" << 100000L;
    }
    void loopNumber()
    {
        QFETCH(QString, text);
        QFETCH(long, value);
        auto parsed = ParseLoopNumber(text);
        QCOMPARE(parsed.value_or(0), value);
        QCOMPARE(QString(kLoopNumberError), QString("Error Test Loop Number! Invalid number!"));
    }
    void identityText()
    {
        QCOMPARE(IdentityText({"ID1", "ID2"}), QString("ID1 ; ID2 ; "));
        QCOMPARE(IdentityText({}), QString("No identity"));
    }
    void primaryKeyListing()
    {
        SqlWithParameter all = PrimaryKeyListing("");
        QCOMPARE(all.sql, QString(" select a.owner, a.table_name, a.column_name, b.constraint_name  from all_sdo_geom_metadata a "
                                  " LEFT JOIN ALL_CONSTRAINTS b ON  a.owner = b.owner AND a.table_name=b.table_name AND "
                                  "b.constraint_type = 'P' order by a.owner, a.table_name "));
        QVERIFY(!all.parameter1);
        SqlWithParameter one = PrimaryKeyListing("gis' or 1=1; drop table x --");
        QCOMPARE(one.sql, QString(" select a.owner, a.table_name, a.column_name, b.constraint_name  from all_sdo_geom_metadata a "
                                  " LEFT JOIN ALL_CONSTRAINTS b ON  a.owner = b.owner AND a.table_name=b.table_name AND "
                                  "b.constraint_type = 'P' where a.owner = :1  order by a.owner, a.table_name "));
        QCOMPARE(*one.parameter1, QString("GIS' OR 1=1; DROP TABLE X --"));  // bound, not pasted
    }
    void defaultKeyName() { QCOMPARE(DefaultPrimaryKeyName("ROADS"), QString("ROADS_PK")); }
};

QTEST_GUILESS_MAIN(ToolboxInputTest)
#include "ToolboxInputTest.moc"
