#include "app/PaneFactory.h"

#include "app/c_DlgPendingPane.h"
#include "connections/c_DlgConnManager.h"
#include "copytask/c_DlgFdoUtilCopyTaskManager.h"
#include "dbtoolbox/DbToolboxPanes.h"
#include "express/ExpressPanes.h"
#include "schema/c_DlgFdoUtilSchemaManager.h"
#include "source/c_DlgFdoClassData.h"
#include "source/c_DlgFdoClassDefinition.h"
#include "source/c_DlgFdoPerfomance.h"
#include "source/c_DlgFdoSchema.h"
#include "source/c_DlgFdoSdfCreate.h"
#include "source/c_DlgFdoSpContext.h"

#include <cstring>

namespace {

bool Is(const c_ToolEntry& entry, const char* paneClass) { return std::strcmp(entry.paneClass, paneClass) == 0; }

// The FDO source toolbox and its SDF creator; null for other tools.
c_DlgPane* CreateSourcePane(const c_ToolEntry& entry, CMaprailApp& app, QWidget* parent,
                            const c_PaneSelectors& selectors) {
    if (Is(entry, "c_DlgFdoSchema")) return new c_DlgFdoSchema(app, parent, selectors.connection);
    if (Is(entry, "c_DlgFdoClassDefinition")) return new c_DlgFdoClassDefinition(app, parent, selectors.connection);
    if (Is(entry, "c_DlgFdoSpContext")) return new c_DlgFdoSpContext(app, parent, selectors.connection);
    if (Is(entry, "c_DlgFdoClassData")) return new c_DlgFdoClassData(app, parent, selectors.connection);
    if (Is(entry, "c_DlgFdoPerfomance")) return new c_DlgFdoPerfomance(app, parent, selectors.connectionAndClass);
    if (Is(entry, "c_DlgFdoSdfCreate")) return new c_DlgFdoSdfCreate(app, parent);
    return nullptr;
}

}  // namespace

c_DlgPane* CreateToolPane(const c_ToolEntry& entry, CMaprailApp& app, QWidget* parent,
                          const c_PaneSelectors& selectors) {
    if (c_DlgPane* express = CreateExpressPane(entry.code, app, parent)) return express;
    if (c_DlgPane* db = CreateDbToolboxPane(entry.paneClass, app, parent)) return db;
    if (c_DlgPane* source = CreateSourcePane(entry, app, parent, selectors)) return source;
    if (std::strcmp(entry.paneClass, "c_DlgConnManager") == 0) return new c_DlgConnManager(app, parent);
    if (std::strcmp(entry.paneClass, "c_DlgFdoUtilSchemaManager") == 0) return new c_DlgFdoUtilSchemaManager(app, parent);
    if (std::strcmp(entry.paneClass, "c_DlgFdoUtilCopyTaskManager") == 0)
        return new c_DlgFdoUtilCopyTaskManager(app, parent);
    return new c_DlgPendingPane(app, parent, QString::fromUtf8(entry.label), QString::fromUtf8(entry.paneClass));
}
