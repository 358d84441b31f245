#include "dbtoolbox/c_DlgFdoViewsTablePane.h"

#include "dbtoolbox/PaneButtons.h"
#include "ui/c_UiServices.h"

#include <GeoxferControls/EditableList.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

using GxfControls::EditableList;

namespace {
const char kEmptyProperty[] =
    "Empty connection property 'NorvFdoClass'. You need to set table name to be created. Set name of the table in "
    "connection property 'NorvFdoClass'.";
}

c_DlgFdoViewsTablePane::c_DlgFdoViewsTablePane(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent,
                                               const QString& readText)
    : c_DlgPane(app, parent), m_selector(selector), m_table(new EditableList(this)), m_tableName(new QLineEdit(this)) {
    m_tableName->setReadOnly(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* top = new QHBoxLayout;
    AddButton(top, this, readText, [this] { ReadSource(); });
    AddButton(top, this, QStringLiteral("Create NorvFdoClass Table"), [this] { CreateTable(); });
    AddButton(top, this, QStringLiteral("Drop NorvFdoClass Table"), [this] { DropTable(); });
    top->addStretch(1);
    layout->addLayout(top);
    auto* name = new QHBoxLayout;
    name->addWidget(new QLabel(QStringLiteral("NorvFdoClass Table Name:"), this));
    name->addWidget(m_tableName, 1);
    layout->addLayout(name);
    layout->addWidget(m_table, 1);
    auto* bottom = new QHBoxLayout;
    AddButton(bottom, this, QStringLiteral("Add.."), [this] { AddRow(); });
    AddButton(bottom, this, QStringLiteral("Delete..."), [this] { DeleteRow(); });
    AddButton(bottom, this, QStringLiteral("Update..."), [this] { UpdateRow(); });
    bottom->addStretch(1);
    layout->addLayout(bottom);
    connect(m_table, &EditableList::rowDoubleClicked, this, [this](int) { UpdateRow(); });
}

void c_DlgFdoViewsTablePane::OnActivate() {
    if (m_columnsMade) return;
    m_columnsMade = true;
    m_table->setFullRowSelection(true);
    MakeColumns();
}

void c_DlgFdoViewsTablePane::Show(const QString& text) { c_UiServices::Get().Message(this, text); }

int c_DlgFdoViewsTablePane::SelectedRow() const {
    const QList<int> rows = m_table->selectedRows();
    return rows.size() == 1 ? rows.first() : -1;
}

bool c_DlgFdoViewsTablePane::ObtainTable(c_PaneConnection& session, bool emptyTable, QString& table) {
    if (!session.Obtain(Provider(), [this, emptyTable] {
            if (emptyTable) m_table->clearRows();
        }))
        return false;
    table = TableNameProperty(session.Connection()).toUpper();
    if (!table.isEmpty()) return true;
    Show(QString::fromLatin1(kEmptyProperty));
    return false;
}

void c_DlgFdoViewsTablePane::ReadSource() {
    c_PaneConnection session(App(), m_selector, this);
    bool emptyProperty = false;
    c_PaneConnection::Run(App(), [&] {
        if (!session.Obtain(Provider(), [this] { m_table->clearRows(); })) return;
        const QString property = TableNameProperty(session.Connection());
        m_tableName->setText(property);
        emptyProperty = property.isEmpty();
        if (!emptyProperty) m_table->addRows(ReadMappingRows(session.Connection(), property.toUpper()));
    });
    if (emptyProperty)
        Show(QStringLiteral("NorvFdoClass connection Property is empty! Set table Name to be used in Connection "
                            "Property 'NorvFdoClass'."));
}

void c_DlgFdoViewsTablePane::CreateTable() {
    c_PaneConnection session(App(), m_selector, this);
    c_PaneConnection::Run(App(), [&] {
        QString table;
        if (!ObtainTable(session, true, table)) return;
        CreateMappingTable(session.Connection(), table);
        Show(QStringLiteral("Table created."));
    });
}

void c_DlgFdoViewsTablePane::DropTable() {
    c_PaneConnection session(App(), m_selector, this);
    c_PaneConnection::Run(App(), [&] {
        QString table;
        if (!ObtainTable(session, true, table)) return;
        if (c_UiServices::Get().Message(this, QStringLiteral("Are you sure you wan't to drop the table."), QString(),
                                        c_UiServices::YesNo) != c_UiServices::AnswerYes)
            return;
        DropMappingTable(session.Connection(), table);
        Show(QStringLiteral("Table dropped."));
    });
}

void c_DlgFdoViewsTablePane::AddRow() {
    const std::optional<QStringList> cells = EditRow(QString(), {});
    if (!cells) return;
    c_PaneConnection session(App(), m_selector, this);
    c_PaneConnection::Run(App(), [&] {
        QString table;
        if (!ObtainTable(session, false, table)) return;
        if (InsertMappingRow(session.Connection(), table, *cells)) m_table->addRow(*cells);
    });
}

void c_DlgFdoViewsTablePane::DeleteRow() {
    const int row = SelectedRow();
    if (row < 0) return;
    const QString className = m_table->cell(row, ClassNameColumn());
    c_PaneConnection session(App(), m_selector, this);
    c_PaneConnection::Run(App(), [&] {
        QString table;
        if (!ObtainTable(session, false, table)) return;
        if (DeleteMappingRow(session.Connection(), table, className)) m_table->removeRow(row);
    });
}

void c_DlgFdoViewsTablePane::UpdateRow() {
    const int row = SelectedRow();
    if (row < 0) return;
    const QString className = m_table->cell(row, ClassNameColumn());
    const std::optional<QStringList> cells = EditRow(className, m_table->row(row));
    if (!cells) return;
    c_PaneConnection session(App(), m_selector, this);
    c_PaneConnection::Run(App(), [&] {
        QString table;
        if (!ObtainTable(session, false, table)) return;
        if (UpdateMappingRow(session.Connection(), table, className, *cells)) m_table->setRow(row, *cells);
    });
}
