// Makes the tool pane of a tool table entry: the panes built so far by
// class, the plain "not available yet" page for the others.
#pragma once

#include "app/ToolTable.h"

class CMaprailApp;
class c_DlgPane;
class QWidget;

c_DlgPane* CreateToolPane(const c_ToolEntry& entry, CMaprailApp& app, QWidget* parent);
