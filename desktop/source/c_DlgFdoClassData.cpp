#include "source/c_DlgFdoClassData.h"

#include "app/CMaprailApp.h"
#include "connections/SelectorBoxes.h"
#include "connections/c_DlgFdoSelConn.h"
#include "source/ClassBox.h"
#include "source/ClassRowsQuery.h"
#include "source/SourceConnection.h"
#include "source/c_DlgFilter.h"
#include "ui/c_UiServices.h"

#include <GeoxferControls/EditableList.h>
#include <GeoxferMapView/MapView.h>
#include <GeoxferToolbox/ToolboxInput.h>

#include <Fdo.h>

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>

c_DlgFdoClassData::c_DlgFdoClassData(CMaprailApp& app, QWidget* parent, c_DlgFdoSelConn& selector)
    : c_DlgPane(app, parent), m_selector(selector) {
    m_classes = new c_ClassBox(app, selector, this);
    m_filter = new QLineEdit(this);
    m_orderBy = new QLineEdit(this);
    m_ascending = new QCheckBox(QStringLiteral("Ascending"), this);
    m_from = new QLineEdit(this);
    m_to = new QLineEdit(this);
    for (QLineEdit* field : {m_from, m_to}) field->setMaximumWidth(70);
    auto* setFilter = new QPushButton(QStringLiteral("Set Filter..."), this);
    auto* read = new QPushButton(QStringLiteral("Read Data"), this);
    m_table = new GxfControls::EditableList(this);
    m_map = new MapView(this);
    m_map->setMinimumWidth(160);
    auto* split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(m_table);
    split->addWidget(m_map);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(m_classes, 0, 0, 1, 6);
    grid->addWidget(new QLabel(QStringLiteral("Filter:"), this), 1, 0);
    grid->addWidget(m_filter, 1, 1, 1, 4);
    grid->addWidget(setFilter, 1, 5);
    grid->addWidget(new QLabel(QStringLiteral("Order By:"), this), 2, 0);
    grid->addWidget(m_orderBy, 2, 1, 1, 4);
    grid->addWidget(m_ascending, 2, 5);
    grid->addWidget(new QLabel(QStringLiteral("Read Rows"), this), 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("From:"), this), 3, 1, Qt::AlignRight);
    grid->addWidget(m_from, 3, 2);
    grid->addWidget(new QLabel(QStringLiteral("To:"), this), 3, 3, Qt::AlignRight);
    grid->addWidget(m_to, 3, 4, Qt::AlignLeft);
    grid->addWidget(read, 3, 5);
    grid->addWidget(split, 4, 0, 1, 6);
    grid->setRowStretch(4, 1);
    grid->setColumnStretch(4, 1);

    connect(setFilter, &QPushButton::clicked, this, [this] { SetFilter(); });
    connect(read, &QPushButton::clicked, this, [this] { ReadData(); });
    connect(m_table, &GxfControls::EditableList::currentRowChanged, m_map, [this](int row) { m_map->SetSelected(row); });
    connect(m_map, &MapView::FeatureClicked, m_table, [this](int index) {
        if (index >= 0 && index < m_table->rowCount()) m_table->selectRow(index);
    });
}

void c_DlgFdoClassData::OnActivate() {
    if (!m_firstActivation) return;
    m_firstActivation = false;
    m_ascending->setChecked(true);
    m_from->setText(QStringLiteral("1"));
    m_to->setText(QStringLiteral("50"));
}

void c_DlgFdoClassData::ReadSchema() { m_classes->ReadSchema(); }

void c_DlgFdoClassData::SetFilter() {
    c_DlgFilter dialog(this, m_filter->text());
    if (dialog.exec() == QDialog::Accepted) m_filter->setText(dialog.Filter());
}

void c_DlgFdoClassData::ReadData() {
    c_UiServices& ui = c_UiServices::Get();
    m_table->clearColumns();
    m_map->Clear();
    if (!m_classes->Schemas()) {
        ui.Message(this, QStringLiteral("Read Schema!"));
        return;
    }
    FdoPtr<FdoClassDefinition> classDef = m_classes->SelectedClass();
    if (!classDef) return;
    c_WaitCursor wait;
    App().SetStatusText(QString());
    c_ClassRowsQuery query;
    query.filter = m_filter->text();
    query.orderBy = ToolboxInput::SplitOrderBy(m_orderBy->text());
    query.ascending = m_ascending->isChecked();
    query.range = ToolboxInput::ParseRowRange(m_from->text(), m_to->text());
    c_ClassRows rows;
    try {
        c_SourceConnection connection;
        if (!connection.Open(this, App().ConnList(), m_selector.GetConnectionName())) return;
        ReadClassRows(connection.Get(), classDef, query, rows);
    } catch (FdoException* e) {
        ui.Message(this, TakeFdoMessage(e));
    }
    // What was read before a failure is shown too.
    if (rows.headers.isEmpty()) return;
    QList<int> widths{40};
    for (qsizetype i = 1; i < rows.headers.size(); i++) widths << 80;
    m_table->setColumns(rows.headers, widths);
    m_table->addRows(rows.rows);
    if (rows.hasGeometry) m_map->SetFgfRows(rows.geometries);
}
