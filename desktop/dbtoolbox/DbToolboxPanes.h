// Makes the panes of the Oracle and MS SQL Server toolboxes by class name,
// each served by the main window's connection selector; null for another
// class.
#pragma once

class CMaprailApp;
class c_DlgPane;
class QWidget;

c_DlgPane* CreateDbToolboxPane(const char* paneClass, CMaprailApp& app, QWidget* parent);
