#include "source/c_DlgFdoSpContext.h"

#include "app/CMaprailApp.h"
#include "connections/SelectorBoxes.h"
#include "connections/c_DlgFdoSelConn.h"
#include "source/SchemaLookup.h"
#include "source/SourceConnection.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferControls/EditableList.h>

#include <Fdo.h>

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString ExtentText(FdoByteArray* extent) {
    if (!extent || extent->GetCount() == 0) return QString();
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> geometry = factory->CreateGeometryFromFgf(extent);
    FdoPtr<FdoIEnvelope> box = geometry->GetEnvelope();
    return QString::asprintf("Min(%g , %g) Max(%g , %g)", box->GetMinX(), box->GetMinY(), box->GetMaxX(),
                             box->GetMaxY());
}

QString ExtentTypeText(FdoSpatialContextExtentType type) {
    if (type == FdoSpatialContextExtentType_Static) return QStringLiteral("Static");
    if (type == FdoSpatialContextExtentType_Dynamic) return QStringLiteral("Dynamic");
    return QStringLiteral("Unknown Type");
}

}  // namespace

c_DlgFdoSpContext::c_DlgFdoSpContext(CMaprailApp& app, QWidget* parent, c_DlgFdoSelConn& selector)
    : c_DlgPane(app, parent), m_selector(selector) {
    auto* text = new QLabel(QStringLiteral("Displays Spatial Contexts described by provider. List display's Context "
                                           "Name, Coordinate System Name, WKT, Extent, Tolerance"),
                            this);
    text->setWordWrap(true);
    auto* read = new QPushButton(QStringLiteral("Read Spatial Contexts"), this);
    m_table = new GxfControls::EditableList(this);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(text);
    column->addWidget(read, 0, Qt::AlignLeft);
    column->addWidget(m_table, 1);
    connect(read, &QPushButton::clicked, this, [this] { ReadSpatialContexts(); });
}

void c_DlgFdoSpContext::OnActivate() {
    if (m_columnsMade) return;
    m_columnsMade = true;
    m_table->setColumns({QStringLiteral("Context Name"), QStringLiteral("Coord Sys Name"),
                         QStringLiteral("Coord Sys WKT"), QStringLiteral("Extent"), QStringLiteral("Extent Type"),
                         QStringLiteral("XY Tolerance"), QStringLiteral("Z Tolerance")},
                        {80, 120, 120, 120, 80, 80, 80});
}

void c_DlgFdoSpContext::ReadSpatialContexts() {
    c_WaitCursor wait;
    App().SetStatusText(QString());
    m_table->clearRows();
    c_UiServices& ui = c_UiServices::Get();
    try {
        c_SourceConnection connection;
        if (!connection.Open(this, App().ConnList(), m_selector.GetConnectionName())) return;
        if (!c_FDO_Api::GetSupportCommand(connection.Get(), FdoCommandType_GetSpatialContexts)) {
            ui.Message(this, QStringLiteral("\nProvider is not supporting FdoCommandType_GetSpatialContexts!"));
            return;
        }
        FdoPtr<FdoIGetSpatialContexts> command = static_cast<FdoIGetSpatialContexts*>(
            connection.Get()->CreateCommand(FdoCommandType_GetSpatialContexts));
        FdoPtr<FdoISpatialContextReader> reader = command->Execute();
        while (reader->ReadNext()) {
            FdoPtr<FdoByteArray> extent = reader->GetExtent();
            m_table->addRow({FromFdo(reader->GetName()), FromFdo(reader->GetCoordinateSystem()),
                             FromFdo(reader->GetCoordinateSystemWkt()), ExtentText(extent),
                             ExtentTypeText(reader->GetExtentType()),
                             QString::asprintf("%g", reader->GetXYTolerance()),
                             QString::asprintf("%g", reader->GetZTolerance())});
        }
    } catch (FdoException* e) {
        ui.Message(this, TakeFdoMessage(e));
    }
}
