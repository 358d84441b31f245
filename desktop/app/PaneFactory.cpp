#include "app/PaneFactory.h"

#include "app/c_DlgPendingPane.h"
#include "connections/c_DlgConnManager.h"
#include "copytask/c_DlgFdoUtilCopyTaskManager.h"
#include "dbtoolbox/DbToolboxPanes.h"
#include "express/ExpressPanes.h"
#include "schema/c_DlgFdoUtilSchemaManager.h"

#include <cstring>

c_DlgPane* CreateToolPane(const c_ToolEntry& entry, CMaprailApp& app, QWidget* parent) {
    if (c_DlgPane* express = CreateExpressPane(entry.code, app, parent)) return express;
    if (c_DlgPane* db = CreateDbToolboxPane(entry.paneClass, app, parent)) return db;
    if (std::strcmp(entry.paneClass, "c_DlgConnManager") == 0) return new c_DlgConnManager(app, parent);
    if (std::strcmp(entry.paneClass, "c_DlgFdoUtilSchemaManager") == 0) return new c_DlgFdoUtilSchemaManager(app, parent);
    if (std::strcmp(entry.paneClass, "c_DlgFdoUtilCopyTaskManager") == 0)
        return new c_DlgFdoUtilCopyTaskManager(app, parent);
    return new c_DlgPendingPane(app, parent, QString::fromUtf8(entry.label), QString::fromUtf8(entry.paneClass));
}
