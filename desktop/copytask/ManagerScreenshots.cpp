#include "copytask/ManagerScreenshots.h"

#include "app/WidgetPicture.h"
#include "copytask/CopyTaskItems.h"
#include "copytask/c_DlgFdoCopyTaskManager.h"
#include "schema/c_DlgFdoClassManager.h"
#include "schema/c_DlgFdoSchemaManager.h"

#include <Fdo.h>

#include <GeoxferControls/PropertyTree.h>

int SaveManagerScreenshots(CMaprailApp& app, const QString& folder) {
    int saved = 0;
    const QString schemaFile = qEnvironmentVariable("GEOXFER_SCREENSHOT_SCHEMA");
    if (!schemaFile.isEmpty()) {
        c_DlgFdoSchemaManager schemas(app, nullptr);
        if (schemas.LoadSchemaFile(schemaFile)) {
            const QList<GxfControls::PropertyItem*> classes =
                schemas.Tree()->findItemsByKind(c_DlgFdoSchemaManager::ClassNode);
            if (!classes.isEmpty()) {
                schemas.Tree()->setCurrentItem(classes.first());
                classes.first()->setExpanded(true);
            }
            saved += SaveWidgetPicture(schemas, folder + QStringLiteral("/schema-manager-window.png"));
            if (!classes.isEmpty()) {
                c_DlgFdoClassManager classManager(&schemas,
                                                  classes.first()->userPointer<FdoClassDefinition>());
                saved += SaveWidgetPicture(classManager, folder + QStringLiteral("/class-manager-window.png"));
            }
        }
    }
    const QString taskFile = qEnvironmentVariable("GEOXFER_SCREENSHOT_TASK");
    if (!taskFile.isEmpty()) {
        c_DlgFdoCopyTaskManager tasks(app, nullptr);
        if (tasks.LoadTaskFile(taskFile)) {
            tasks.Tree()->expandAll();
            if (GxfControls::PropertyItem* filter = tasks.Tree()->findItemsByKind(CopyFilterItem).value(0))
                tasks.Tree()->setCurrentItem(filter);
            saved += SaveWidgetPicture(tasks, folder + QStringLiteral("/copy-task-manager-window.png"));
        }
    }
    return saved;
}
