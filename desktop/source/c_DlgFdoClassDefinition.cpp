#include "source/c_DlgFdoClassDefinition.h"

#include "source/ClassBox.h"
#include "source/ClassDefinitionRows.h"

#include <GeoxferControls/EditableList.h>

#include <Fdo.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

c_DlgFdoClassDefinition::c_DlgFdoClassDefinition(CMaprailApp& app, QWidget* parent, c_DlgFdoSelConn& selector)
    : c_DlgPane(app, parent) {
    m_classes = new c_ClassBox(app, selector, this);
    m_classTable = new GxfControls::EditableList(this);
    m_propertyTable = new GxfControls::EditableList(this);
    m_detailTable = new GxfControls::EditableList(this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Display FDO Class Definition"), this), 0, 0, 1, 3);
    grid->addWidget(m_classes, 1, 0, 1, 3);
    grid->addWidget(m_classTable, 2, 0);
    grid->addWidget(m_propertyTable, 2, 1);
    grid->addWidget(m_detailTable, 2, 2);
    grid->setRowStretch(2, 1);
    connect(m_classes->Box(), &QComboBox::currentIndexChanged, this, [this] { ShowSelectedClass(); });
    connect(m_propertyTable, &GxfControls::EditableList::currentRowChanged, this,
            [this](int row) { ShowProperty(row); });
}

void c_DlgFdoClassDefinition::OnActivate() {
    if (m_columnsMade) return;
    m_columnsMade = true;
    m_classTable->setColumns({QStringLiteral("Attribute"), QStringLiteral("Value")}, {110, 120});
    m_propertyTable->setColumns({QStringLiteral("Property"), QStringLiteral("Type")}, {110, 80});
    m_detailTable->setColumns({QStringLiteral("Attribute"), QStringLiteral("Value")}, {130, 100});
    for (auto* table : {m_classTable, m_propertyTable, m_detailTable}) table->setStretchLastColumn(true);
}

void c_DlgFdoClassDefinition::ReadSchema() { m_classes->ReadSchema(); }

void c_DlgFdoClassDefinition::ShowSelectedClass() {
    m_classTable->clearRows();
    m_propertyTable->clearRows();
    m_detailTable->clearRows();
    FdoPtr<FdoClassDefinition> classDef = m_classes->SelectedClass();
    if (!classDef) return;
    m_classTable->addRows(ClassAttributeRows(classDef));
    m_propertyTable->addRows(PropertyTypeRows(classDef));
}

void c_DlgFdoClassDefinition::ShowProperty(int row) {
    m_detailTable->clearRows();
    FdoPtr<FdoClassDefinition> classDef = m_classes->SelectedClass();
    if (!classDef || row < 0) return;
    FdoPtr<FdoPropertyDefinitionCollection> properties = classDef->GetProperties();
    if (row >= properties->GetCount()) return;
    FdoPtr<FdoPropertyDefinition> property = properties->GetItem(row);
    m_detailTable->addRows(PropertyAttributeRows(property));
}
