// The screenshot tour: with "--screenshots <folder>" the program opens its
// main window, selects every tool in turn and saves a PNG of the window for
// each (main.png first, with nothing selected), then quits. Used by
// scripts/screenshots.sh under a virtual X server.
#pragma once

#include <QString>

class CMaprailDlg;

// Saves the pictures; returns the number saved.
int RunScreenshotTour(CMaprailDlg& window, const QString& folder);

// The file name of a tool's picture: its label in lower case, blanks as
// dashes, prefixed by its parent's when it has one ("express-shp-to-sdf").
QString ScreenshotName(const QString& label, const QString& parentLabel);
