// Makes the tool pane of a tool table entry: the panes built so far by
// class, the plain "not available yet" page for the others.
#pragma once

#include "app/ToolTable.h"

class CMaprailApp;
class c_DlgPane;
class c_DlgFdoSelClass;
class c_DlgFdoSelConn;
class QWidget;

// The selector panes of the main window, handed to the panes they serve.
struct c_PaneSelectors {
    c_DlgFdoSelConn& connection;
    c_DlgFdoSelClass& connectionAndClass;
};

c_DlgPane* CreateToolPane(const c_ToolEntry& entry, CMaprailApp& app, QWidget* parent,
                          const c_PaneSelectors& selectors);
