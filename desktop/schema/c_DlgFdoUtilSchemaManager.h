// c_DlgFdoUtilSchemaManager: the "Schema Manager" page of the tool tree:
// what the schema manager does (set on the first activation) and a button
// that opens a new, non-modal FDO Schema Manager window on each press.
#pragma once

#include "app/c_DlgPane.h"

#include <QList>
#include <QPointer>

class c_DlgFdoSchemaManager;
class QPlainTextEdit;

class c_DlgFdoUtilSchemaManager : public c_DlgPane {
public:
    c_DlgFdoUtilSchemaManager(CMaprailApp& app, QWidget* parent);

    // The help text as set (empty before the first activation).
    const QString& HelpText() const { return m_help; }
    c_DlgFdoSchemaManager* OpenManager();
    // The windows opened from this page that are still open.
    QList<c_DlgFdoSchemaManager*> OpenWindows() const;

protected:
    void OnActivate() override;

private:
    QPlainTextEdit* m_text;
    QString m_help;
    QList<QPointer<c_DlgFdoSchemaManager>> m_windows;
};
