// c_DlgFdoUtilCopyTaskManager: the "Copy Task Manager" page of the tool
// tree: what the copy task manager does, and a button that opens a new FDO
// Copy Task Manager window on each press, without blocking the main window.
#pragma once

#include "app/c_DlgPane.h"

#include <QList>
#include <QPointer>

class c_DlgFdoCopyTaskManager;
class QPlainTextEdit;

class c_DlgFdoUtilCopyTaskManager : public c_DlgPane {
public:
    c_DlgFdoUtilCopyTaskManager(CMaprailApp& app, QWidget* parent);

    QString HelpText() const;
    // Opens one more window, as the button does; returns it.
    c_DlgFdoCopyTaskManager* OpenManager();
    // The windows opened from this page that are still open.
    QList<c_DlgFdoCopyTaskManager*> OpenWindows() const;

private:
    QPlainTextEdit* m_text;
    QList<QPointer<c_DlgFdoCopyTaskManager>> m_windows;
};
