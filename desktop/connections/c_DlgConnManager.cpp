#include "connections/c_DlgConnManager.h"

#include "app/CMaprailApp.h"
#include "ui/c_UiServices.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>

c_DlgConnManager::c_DlgConnManager(CMaprailApp& app, QWidget* parent) : c_DlgPane(app, parent) {
    m_table = new QTableWidget(0, 3, this);
    m_table->setHorizontalHeaderLabels(
        {QStringLiteral("Connection Name"), QStringLiteral("Provider Name"), QStringLiteral("Connection String")});
    m_table->setColumnWidth(0, 120);
    m_table->setColumnWidth(1, 120);
    m_table->setColumnWidth(2, 700);
    m_table->verticalHeader()->hide();
    m_table->setShowGrid(true);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    auto* add = new QPushButton(QStringLiteral("New..."), this);
    auto* remove = new QPushButton(QStringLiteral("Delete"), this);
    connect(add, &QPushButton::clicked, this, [this] { AddNewConnection(); });
    connect(remove, &QPushButton::clicked, this, [this] { DeleteSelected(); });
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_table, 0, 0, 1, 3);
    grid->addWidget(add, 1, 0);
    grid->addWidget(remove, 1, 1);
    grid->setColumnStretch(2, 1);
}

void c_DlgConnManager::OnActivate() {
    m_table->setRowCount(0);
    for (const c_ConnData& record : App().ConnList().GetRecords()) AppendRow(record);
}

void c_DlgConnManager::AppendRow(const c_ConnData& record) {
    const int row = m_table->rowCount();
    m_table->insertRow(row);
    m_table->setItem(row, 0, new QTableWidgetItem(record.name));
    m_table->setItem(row, 1, new QTableWidgetItem(record.provider));
    m_table->setItem(row, 2, new QTableWidgetItem(record.connectionString));
}

void c_DlgConnManager::AddNewConnection() {
    c_ConnData record;
    if (!App().ConnList().AddNew(this, record)) return;
    AppendRow(record);
    App().ConnList().SetCurrent(record);
}

void c_DlgConnManager::DeleteSelected() {
    if (m_table->rowCount() == 0) {
        c_UiServices::Get().Message(this, QStringLiteral("Connection list is already empty!"));
        return;
    }
    const QList<QTableWidgetItem*> selected = m_table->selectedItems();
    if (selected.isEmpty()) return;
    const int row = selected.first()->row();
    if (App().ConnList().RemoveAt(row)) m_table->removeRow(row);
}
