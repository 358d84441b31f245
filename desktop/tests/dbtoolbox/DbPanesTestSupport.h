// Helpers of the database toolbox pane tests: a shape file copied into a
// database stand-in, the rows of a query of the test's own (to look at what
// the panes left in the store), typing into a cell of an editable list as
// a user would, and running a modal dialog's test steps while a click has
// it open.
#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

class QDialog;

namespace GxfControls {
class EditableList;
}

namespace dbpanes_test {

// Copies every class of the shape file into the store by a default copy
// task; the features copied, or -1 with the engine's error as a warning.
long CopyShapeInto(const QString& shapeFile, const QString& provider, const QString& connString);

// Points the connection list file and the database stand-ins' data home
// into the folder, then copies the spData columbus shape file into the
// store; the features copied (49), or -1.
long PrepareColumbusStore(const QString& folder, const QString& provider, const QString& connString);

// The first row whose cell in the column holds the text, or -1.
int RowOf(GxfControls::EditableList* table, int column, const QString& text);

// The rows of a query through FDO SQL, each row its columns as text; a NULL
// reads "<null>". An FDO error gives no rows and a warning.
QList<QStringList> Rows(const QString& provider, const QString& connString, const QString& sql);

// Opens the cell's editor, replaces its text and commits.
bool TypeCell(GxfControls::EditableList* list, int row, int column, const QString& text);

// Runs steps on the next modal dialog (cast to T) once the click below
// opens it; the steps must close it (or it is rejected after them).
template <class T>
void WhenOpens(const std::function<void(T*)>& steps);
void WhenDialogOpens(const std::function<void(QDialog*)>& steps);

template <class T>
void WhenOpens(const std::function<void(T*)>& steps) {
    WhenDialogOpens([steps](QDialog* d) {
        T* typed = dynamic_cast<T*>(d);
        if (!typed) qWarning("an unexpected dialog opened");
        else steps(typed);
    });
}

}  // namespace dbpanes_test
