#include "source/ClassBox.h"

#include "app/CMaprailApp.h"
#include "connections/SelectorBoxes.h"
#include "connections/c_DlgFdoSelConn.h"
#include "source/SchemaLookup.h"
#include "source/SourceConnection.h"
#include "ui/c_UiServices.h"

#include <Fdo.h>

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

c_ClassBox::c_ClassBox(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent)
    : QWidget(parent), m_app(app), m_selector(selector) {
    m_box = new QComboBox(this);
    m_box->setMinimumContentsLength(24);
    auto* read = new QPushButton(QStringLiteral("Read Schema"), this);
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(QStringLiteral("Select Class:"), this));
    row->addWidget(m_box, 1);
    row->addWidget(read);
    connect(read, &QPushButton::clicked, this, [this] { ReadSchema(); });
}

c_ClassBox::~c_ClassBox() { FDO_SAFE_RELEASE(m_schemas); }

FdoClassDefinition* c_ClassBox::SelectedClass() const {
    return FindClassByQualifiedName(m_schemas, m_box->currentText());
}

bool c_ClassBox::ReadSchema() {
    c_WaitCursor wait;
    m_app.SetStatusText(QString());
    m_box->clear();
    try {
        c_SourceConnection connection;
        if (!connection.Open(this, m_app.ConnList(), m_selector.GetConnectionName())) return false;
        FdoFeatureSchemaCollection* schemas = connection.Describe(this);
        if (!schemas) return false;
        FDO_SAFE_RELEASE(m_schemas);
        m_schemas = schemas;
    } catch (FdoException* e) {
        c_UiServices::Get().Message(this, TakeFdoMessage(e));
        return false;
    }
    // Filled after the connection is closed: selecting the first entry may
    // make a pane show it, which needs no connection.
    m_box->addItems(QualifiedClassNames(m_schemas));
    if (m_box->count() > 0) m_box->setCurrentIndex(0);
    return true;
}
