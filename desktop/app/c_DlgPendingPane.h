// c_DlgPendingPane: the plain page shown for a tool whose pane is not built
// yet; it names the tool and says it is not available yet.
#pragma once

#include "app/c_DlgPane.h"

class c_DlgPendingPane : public c_DlgPane {
public:
    c_DlgPendingPane(CMaprailApp& app, QWidget* parent, const QString& toolLabel, const QString& paneClass);
    const QString& PaneClass() const { return m_paneClass; }

private:
    QString m_paneClass;
};
