#include "app/CMaprailDlg.h"

#include "app/CAboutDlg.h"
#include "app/CMaprailApp.h"
#include "app/MainLayout.h"
#include "app/PaneFactory.h"
#include "app/ProgramIcon.h"
#include "app/ToolTable.h"
#include "connections/c_DlgFdoSelClass.h"
#include "connections/c_DlgFdoSelConn.h"
#include "ui/c_UiServices.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QResizeEvent>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include <algorithm>

CMaprailDlg::CMaprailDlg(CMaprailApp& app, const QString& aboutItemText) : QDialog(nullptr), m_app(app) {
    setWindowTitle(QStringLiteral("Geoxfer"));
    setWindowFlags(Qt::Window | Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint);
    setSizeGripEnabled(true);
    setWindowIcon(ProgramIcon());
    m_app.SetMainWindow(this);

    m_tree = new QTreeWidget(this);
    m_tree->setHeaderHidden(true);
    // The tree is 160 pixels wide whatever the font: a small indent, no
    // root decorations and a one point smaller font keep the labels whole;
    // a label that still does not fit scrolls instead of being cut, and
    // its full text is the item's tool tip.
    m_tree->setIndentation(14);
    m_tree->setRootIsDecorated(false);
    QFont treeFont = m_tree->font();
    if (treeFont.pointSizeF() > 8) treeFont.setPointSizeF(treeFont.pointSizeF() - 1);
    m_tree->setFont(treeFont);
    m_tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_tree->header()->setStretchLastSection(false);
    m_tree->setTextElideMode(Qt::ElideNone);
    m_status = new QLineEdit(this);
    m_status->setReadOnly(true);
    m_close = new QPushButton(QStringLiteral("Close"), this);
    m_help = new QPushButton(QStringLiteral("&Help"), this);
    m_about = new QPushButton(QStringLiteral("About"), this);
    connect(m_close, &QPushButton::clicked, this, [this] { accept(); });
    connect(m_help, &QPushButton::clicked, this, [this] { ShowHelp(); });
    connect(m_about, &QPushButton::clicked, this, [this] { ShowAbout(); });

    FillToolTree();
    CreatePanes();
    BuildWindowMenu(aboutItemText);
    connect(m_tree, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item, QTreeWidgetItem*) { OnSelectionChanged(item); });
    resize(900, 600);
    LayOut();
}

CMaprailDlg::~CMaprailDlg() {
    if (m_app.MainWindow() == this) m_app.SetMainWindow(nullptr);
}

void CMaprailDlg::FillToolTree() {
    QTreeWidgetItem* root = nullptr;
    for (const c_ToolEntry& entry : ToolTable()) {
        QTreeWidgetItem* item = entry.root || !root ? new QTreeWidgetItem(m_tree) : new QTreeWidgetItem(root);
        item->setText(0, QString::fromUtf8(entry.label));
        item->setData(0, Qt::UserRole, entry.code);
        item->setToolTip(0, item->text(0));
        if (entry.root) root = item;
    }
}

void CMaprailDlg::CreatePanes() {
    m_selConn = new c_DlgFdoSelConn(m_app, this);
    m_selClass = new c_DlgFdoSelClass(m_app, this);
    m_selConn->hide();
    m_selClass->hide();
    const c_PaneSelectors selectors{*m_selConn, *m_selClass};
    for (const c_ToolEntry& entry : ToolTable()) {
        if (!entry.paneClass) continue;
        c_DlgPane* pane = CreateToolPane(entry, m_app, this, selectors);
        pane->hide();
        m_panes[entry.code] = pane;
    }
}

void CMaprailDlg::BuildWindowMenu(const QString& aboutItemText) {
    m_windowMenu = new QMenu(this);
    connect(m_windowMenu->addAction(QStringLiteral("Mi&nimize")), &QAction::triggered, this,
            [this] { showMinimized(); });
    connect(m_windowMenu->addAction(QStringLiteral("Ma&ximize")), &QAction::triggered, this,
            [this] { isMaximized() ? showNormal() : showMaximized(); });
    connect(m_windowMenu->addAction(QStringLiteral("&Close")), &QAction::triggered, this, [this] { accept(); });
    if (aboutItemText.isEmpty()) return;
    m_windowMenu->addSeparator();
    QAction* about = m_windowMenu->addAction(aboutItemText);
    about->setData(kAboutCommand);
    connect(about, &QAction::triggered, this, [this] { ShowAbout(); });
}

void CMaprailDlg::contextMenuEvent(QContextMenuEvent* event) { m_windowMenu->popup(event->globalPos()); }

c_DlgPane* CMaprailDlg::ToolPane(int code) const {
    auto found = m_panes.find(code);
    return found == m_panes.end() ? nullptr : found->second;
}

void CMaprailDlg::SelectTool(int code) {
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        if ((*it)->data(0, Qt::UserRole).toInt() == code) {
            m_tree->setCurrentItem(*it);
            return;
        }
    }
}

bool CMaprailDlg::SelectToolByLabel(const QString& label, const QString& parentLabel) {
    for (QTreeWidgetItemIterator it(m_tree); *it; ++it) {
        QTreeWidgetItem* parent = (*it)->parent();
        const QString parentText = parent ? parent->text(0) : QString();
        if ((*it)->text(0) == label && parentText == parentLabel) {
            m_tree->setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

void CMaprailDlg::OnSelectionChanged(QTreeWidgetItem* item) {
    if (!item) return;
    const c_ToolEntry* entry = FindTool(item->data(0, Qt::UserRole).toInt());
    if (!entry) return;
    c_DlgPane* tool = entry->paneClass ? ToolPane(entry->code) : nullptr;
    c_DlgPane* selector = nullptr;
    if (entry->selector == e_Selector::Connection) selector = m_selConn;
    if (entry->selector == e_Selector::ConnectionAndClass) selector = m_selClass;

    if (tool != m_currentTool) {
        SetStatusText(QString());
        if (m_currentTool) m_currentTool->hide();
        m_currentTool = tool;
    }
    m_selectorHeightLimit = entry->selectorHeightLimit;
    if (selector != m_currentSelector) {
        SetStatusText(QString());
        if (m_currentSelector) m_currentSelector->hide();
        m_currentSelector = selector;
    }
    LayOut();
    if (m_currentSelector) m_currentSelector->show();
    if (m_currentTool) m_currentTool->show();

    if (m_currentSelector) m_currentSelector->Activate();
    if (m_currentTool) m_currentTool->Activate();
}

void CMaprailDlg::LayOut() {
    const c_MainLayout layout = ComputeMainLayout(size(), m_currentSelector ? m_selectorHeightLimit : 0);
    m_tree->setGeometry(layout.tree);
    if (m_currentSelector) m_currentSelector->setGeometry(layout.selector);
    if (m_currentTool) m_currentTool->setGeometry(layout.tool);
    m_status->setGeometry(layout.status);
    int y = layout.buttons.y();
    for (QPushButton* button : {m_close, m_help, m_about}) {
        button->setGeometry(layout.buttons.x(), y, layout.buttons.width(), 28);
        y += 36;
    }
}

void CMaprailDlg::resizeEvent(QResizeEvent* event) {
    QSize former = event->oldSize();
    if (!former.isValid()) former = QSize(std::max(kMainMinWidth, event->size().width()),
                                          std::max(kMainMinHeight, event->size().height()));
    const QSize accepted = AcceptedMainSize(former, event->size());
    if (accepted != event->size()) {
        resize(accepted);
        return;
    }
    QDialog::resizeEvent(event);
    LayOut();
}

void CMaprailDlg::SetStatusText(const QString& text) { m_status->setText(text); }

QString CMaprailDlg::StatusText() const { return m_status->text(); }

void CMaprailDlg::ShowAbout() {
    CAboutDlg about(this);
    about.exec();
}

void CMaprailDlg::ShowHelp() { c_UiServices::Get().OpenDocument(m_app.HelpPage()); }
