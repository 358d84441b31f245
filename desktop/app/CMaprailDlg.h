// CMaprailDlg: the main window, a tool browser. The tool tree (ToolTable)
// at the left; right of it the selected tool's pane, with the connection
// selector or the connection-and-class selector above it for the tools that
// need one; the status line at the bottom; the buttons "Close", "&Help" and
// "About" in a column at the right edge.
//
// Every pane is created hidden when the window is made and lives as long
// as it; switching only hides and shows, so a pane keeps what was typed into
// it. Placement follows ComputeMainLayout; a resize below 700 x 400 is
// refused as a whole.
//
// The window menu: Qt gives no access to the menu a Linux window manager
// draws on the title bar, so the window carries its own window menu, opened
// by a right click on the window's background (or WindowMenu()). It holds
// the usual Minimize, Maximize and Close, then a separator and the About
// item (command code 16) unless that item's text is empty.
#pragma once

#include <QDialog>

#include <map>

class CMaprailApp;
class c_DlgPane;
class c_DlgFdoSelConn;
class c_DlgFdoSelClass;
class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class CMaprailDlg : public QDialog {
public:
    static constexpr int kAboutCommand = 16;

    explicit CMaprailDlg(CMaprailApp& app, const QString& aboutItemText = QStringLiteral("&About Maprail..."));
    ~CMaprailDlg() override;

    // Selects the first tree item of the tool code, as a click would.
    void SelectTool(int code);
    // Selects the tree item with that label under the root of that label
    // (an empty parent: a root), as a click would; false when none.
    bool SelectToolByLabel(const QString& label, const QString& parentLabel = QString());

    void SetStatusText(const QString& text);
    QString StatusText() const;

    QTreeWidget* ToolTree() const { return m_tree; }
    c_DlgPane* ToolPane(int code) const;
    c_DlgPane* CurrentToolPane() const { return m_currentTool; }
    c_DlgPane* CurrentSelectorPane() const { return m_currentSelector; }
    c_DlgFdoSelConn* ConnectionSelector() const { return m_selConn; }
    c_DlgFdoSelClass* ClassSelector() const { return m_selClass; }
    QMenu* WindowMenu() const { return m_windowMenu; }
    QPushButton* HelpButton() const { return m_help; }

    void ShowAbout();
    void ShowHelp();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void FillToolTree();
    void CreatePanes();
    void BuildWindowMenu(const QString& aboutItemText);
    void OnSelectionChanged(QTreeWidgetItem* item);
    void LayOut();

    CMaprailApp& m_app;
    QTreeWidget* m_tree;
    QLineEdit* m_status;
    QPushButton* m_close;
    QPushButton* m_help;
    QPushButton* m_about;
    QMenu* m_windowMenu;
    std::map<int, c_DlgPane*> m_panes;  // by tool code
    c_DlgFdoSelConn* m_selConn = nullptr;
    c_DlgFdoSelClass* m_selClass = nullptr;
    c_DlgPane* m_currentTool = nullptr;
    c_DlgPane* m_currentSelector = nullptr;
    int m_selectorHeightLimit = 0;
};
