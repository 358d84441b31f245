// Pictures of the Oracle and MS SQL Server toolbox panes with real content,
// for the screenshot tour: each pane on the first connection of its
// provider in the list (a provider without one is skipped), read from the
// store, with its first row selected; and each modal dialog opened on that
// row. A class-mapping table that is missing or empty is made first with
// one row for the first class, so the pictures show what the panes do.
// Messages are answered quietly while the pictures are taken.
#pragma once

#include <QString>

class CMaprailApp;
class CMaprailDlg;

// Overwrites the tour's pictures of the five panes and adds the dialogs'
// (<pane picture>-dialog.png); returns the number saved.
int SaveDbToolboxScreenshots(CMaprailDlg& window, CMaprailApp& app, const QString& folder);
