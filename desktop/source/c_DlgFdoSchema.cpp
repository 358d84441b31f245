#include "source/c_DlgFdoSchema.h"

#include "app/CMaprailApp.h"
#include "connections/SelectorBoxes.h"
#include "connections/c_DlgFdoSelConn.h"
#include "schema/c_DlgFdoSchemaManager.h"
#include "source/SchemaLookup.h"
#include "source/SourceConnection.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferControls/EditableList.h>
#include <GeoxferToolbox/ToolboxInput.h>

#include <Fdo.h>

#include <QElapsedTimer>
#include <functional>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr const char* kXmlFilter = "XML files (*.xml)|*.xml|All Files (*.*)|*.*||";

QStringList ClassRow(const QString& schemaName, FdoClassDefinition* classDef) {
    QString geometry, context;
    if (classDef->GetClassType() == FdoClassType_FeatureClass) {
        FdoPtr<FdoGeometricPropertyDefinition> geom = static_cast<FdoFeatureClass*>(classDef)->GetGeometryProperty();
        geometry = geom ? FromFdo(geom->GetName()) : QStringLiteral("No Geometry property Set");
        if (geom) context = FromFdo(geom->GetSpatialContextAssociation());
    } else {
        geometry = QStringLiteral("No Feature Class");
    }
    QStringList identity;
    FdoPtr<FdoDataPropertyDefinitionCollection> ids = classDef->GetIdentityProperties();
    for (FdoInt32 i = 0; i < ids->GetCount(); i++) {
        FdoPtr<FdoDataPropertyDefinition> id = ids->GetItem(i);
        identity << FromFdo(id->GetName());
    }
    return {schemaName, FromFdo(classDef->GetName()), geometry, context, ToolboxInput::IdentityText(identity)};
}

}  // namespace

c_DlgFdoSchema::c_DlgFdoSchema(CMaprailApp& app, QWidget* parent, c_DlgFdoSelConn& selector)
    : c_DlgPane(app, parent), m_selector(selector) {
    auto* text = new QLabel(
        QStringLiteral("Displays FDO schema as described by provider. List display's Class Name, Geometry property Name, "),
        this);
    text->setWordWrap(true);
    m_table = new GxfControls::EditableList(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(text);
    // Two rows of buttons at their natural width: reading and applying,
    // then the schema files.
    const QStringList labels[2] = {{QStringLiteral("Read FDO Source"), QStringLiteral("Apply Schema"),
                                    QStringLiteral("Schema Manager...")},
                                   {QStringLiteral("Write Schema to XML..."), QStringLiteral("Read Schema from XML...")}};
    const std::function<void()> actions[2][3] = {
        {[this] { ReadFdoSource(); }, [this] { ApplySchema(); }, [this] { OpenSchemaManager(); }},
        {[this] { WriteSchemaToXml(); }, [this] { ReadSchemaFromXml(); }, {}}};
    for (int r = 0; r < 2; r++) {
        auto* row = new QHBoxLayout;
        for (int i = 0; i < labels[r].size(); i++) {
            auto* button = new QPushButton(labels[r][i], this);
            row->addWidget(button);
            connect(button, &QPushButton::clicked, this, actions[r][i]);
        }
        row->addStretch(1);
        column->addLayout(row);
    }
    column->addWidget(m_table, 1);
}

c_DlgFdoSchema::~c_DlgFdoSchema() { FDO_SAFE_RELEASE(m_schemas); }

void c_DlgFdoSchema::OnActivate() {
    if (m_columnsMade) return;
    m_columnsMade = true;
    m_table->setColumns({QStringLiteral("Schema Name"), QStringLiteral("Class Name"), QStringLiteral("Geometry Name"),
                         QStringLiteral("Spatial Context"), QStringLiteral("Identity")},
                        {80, 120, 120, 120, 100});
    m_table->setStretchLastColumn(true);
}

void c_DlgFdoSchema::Hold(FdoFeatureSchemaCollection* schemas) {
    FDO_SAFE_RELEASE(m_schemas);
    m_schemas = schemas;
}

void c_DlgFdoSchema::FillTable() {
    m_table->clearRows();
    if (!m_schemas) return;
    QList<QStringList> rows;
    for (FdoInt32 s = 0; s < m_schemas->GetCount(); s++) {
        FdoPtr<FdoFeatureSchema> schema = m_schemas->GetItem(s);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 c = 0; c < classes->GetCount(); c++) {
            FdoPtr<FdoClassDefinition> classDef = classes->GetItem(c);
            rows << ClassRow(FromFdo(schema->GetName()), classDef);
        }
    }
    m_table->addRows(rows);
}

void c_DlgFdoSchema::ReadFdoSource() {
    c_WaitCursor wait;
    App().SetStatusText(QString());
    try {
        c_SourceConnection connection;
        if (!connection.Open(this, App().ConnList(), m_selector.GetConnectionName())) return;
        QElapsedTimer clock;
        clock.start();
        FdoPtr<FdoFeatureSchemaCollection> schemas = connection.Describe(this);
        if (!schemas) return;
        const double seconds = static_cast<double>(clock.elapsed()) / 1000.0;
        Hold(schemas.Detach());
        FillTable();
        App().SetStatusText(QString::asprintf("Execution time: %.2lfs", seconds));
    } catch (FdoException* e) {
        c_UiServices::Get().Message(this, TakeFdoMessage(e));
    }
}

void c_DlgFdoSchema::WriteSchemaToXml() {
    c_UiServices& ui = c_UiServices::Get();
    if (!m_schemas) {
        // Nothing read yet: there is no collection to write.
        ui.Message(this, QStringLiteral("Read Schema!"));
        return;
    }
    const QString path = ui.SaveFile(this, QString::fromUtf8(kXmlFilter), QStringLiteral("xml"));
    if (path.isEmpty()) return;
    try {
        m_schemas->WriteXml(path.toStdWString().c_str());
    } catch (FdoException* e) {
        ui.Message(this, TakeFdoMessage(e));
        return;
    }
    if (ui.Message(this, QStringLiteral("Schema exported OK. View file?"), QString(), c_UiServices::YesNo) ==
        c_UiServices::AnswerYes)
        ui.OpenDocument(path);
}

void c_DlgFdoSchema::ReadSchemaFromXml() {
    c_UiServices& ui = c_UiServices::Get();
    const QString path = ui.OpenFile(this, QString::fromUtf8(kXmlFilter), QStringLiteral("xml"));
    if (path.isEmpty()) return;
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    try {
        schemas->ReadXml(path.toStdWString().c_str());
    } catch (FdoException* e) {
        ui.Message(this, TakeFdoMessage(e));
        return;
    }
    Hold(schemas.Detach());
    if (ui.Message(this, QStringLiteral("Schema readed OK. View file?"), QString(), c_UiServices::YesNo) ==
        c_UiServices::AnswerYes)
        FillTable();
}

void c_DlgFdoSchema::ApplySchema() {
    c_ConnData record;
    if (!App().ConnList().Find(m_selector.GetConnectionName(), record)) return;
    if (!m_schemas || m_schemas->GetCount() < 1) return;
    c_WaitCursor wait;
    App().SetStatusText(QString());
    FdoPtr<FdoFeatureSchema> first = m_schemas->GetItem(0);
    const int rc = c_FDO_Api::GXF_ApplySchema(record.provider.toStdWString().c_str(),
                                              record.connectionString.toStdWString().c_str(), true, first, 0);
    if (rc == 0)
        c_UiServices::Get().Message(this, QStringLiteral("Schema Apply OK."));
    else
        App().SetStatusText(FromFdo(c_FDO_Api::GXF_GetLastError()));
}

void c_DlgFdoSchema::OpenSchemaManager() { c_DlgFdoSchemaManager::Open(App(), window()); }
