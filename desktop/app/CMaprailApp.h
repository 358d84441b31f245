// CMaprailApp: the application object. It knows the program directory,
// owns the one connection list (its file "geoxferconn.txt"), reads the FDO
// provider names, runs the main window until it closes, and lets any pane
// write the main window's status line.
//
// Where the connection list file lives (ConnListPath): $GEOXFER_CONN_LIST
// when set; otherwise next to the program when that folder is writable;
// otherwise $XDG_CONFIG_HOME/geoxfer/ (~/.config/geoxfer/ without it).
#pragma once

#include "connections/c_ConnList.h"

#include <QString>

class CMaprailDlg;

class CMaprailApp {
public:
    // Start-up up to the main window: program directory from the program's
    // path, the list file name, the list (a missing or unreadable file
    // leaves it empty, silently) and the provider names.
    void Prepare(const QString& programPath);
    // Prepare, then the main window, run modally until it is closed.
    int Run(const QString& programPath);

    // The program's folder, with its trailing separator.
    const QString& ProgramDirectory() const { return m_programDirectory; }
    c_ConnList& ConnList() { return m_connList; }
    // The help page the program ships.
    QString HelpPage() const;

    // The main window panes write to (set while it exists).
    void SetMainWindow(CMaprailDlg* window) { m_mainWindow = window; }
    CMaprailDlg* MainWindow() const { return m_mainWindow; }
    // Replaces the status line's text; empty clears it.
    void SetStatusText(const QString& text);

    // The list file for a program in that folder (see above).
    static QString ConnListPath(const QString& programDirectory);

private:
    QString m_programDirectory;
    c_ConnList m_connList;
    CMaprailDlg* m_mainWindow = nullptr;
};
