#include "dbtoolbox/DbToolboxScreenshots.h"

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "app/ScreenshotTour.h"
#include "app/ToolTable.h"
#include "app/WidgetPicture.h"
#include "dbtoolbox/DbText.h"
#include "dbtoolbox/c_PaneConnection.h"
#include "mssql/MssFdoClassRow.h"
#include "mssql/c_DlgMssFdoViewsTable.h"
#include "mssql/c_DlgMssUpdateFdoViews.h"
#include "oracle/OraFdoClassRow.h"
#include "oracle/c_DlgOraFdoViewsTable.h"
#include "oracle/c_DlgOraPKey.h"
#include "oracle/c_DlgOraPKeyColumns.h"
#include "oracle/c_DlgOraSdoMetadata.h"
#include "oracle/c_DlgOraSpIndex.h"
#include "oracle/c_DlgOraUpdateFdoViews.h"
#include "oracle/c_DlgOraUpdateMetadata.h"
#include "oracle/c_DlgOraUpdateSpIndex.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/API_NorvMsSqlSpatial.h>
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/MssNorvFdoClassData.h>
#include <GeoxferApi/OraNorvFdoClassData.h>
#include <GeoxferControls/EditableList.h>

#include <Fdo.h>


namespace {

// Answers every message with OK or Yes and shows nothing.
class c_QuietUi : public c_UiServices {
public:
    Answer Message(QWidget*, const QString&, const QString&, Buttons buttons) override {
        return buttons == YesNo ? AnswerYes : AnswerOk;
    }
    QString OpenFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString SaveFile(QWidget*, const QString&, const QString&) override { return {}; }
    QString PickFolder(QWidget*, const QString&) override { return {}; }
    void BeginWait() override {}
    void EndWait() override {}
    void OpenDocument(const QString&) override {}
    void RunLongWork(QWidget*, const QString&, const c_LongWork&) override {}
};

QString PictureName(int code) {
    const c_ToolEntry* entry = FindTool(code);
    const c_ToolEntry* root = nullptr;
    for (const c_ToolEntry& e : ToolTable()) {
        if (&e == entry) break;
        if (e.root) root = &e;
    }
    return ScreenshotName(QString::fromUtf8(entry->label), root ? QString::fromUtf8(root->label) : QString());
}

QString FirstConnection(CMaprailApp& app, const QString& provider) {
    for (const c_ConnData& record : app.ConnList().GetRecords())
        if (record.provider.startsWith(provider)) return record.name;
    return QString();
}

// Selects the tool on the connection and reads; the pane, or null.
template <class T>
T* ReadPane(CMaprailDlg& window, CMaprailApp& app, int code, const QString& connection) {
    app.ConnList().SetCurrentByName(connection);
    window.SelectTool(0);
    window.SelectTool(code);
    auto* pane = dynamic_cast<T*>(window.CurrentToolPane());
    if (!pane) return nullptr;
    pane->ReadSource();
    if (pane->Table()->rowCount() > 0) pane->Table()->selectRow(0);
    return pane;
}

// One mapping row for the store's first class when the table has none.
void EnsureMappingRow(CMaprailApp& app, const QString& connection, bool oracle) {
    FdoPtr<FdoIConnection> c = app.ConnList().CreateConnection(connection);
    if (!c) return;
    try {
        c->Open();
        FdoStringP table;
        if (oracle) c_FDO_Api::NorvOracleProvider_GetProperty_NorvFdoClass(c, table);
        else c_API_NorvMsSqlSpatial::GetProperty_NorvFdoClass(c, table);
        table = table.Upper();
        if (oracle) {
            FdoPtr<c_OraNorvFdoClassDataCollection> rows = c_OraNorvFdoClassDataCollection::Create();
            try {
                c_FDO_Api::NorvOracle_GetNorvFdoClassRecords(c, table, rows);
            } catch (FdoException* e) {
                e->Release();
                c_FDO_Api::NorvOracle_CreateNorvFdoClassTable(c, table);
            }
            if (rows->GetCount() == 0) {
                FdoPtr<c_OraNorvFdoClassData> row = OraFdoClassRecord(
                    {"Columbus", "GIS", "COLUMBUS", "GEOMETRY", "GIS", "COLUMBUS", "GEOMETRY", "", "", "", "POLYGON",
                     "FEATID", ""});
                c_FDO_Api::NorvOracle_InsertNorvFdoClass(c, table, row);
            }
        } else {
            FdoPtr<c_MssNorvFdoClassDataCollection> rows = c_MssNorvFdoClassDataCollection::Create();
            try {
                c_API_NorvMsSqlSpatial::GetNorvFdoClassRecords(c, table, rows);
            } catch (FdoException* e) {
                e->Release();
                c_API_NorvMsSqlSpatial::CreateNorvFdoClassTable(c, table);
            }
            if (rows->GetCount() == 0) {
                FdoPtr<c_MssNorvFdoClassData> row = MssFdoClassRecord(
                    {"Default", "Columbus", "dbo", "columbus", "", "", "geometry", "featid", "POLYGON"});
                c_API_NorvMsSqlSpatial::InsertNorvFdoClass(c, table, row);
            }
        }
        c->Close();
    } catch (FdoException* e) {
        e->Release();
    }
}

}  // namespace

int SaveDbToolboxScreenshots(CMaprailDlg& window, CMaprailApp& app, const QString& folder) {
    c_QuietUi quiet;
    c_UiServices::Install(&quiet);
    int saved = 0;
    auto picture = [&](int code) { return folder + '/' + PictureName(code) + QStringLiteral(".png"); };
    auto dialogPicture = [&](int code) { return folder + '/' + PictureName(code) + QStringLiteral("-dialog.png"); };

    const QString oracle = FirstConnection(app, QStringLiteral("Norv.Oracle"));
    if (!oracle.isEmpty()) {
        EnsureMappingRow(app, oracle, true);
        FdoPtr<FdoIConnection> c = app.ConnList().CreateConnection(oracle);
        if (auto* pane = ReadPane<c_DlgOraSdoMetadata>(window, app, 24, oracle)) {
            saved += SaveWidgetPicture(window, picture(24));
            if (pane->Table()->rowCount() > 0 && c) {
                c_DlgOraUpdateMetadata dialog(app, &window, c, pane->Table()->cell(0, 0), pane->Table()->cell(0, 1),
                                              pane->Table()->cell(0, 2));
                dialog.RecalculateExtent();
                saved += SaveWidgetPicture(dialog, dialogPicture(24));
            }
        }
        if (auto* pane = ReadPane<c_DlgOraSpIndex>(window, app, 25, oracle)) {
            saved += SaveWidgetPicture(window, picture(25));
            if (pane->Table()->rowCount() > 0 && c) {
                c_DlgOraUpdateSpIndex dialog(app, &window, c, pane->Table()->cell(0, 0), pane->Table()->cell(0, 1),
                                             pane->Table()->cell(0, 2));
                saved += SaveWidgetPicture(dialog, dialogPicture(25));
            }
        }
        if (auto* pane = ReadPane<c_DlgOraPKey>(window, app, 26, oracle)) {
            saved += SaveWidgetPicture(window, picture(26));
            if (pane->Table()->rowCount() > 0 && c) {
                c_DlgOraPKeyColumns dialog(app, &window, c, pane->Table()->cell(0, 0), pane->Table()->cell(0, 1),
                                           pane->Table()->cell(0, 3), false);
                saved += SaveWidgetPicture(dialog, dialogPicture(26));
            }
        }
        if (auto* pane = ReadPane<c_DlgOraFdoViewsTable>(window, app, 27, oracle)) {
            saved += SaveWidgetPicture(window, picture(27));
            if (pane->Table()->rowCount() > 0) {
                FdoPtr<c_OraNorvFdoClassData> record = OraFdoClassRecord(pane->Table()->row(0));
                c_DlgOraUpdateFdoViews dialog(&window, pane->Table()->cell(0, 0), record);
                saved += SaveWidgetPicture(dialog, dialogPicture(27));
            }
        }
        if (c) CloseQuietly(c);
    }
    const QString mss = FirstConnection(app, QStringLiteral("Norv.MsSqlSpatial"));
    if (!mss.isEmpty()) {
        EnsureMappingRow(app, mss, false);
        if (auto* pane = ReadPane<c_DlgMssFdoViewsTable>(window, app, 29, mss)) {
            saved += SaveWidgetPicture(window, picture(29));
            if (pane->Table()->rowCount() > 0) {
                FdoPtr<c_MssNorvFdoClassData> record = MssFdoClassRecord(pane->Table()->row(0));
                c_DlgMssUpdateFdoViews dialog(&window, pane->Table()->cell(0, 1), record);
                saved += SaveWidgetPicture(dialog, dialogPicture(29));
            }
        }
    }
    c_UiServices::Install(nullptr);
    return saved;
}
