// c_DlgOraPane: what the four Oracle toolbox panes share. Each stands below
// the connection selector and works on the Norv.Oracle connection chosen
// there; each lists Oracle objects in one report table that allows one
// selected row, whose columns are made on the first activation. The panes
// keep no other copy of what they show: a button reads its input back from
// the selected row's cells.
//
// Helpers for the buttons: the common steps of obtaining the connection
// (with the table emptied once the selector has given a name), the row
// checks, a connection for the modal dialogs, and the connection's Oracle
// schema upper-cased.
#pragma once

#include "app/c_DlgPane.h"

#include <QList>
#include <QPair>

#include <functional>

class c_DlgFdoSelConn;
class QRadioButton;
class c_PaneConnection;
class FdoIConnection;

namespace GxfControls {
class EditableList;
}

class c_DlgOraPane : public c_DlgPane {
public:
    c_DlgOraPane(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent);

    GxfControls::EditableList* Table() const { return m_table; }

    // "Read Oracle Source".
    virtual void ReadSource() = 0;

protected:
    using c_RowButtons = QList<QPair<QString, std::function<void()>>>;
    // The layout of every Oracle pane: "Read Oracle Source" with the radio
    // buttons (if any) one above the other beside it, the table, and the
    // buttons that act on the selected row below it.
    void LayOut(const QList<QRadioButton*>& choices, const c_RowButtons& rowButtons);

    void OnActivate() override;
    // Makes the table columns (first activation only).
    virtual void MakeColumns() = 0;

    // Steps 2 to 5 of the common steps, emptying the table after step 2
    // when asked.
    bool ObtainConnection(c_PaneConnection& session, bool emptyTable = true);
    // The selected row, or -1 after showing the message of the first check
    // that fails (empty table, then not exactly one selected row).
    int CheckedRow(const QString& selectOneText);
    // An unopened connection for a modal dialog (new reference), or null
    // after "Unable to create connection".
    FdoIConnection* CreateDialogConnection();
    // The connection property OracleSchema, upper-cased.
    static QString Schema(FdoIConnection* connection);
    void Show(const QString& text);

    c_DlgFdoSelConn& Selector() const { return m_selector; }

private:
    c_DlgFdoSelConn& m_selector;
    GxfControls::EditableList* m_table;
    bool m_columnsMade = false;
};

// The Oracle provider's test and the message for a connection of another.
struct c_PaneProvider;
const c_PaneProvider& OracleProvider();
