// The main window without a screen: the tool tree as its table says, the
// layout rules as a function of the client size, the refused small sizes,
// switching panes and selectors (which selector stays, which is activated
// first, what a root without a pane shows), the status line, the window
// menu, About and Help.
#include "DesktopTestSupport.h"
#include "RecordingUi.h"

#include "app/CAboutDlg.h"
#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "app/MainLayout.h"
#include "app/ToolTable.h"
#include "oracle/c_DlgOraSdoMetadata.h"
#include "connections/c_DlgFdoSelClass.h"
#include "connections/c_DlgFdoSelConn.h"
#include "express/ExpressPanes.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

class MainWindowTest : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    RecordingUi m_ui;

    // An application whose list file sits in the scratch folder.
    void Prepare(CMaprailApp& app) {
        qputenv("GEOXFER_CONN_LIST", (m_dir.path() + "/geoxferconn.txt").toUtf8());
        app.Prepare(QCoreApplication::applicationFilePath());
    }

private slots:
    void toolTreeFollowsTheTable() {
        CMaprailApp app;
        Prepare(app);
        CMaprailDlg window(app);
        QTreeWidget* tree = window.ToolTree();
        QCOMPARE(tree->topLevelItemCount(), 8);
        QStringList labels;
        QList<int> codes;
        for (QTreeWidgetItemIterator it(tree); *it; ++it) {
            labels << (*it)->text(0);
            codes << (*it)->data(0, Qt::UserRole).toInt();
            QVERIFY2(!(*it)->isExpanded(), qPrintable((*it)->text(0)));
        }
        QCOMPARE(labels.size(), 31);
        QCOMPARE(labels[0], QStringLiteral("Express Geoxfer"));
        QCOMPARE(labels[5], QStringLiteral("SDF to SHP"));
        QCOMPARE(codes[5], 6);
        QCOMPARE(labels[6], QStringLiteral("SDF to Oracle"));
        QCOMPARE(codes[6], 5);
        QVERIFY(labels.contains(QStringLiteral("Test Perfomance")));
        QVERIFY(labels.contains(QStringLiteral("FDO Utilites")));
        QCOMPARE(labels.count(QStringLiteral("NorvFdoClass")), 2);
        QCOMPARE(tree->topLevelItem(0)->childCount(), 12);
        QCOMPARE(tree->topLevelItem(7)->text(0), QStringLiteral("Connections List"));
        QCOMPARE(tree->currentItem(), nullptr);
        QCOMPARE(window.CurrentToolPane(), nullptr);
        QCOMPARE(window.StatusText(), QString());
        QCOMPARE(window.windowTitle(), QStringLiteral("Geoxfer"));
    }

    void layoutRulesInPixels() {
        const c_MainLayout plain = ComputeMainLayout(QSize(900, 600), 0);
        QCOMPARE(plain.tree, QRect(10, 10, 160, 580));
        QCOMPARE(plain.tool, QRect(180, 10, 900 - 160 - 120, 600 - 70));
        QVERIFY(plain.selector.isNull());
        QCOMPARE(plain.status, QRect(180, 590 - 30, 620, 30));
        QVERIFY(plain.buttons.left() > plain.tool.right());
        QVERIFY(plain.buttons.right() < 900);

        const c_MainLayout selected = ComputeMainLayout(QSize(900, 600), 100);
        QCOMPARE(selected.selector, QRect(180, 10, 620, 100));
        QCOMPARE(selected.tool, QRect(180, 120, 620, 600 - 100 - 70));
        QCOMPARE(ComputeMainLayout(QSize(700, 400), 150).selector.height(), 150);
        // The tool pane ends above the status line.
        QVERIFY(selected.tool.bottom() < selected.status.top());
    }

    void smallerThanTheMinimumIsRefusedAsAWhole() {
        QCOMPARE(AcceptedMainSize(QSize(800, 500), QSize(699, 900)), QSize(800, 500));
        QCOMPARE(AcceptedMainSize(QSize(800, 500), QSize(1000, 399)), QSize(800, 500));
        QCOMPARE(AcceptedMainSize(QSize(800, 500), QSize(700, 400)), QSize(700, 400));
        CMaprailApp app;
        Prepare(app);
        CMaprailDlg window(app);
        window.show();
        window.resize(800, 500);
        QCOMPARE(window.size(), QSize(800, 500));
        window.resize(650, 450);
        QCOMPARE(window.size(), QSize(800, 500));
        window.resize(750, 380);
        QCOMPARE(window.size(), QSize(800, 500));
    }

    void codesFollowTheToolsNotTheOrder() {
        CMaprailApp app;
        Prepare(app);
        CMaprailDlg window(app);
        window.show();
        QVERIFY(window.SelectToolByLabel("SDF to Informix", "Express Geoxfer"));
        QVERIFY(dynamic_cast<c_DlgExpressSdf2Inf*>(window.CurrentToolPane()));
        QVERIFY(window.CurrentToolPane()->isVisible());
        QVERIFY(window.SelectToolByLabel("SDF to Oracle", "Express Geoxfer"));
        QVERIFY(dynamic_cast<c_DlgExpressSdf2Ora*>(window.CurrentToolPane()));
        QCOMPARE(window.CurrentSelectorPane(), nullptr);
    }

    void rootWithoutPaneEmptiesAndSelectorRunsFirst() {
        CMaprailApp app;
        Prepare(app);
        CMaprailDlg window(app);
        window.show();
        QVERIFY(window.SelectToolByLabel("SDO Metadata", "Oracle Toolbox"));
        c_DlgPane* sdo = window.CurrentToolPane();
        QVERIFY(sdo);
        QCOMPARE(window.CurrentSelectorPane(), static_cast<c_DlgPane*>(window.ConnectionSelector()));
        QVERIFY(window.SelectToolByLabel("Oracle Toolbox"));
        QCOMPARE(window.CurrentToolPane(), nullptr);
        QCOMPARE(window.CurrentSelectorPane(), nullptr);
        QVERIFY(!sdo->isVisible());
        QVERIFY(!window.ConnectionSelector()->isVisible());
        QVERIFY(window.SelectToolByLabel("SDO Metadata", "Oracle Toolbox"));
        QVERIFY(sdo->isVisible());
        QVERIFY(window.ConnectionSelector()->isVisible());
        QVERIFY(window.ConnectionSelector()->geometry().bottom() < sdo->geometry().top());
        QCOMPARE(window.ConnectionSelector()->height(), 100);
        QVERIFY(window.ConnectionSelector()->LastActivation() < sdo->LastActivation());
        QVERIFY(dynamic_cast<c_DlgOraSdoMetadata*>(sdo));
    }

    void sameSelectorStaysBetweenSourceTools() {
        CMaprailApp app;
        Prepare(app);
        app.ConnList().Add({"Alpha", "OSGeo.SHP.4.2", "DefaultFileLocation=/tmp"});
        app.ConnList().Add({"Beta", "OSGeo.SHP.4.2", "DefaultFileLocation=/var"});
        CMaprailDlg window(app);
        window.show();
        QVERIFY(window.SelectToolByLabel("FDO Schema", "FDO Source Toolbox"));
        c_DlgFdoSelConn* selector = window.ConnectionSelector();
        const int shp = selector->ProviderBox()->findText("OSGeo.SHP", Qt::MatchStartsWith);
        QVERIFY(shp >= 0);
        selector->ChooseProvider(shp);
        selector->ChooseConnection(selector->ConnectionBox()->findText("Beta"));
        window.SetStatusText("left over");
        // Hides of the selector would show in its hide events.
        struct HideCounter : QObject {
            int hides = 0;
            bool eventFilter(QObject*, QEvent* e) override {
                if (e->type() == QEvent::Hide) hides++;
                return false;
            }
        } counter;
        selector->installEventFilter(&counter);
        QVERIFY(window.SelectToolByLabel("FDO Class Definition", "FDO Source Toolbox"));
        QCOMPARE(counter.hides, 0);
        QCOMPARE(window.StatusText(), QString());
        QCOMPARE(selector->GetConnectionName(), QStringLiteral("Beta"));
        selector->removeEventFilter(&counter);

        // Query data to the read test: the class selector, 150 high.
        QVERIFY(window.SelectToolByLabel("FDO Query Data", "FDO Source Toolbox"));
        QVERIFY(window.SelectToolByLabel("Test Perfomance", "FDO Source Toolbox"));
        QCOMPARE(window.CurrentSelectorPane(), static_cast<c_DlgPane*>(window.ClassSelector()));
        QVERIFY(!selector->isVisible());
        QCOMPARE(window.ClassSelector()->height(), 150);
        QCOMPARE(window.CurrentToolPane()->geometry().top(), 10 + 150 + 10);
    }

    void windowMenuCarriesAboutUnlessItsTextIsEmpty() {
        CMaprailApp app;
        Prepare(app);
        CMaprailDlg window(app);
        QList<QAction*> actions = window.WindowMenu()->actions();
        QVERIFY(actions.size() >= 2);
        QVERIFY(actions[actions.size() - 2]->isSeparator());
        QCOMPARE(actions.last()->text(), QStringLiteral("&About Maprail..."));
        QCOMPARE(actions.last()->data().toInt(), 16);

        CMaprailDlg bare(app, QString());
        for (QAction* a : bare.WindowMenu()->actions()) {
            QVERIFY(!a->isSeparator());
            QVERIFY(a->data().toInt() != 16);
        }
        QCOMPARE(bare.WindowMenu()->actions().size(), actions.size() - 2);
    }

    void aboutShowsTheVersionAndHelpOpensTheShippedPage() {
        CAboutDlg about(nullptr);
        QStringList texts;
        for (QLabel* l : about.findChildren<QLabel*>()) texts << l->text();
        QVERIFY(texts.contains(QStringLiteral("Geoxfer Version 0.7.7")));
        QVERIFY(desktop_test::Button(&about, "OK"));

        CMaprailApp app;
        Prepare(app);
        CMaprailDlg window(app);
        QCOMPARE(window.HelpButton()->text(), QStringLiteral("&Help"));
        m_ui.Clear();
        window.HelpButton()->click();
        QCOMPARE(m_ui.shown.size(), size_t(1));
        QCOMPARE(m_ui.shown[0].kind, QStringLiteral("OpenDocument"));
        // The build copies the page beside the test programs too.
        const QString page = m_ui.shown[0].text;
        QVERIFY2(page.endsWith("help/index.html"), qPrintable(page));
        QVERIFY2(QFileInfo::exists(page), qPrintable(page));
    }

    void statusLineIsWrittenThroughTheApplication() {
        CMaprailApp app;
        Prepare(app);
        CMaprailDlg window(app);
        app.SetStatusText("Read 3 classes");
        QCOMPARE(window.StatusText(), QStringLiteral("Read 3 classes"));
        app.SetStatusText(QString());
        QCOMPARE(window.StatusText(), QString());
    }
};

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
