// The connection list and its file, against real files on disk: the reading
// rules and their edge cases (blank lines, a missing tag swallowing the next
// record, untrimmed values, a record cut by the end of the file, LF-only
// files), the CRLF file written back, unique names, the provider filter,
// FindOrAdd reusing a stored destination without writing, and where the
// file lives.
#include "DesktopTestSupport.h"
#include "RecordingUi.h"

#include "app/CMaprailApp.h"
#include "connections/c_ConnList.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

namespace {

void Write(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

QByteArray Read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList Names(const c_ConnList& list) {
    QStringList names;
    for (const c_ConnData& r : list.GetRecords()) names << r.name;
    return names;
}

}  // namespace

class ConnListTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;

    QString File(const QString& name) const { return m_dir.path() + '/' + name; }

    c_ConnList LoadFrom(const QString& name, const QByteArray& bytes) {
        Write(File(name), bytes);
        c_ConnList list;
        list.SetFileName(File(name));
        QString error;
        if (!list.Load(error)) qWarning("load failed: %s", qPrintable(error));
        return list;
    }

private slots:
    void blankLineBetweenNameAndProviderStillLoads() {
        c_ConnList list = LoadFrom("blank.txt",
                                   "Name:Roads\r\n\r\n\r\nProvider:OSGeo.SHP.4.2\r\nConnectionString:"
                                   "DefaultFileLocation=/data/roads\r\n");
        QCOMPARE(list.GetRecords().size(), size_t(1));
        QCOMPARE(list.GetRecords()[0],
                 (c_ConnData{"Roads", "OSGeo.SHP.4.2", "DefaultFileLocation=/data/roads"}));
    }

    void missingProviderLineLosesThatRecordAndTheNext() {
        c_ConnList list = LoadFrom("missing.txt",
                                   "Name:First\r\nConnectionString:File=/a.sdf\r\n"
                                   "Name:Second\r\nProvider:OSGeo.SDF\r\nConnectionString:File=/b.sdf\r\n"
                                   "Name:Third\r\nProvider:OSGeo.SDF\r\nConnectionString:File=/c.sdf\r\n");
        // First's connection string line stands where its provider line
        // should, and Second's name line is taken as First's connection
        // string line: both records are lost.
        QCOMPARE(Names(list), QStringList({"Third"}));

        c_ConnList swallowed = LoadFrom("swallowed.txt",
                                        "Name:First\r\n"
                                        "Name:Second\r\nProvider:OSGeo.SDF\r\nConnectionString:File=/b.sdf\r\n"
                                        "Name:Third\r\nProvider:OSGeo.SDF\r\nConnectionString:File=/c.sdf\r\n");
        QCOMPARE(Names(swallowed), QStringList({"Third"}));
    }

    void valuesAreTakenUntrimmedAndTagsFoundAnywhere() {
        c_ConnList list = LoadFrom("blanks.txt",
                                   "Name:   Padded\r\n  Provider:OSGeo.SHP\r\n"
                                   "xConnectionString:DefaultFileLocation=/x \r\n");
        QCOMPARE(list.GetRecords().size(), size_t(1));
        QCOMPARE(list.GetRecords()[0].name, QStringLiteral("   Padded"));
        QCOMPARE(list.GetRecords()[0].provider, QStringLiteral("OSGeo.SHP"));
        QCOMPARE(list.GetRecords()[0].connectionString, QStringLiteral("DefaultFileLocation=/x "));
    }

    void cutRecordLineFeedsAndDuplicates() {
        c_ConnList list = LoadFrom("lf.txt",
                                   "Name:Same\nProvider:OSGeo.SHP\nConnectionString:A\n"
                                   "Name:Same\nProvider:OSGeo.SDF\nConnectionString:B\n"
                                   "Name:Cut\nProvider:OSGeo.SDF\n");
        QCOMPARE(Names(list), QStringList({"Same", "Same"}));
        c_ConnData found;
        QVERIFY(list.Find("Same", found));
        QCOMPARE(found.connectionString, QStringLiteral("A"));
        QVERIFY(!list.Find("same", found));
        QVERIFY(!list.Add({"Same", "OSGeo.SHP", "C"}));
    }

    void missingFileSaysSoAndSaveWritesCrlf() {
        c_ConnList missing;
        missing.SetFileName(File("nope/none.txt"));
        QString error;
        QVERIFY(!missing.Load(error));
        QCOMPARE(error, QStringLiteral("Unable to open file!"));
        QVERIFY(!missing.Save(error));
        QCOMPARE(error, QStringLiteral("Unable to open file!"));

        c_ConnList list;
        list.SetFileName(File("saved.txt"));
        QVERIFY(list.Add({"Über", "OSGeo.SDF", "File=/tmp/ü.sdf;ReadOnly=FALSE;"}));
        QVERIFY(list.Add({"Two", "Norv.KML", "File=/k.kml"}));
        QCOMPARE(Read(File("saved.txt")),
                 QByteArray("Name:\xc3\x9c" "ber\r\nProvider:OSGeo.SDF\r\nConnectionString:File=/tmp/\xc3\xbc.sdf;"
                            "ReadOnly=FALSE;\r\nName:Two\r\nProvider:Norv.KML\r\nConnectionString:File=/k.kml\r\n"));
        c_ConnList again;
        again.SetFileName(File("saved.txt"));
        QVERIFY(again.Load(error));
        QCOMPARE(again.GetRecords(), list.GetRecords());

        QVERIFY(again.Update("Two", {"Two", "Norv.KML", "File=/other.kml"}));
        QVERIFY(!again.Update("Three", {"Three", "x", "y"}));
        QVERIFY(!again.RemoveAt(2));
        QVERIFY(!again.RemoveAt(-1));
        QVERIFY(again.RemoveAt(0));
        QCOMPARE(Read(File("saved.txt")),
                 QByteArray("Name:Two\r\nProvider:Norv.KML\r\nConnectionString:File=/other.kml\r\n"));
    }

    void uniqueNamesCountFromTwo() {
        c_ConnList list;
        list.SetFileName(File("unique.txt"));
        QCOMPARE(list.MakeUniqueName(QString()), QStringLiteral("NewConn"));
        list.Add({"NewConn", "p", "1"});
        list.Add({"NewConn2", "p", "2"});
        QCOMPARE(list.MakeUniqueName(QString()), QStringLiteral("NewConn3"));
        QCOMPARE(list.MakeUniqueName("ExpressSDF"), QStringLiteral("ExpressSDF"));
    }

    void providerFilterTestsContainmentBothWays() {
        c_ConnList list;
        list.SetFileName(File("filter.txt"));
        list.Add({"plain", "OSGeo.SHP", "a"});
        list.Add({"versioned", "OSGeo.SHP.4.2", "b"});
        list.Add({"lower", "osgeo.shp.4.2", "c"});
        list.Add({"other", "OSGeo.SDF.3.2", "d"});
        QStringList names;
        for (const c_ConnData& r : list.FilterByProvider("OSGeo.SHP.4.2")) names << r.name;
        QCOMPARE(names, QStringList({"plain", "versioned"}));
    }

    void findOrAddReusesAStoredDestinationWithoutWriting() {
        c_ConnList list;
        list.SetFileName(File("findoradd.txt"));
        list.Add({"Mine", "OSGeo.SDF", "File=/x.sdf;ReadOnly=FALSE;"});
        const QByteArray before = Read(File("findoradd.txt"));
        QFile::remove(File("findoradd.txt"));
        const c_ConnData found = list.FindOrAdd("ExpressSDF", "OSGeo.SDF", "File=/x.sdf;ReadOnly=FALSE;");
        QCOMPARE(found.name, QStringLiteral("Mine"));
        QVERIFY2(!QFileInfo::exists(File("findoradd.txt")), "nothing written");
        const c_ConnData added = list.FindOrAdd("Mine", "OSGeo.SDF", "File=/y.sdf;ReadOnly=FALSE;");
        QCOMPARE(added.name, QStringLiteral("Mine2"));
        QVERIFY(Read(File("findoradd.txt")).contains("Name:Mine2\r\n"));
        QVERIFY(!before.isEmpty());
    }

    void currentFollowsNamesThatExist() {
        c_ConnList list;
        list.SetFileName(File("current.txt"));
        list.Add({"A", "p", "1"});
        QVERIFY(list.GetCurrent().IsEmpty());
        QVERIFY(list.SetCurrentByName("A"));
        QVERIFY(!list.SetCurrentByName("B"));
        QCOMPARE(list.GetCurrent().name, QStringLiteral("A"));
    }

    void listFileLocation() {
        qputenv("GEOXFER_CONN_LIST", File("chosen.txt").toUtf8());
        QCOMPARE(CMaprailApp::ConnListPath(m_dir.path() + "/"), File("chosen.txt"));
        qunsetenv("GEOXFER_CONN_LIST");
        QCOMPARE(CMaprailApp::ConnListPath(m_dir.path() + "/"), File("geoxferconn.txt"));
        // A folder that cannot take the file sends it to the user's configuration.
        qputenv("XDG_CONFIG_HOME", File("config").toUtf8());
        QCOMPARE(CMaprailApp::ConnListPath("/proc/geoxfer-none/"), File("config/geoxfer/geoxferconn.txt"));
        QVERIFY(QFileInfo(File("config/geoxfer")).isDir());
        qunsetenv("XDG_CONFIG_HOME");

        // Start-up loads the file silently, or starts empty without one.
        Write(File("start.txt"), "Name:S\r\nProvider:OSGeo.SHP\r\nConnectionString:x\r\n");
        qputenv("GEOXFER_CONN_LIST", File("start.txt").toUtf8());
        CMaprailApp app;
        app.Prepare(QCoreApplication::applicationFilePath());
        QCOMPARE(Names(app.ConnList()), QStringList({"S"}));
        QVERIFY(app.ConnList().GetProviderNames().size() >= 7);
        QVERIFY(app.ProgramDirectory().endsWith('/'));
        qputenv("GEOXFER_CONN_LIST", File("absent.txt").toUtf8());
        m_ui.Clear();
        CMaprailApp empty;
        empty.Prepare(QCoreApplication::applicationFilePath());
        QVERIFY(empty.ConnList().GetRecords().empty());
        QVERIFY(m_ui.shown.empty());
        qunsetenv("GEOXFER_CONN_LIST");
    }
};

QTEST_MAIN(ConnListTest)
#include "ConnListTest.moc"
