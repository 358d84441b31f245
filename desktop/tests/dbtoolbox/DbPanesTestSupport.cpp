#include "DbPanesTestSupport.h"

#include "DesktopTestSupport.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/GXFCopyTaskDef.h>
#include <GeoxferApi/GXF_CopyTask_API.h>
#include <GeoxferControls/EditableList.h>

#include <Fdo.h>

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace dbpanes_test {

long CopyShapeInto(const QString& shapeFile, const QString& provider, const QString& connString) {
    const std::wstring src = (QStringLiteral("DefaultFileLocation=") + shapeFile).toStdWString();
    const std::wstring dp = provider.toStdWString(), dc = connString.toStdWString();
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    int rc = c_GXF_CopyTask_API::CreateDeafultCopyTask(task.p, L"OSGeo.SHP", src.c_str(), dp.c_str(), dc.c_str());
    long count = 0;
    if (rc == 0) {
        task->SetDestProvider(dp.c_str());
        task->SetDestConnString(dc.c_str());
        rc = c_GXF_CopyTask_API::GXF_CopyFdoToFdo(task.p, count);
    }
    if (rc == 0) return count;
    qWarning("copy failed: %ls", c_FDO_Api::GXF_GetLastError());
    return -1;
}

long PrepareColumbusStore(const QString& folder, const QString& provider, const QString& connString) {
    qputenv("GEOXFER_CONN_LIST", (folder + "/geoxferconn.txt").toUtf8());
    qputenv("GEOXFER_DB_HOME", (folder + "/db").toUtf8());
    return CopyShapeInto(desktop_test::SampleData("spData/shapes/columbus.shp"), provider, connString);
}

int RowOf(GxfControls::EditableList* table, int column, const QString& text) {
    for (int r = 0; r < table->rowCount(); r++)
        if (table->cell(r, column) == text) return r;
    return -1;
}

QList<QStringList> Rows(const QString& provider, const QString& connString, const QString& sql) {
    QList<QStringList> rows;
    try {
        FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
        FdoPtr<FdoIConnection> c = manager->CreateConnection(provider.toStdWString().c_str());
        c->SetConnectionString(connString.toStdWString().c_str());
        c->Open();
        FdoPtr<FdoISQLCommand> command = static_cast<FdoISQLCommand*>(c->CreateCommand(FdoCommandType_SQLCommand));
        command->SetSQLStatement(sql.toStdWString().c_str());
        FdoPtr<FdoISQLDataReader> reader = command->ExecuteReader();
        while (reader->ReadNext()) {
            QStringList row;
            for (FdoInt32 i = 0; i < reader->GetColumnCount(); i++) {
                if (reader->IsNull(i)) row << QStringLiteral("<null>");
                else if (reader->GetColumnType(i) == FdoDataType_String)
                    row << QString::fromWCharArray(reader->GetString(i));
                else if (reader->GetColumnType(i) == FdoDataType_Double || reader->GetColumnType(i) == FdoDataType_Decimal)
                    row << QString::number(reader->GetDouble(i), 'g', 6);
                else if (reader->GetColumnType(i) == FdoDataType_Int64)
                    row << QString::number(reader->GetInt64(i));
                else if (reader->GetColumnType(i) == FdoDataType_Int32)
                    row << QString::number(reader->GetInt32(i));
                else row << QString::fromWCharArray(reader->GetString(i));  // the store's text of it
            }
            rows << row;
        }
        reader->Close();
        c->Close();
    } catch (FdoException* e) {
        qWarning("query failed: %ls", e->GetExceptionMessage());
        e->Release();
    }
    return rows;
}

bool TypeCell(GxfControls::EditableList* list, int row, int column, const QString& text) {
    list->editCell(row, column);
    QCoreApplication::processEvents();
    QLineEdit* editor = nullptr;
    for (QLineEdit* e : list->tableView()->viewport()->findChildren<QLineEdit*>())
        if (e->isVisible()) editor = e;
    if (!editor) return false;
    editor->selectAll();
    editor->del();
    QTest::keyClicks(editor, text);
    list->commitPendingEdit();
    return list->cell(row, column) == text;
}

void WhenDialogOpens(const std::function<void(QDialog*)>& steps) {
    desktop_test::WhenModalOpens([steps](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog) return;
        steps(dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

}  // namespace dbpanes_test
