#include "dbtoolbox/DbToolboxPanes.h"

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "mssql/c_DlgMssFdoViewsTable.h"
#include "oracle/c_DlgOraFdoViewsTable.h"
#include "oracle/c_DlgOraPKey.h"
#include "oracle/c_DlgOraSdoMetadata.h"
#include "oracle/c_DlgOraSpIndex.h"

#include <cstring>

c_DlgPane* CreateDbToolboxPane(const char* paneClass, CMaprailApp& app, QWidget* parent) {
    CMaprailDlg* window = app.MainWindow();
    if (!paneClass || !window || !window->ConnectionSelector()) return nullptr;
    c_DlgFdoSelConn& selector = *window->ConnectionSelector();
    auto is = [paneClass](const char* name) { return std::strcmp(paneClass, name) == 0; };
    if (is("c_DlgOraSdoMetadata")) return new c_DlgOraSdoMetadata(app, selector, parent);
    if (is("c_DlgOraSpIndex")) return new c_DlgOraSpIndex(app, selector, parent);
    if (is("c_DlgOraPKey")) return new c_DlgOraPKey(app, selector, parent);
    if (is("c_DlgOraFdoViewsTable")) return new c_DlgOraFdoViewsTable(app, selector, parent);
    if (is("c_DlgMssFdoViewsTable")) return new c_DlgMssFdoViewsTable(app, selector, parent);
    return nullptr;
}
