// Pictures of the schema manager, its class manager and the copy task
// manager with real content, for the screenshot tour: the schema file named
// by GEOXFER_SCREENSHOT_SCHEMA and the task file named by
// GEOXFER_SCREENSHOT_TASK (a window whose file is not given is skipped).
#pragma once

#include <QString>

class CMaprailApp;

// Saves schema-manager-window.png, class-manager-window.png and
// copy-task-manager-window.png in
// the folder; returns the number saved.
int SaveManagerScreenshots(CMaprailApp& app, const QString& folder);
