// Real content for the screenshot tour's pictures of the FDO source
// toolbox: once its tool is selected, each pane runs what a user would
// run first (read the source, read the schema and the rows of a class,
// run a short read test) on the named connection "spData" when the list
// has one, else "columbus", preferring the class "columbus".
#pragma once

class CMaprailApp;
class CMaprailDlg;
class c_DlgPane;

// Before the tour selects the first tool: makes that connection current.
void ChooseScreenshotConnection(CMaprailApp& app);
// After a tool is selected: fills its pane when it is a source toolbox pane.
void FillSourcePaneForScreenshot(CMaprailDlg& window, c_DlgPane* pane);
