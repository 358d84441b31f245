#include "oracle/c_DlgOraUpdateMetadata.h"

#include "app/CMaprailApp.h"
#include "connections/SelectorBoxes.h"
#include "dbtoolbox/DbText.h"
#include "dbtoolbox/PaneButtons.h"
#include "dbtoolbox/c_PaneConnection.h"
#include "oracle/MetadataInput.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/DimInfoData.h>
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferControls/EditableList.h>

#include <Fdo.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using GxfControls::EditableList;
using GxfControls::EditorKind;

namespace {
constexpr int kRows = 4;
}

c_DlgOraUpdateMetadata::c_DlgOraUpdateMetadata(CMaprailApp& app, QWidget* parent, FdoIConnection* connection,
                                               const QString& owner, const QString& table, const QString& column)
    : QDialog(parent),
      m_app(app),
      m_connection(FDO_SAFE_ADDREF(connection)),
      m_owner(owner),
      m_table(table),
      m_column(column),
      m_grid(new EditableList(this)),
      m_srid(new QLineEdit(this)),
      m_object(new QLabel(owner + '.' + table + '.' + column, this)) {
    setWindowTitle(QStringLiteral("Update SDO Metadata"));
    m_grid->setColumns({QStringLiteral("Dimension Name"), QStringLiteral("Lower Bound"), QStringLiteral("Upper Bound"),
                        QStringLiteral("Tolerance")},
                       {120, 120, 120, 120});
    for (int c = 0; c < 4; c++) m_grid->setColumnEditor(c, EditorKind::Text);
    for (int r = 0; r < kRows; r++) m_grid->addRow({});

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Oracle Table/View:"), this), 0, 0);
    layout->addWidget(m_object, 0, 1, 1, 2);
    layout->addWidget(m_grid, 1, 0, 1, 3);
    auto* extent = new QHBoxLayout;
    AddButton(extent, this, QStringLiteral("Recalculate Extent"), [this] { RecalculateExtent(); });
    extent->addStretch(1);
    layout->addLayout(extent, 2, 0, 1, 3);
    layout->addWidget(new QLabel(QStringLiteral("Oracle SRID:"), this), 3, 0);
    layout->addWidget(m_srid, 3, 1);
    auto* find = new QHBoxLayout;
    AddButton(find, this, QStringLiteral("Find used SRID"), [this] { FindUsedSrid(); });
    layout->addLayout(find, 3, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    AddButton(buttons, this, QStringLiteral("Set SDO Metadata"), [this] { SetMetadata(); });
    AddButton(buttons, this, QStringLiteral("Cancel"), [this] { reject(); });
    layout->addLayout(buttons, 4, 0, 1, 3);
    resize(560, 300);
    ReadMetadata();
}

c_DlgOraUpdateMetadata::~c_DlgOraUpdateMetadata() = default;

void c_DlgOraUpdateMetadata::ReadMetadata() {
    c_PaneConnection::Run(m_app, [this] {
        const bool opened = OpenIfNeeded(m_connection);
        FdoPtr<c_DimInfoDataCollection> dims = c_DimInfoDataCollection::Create();
        long srid = 0;
        const int count = c_FDO_Api::NorvOracle_GetMetadataDimInfo(m_connection, FdoText(m_owner), FdoText(m_table),
                                                                   FdoText(m_column), dims, srid);
        for (int i = 0; i < dims->GetCount() && i < kRows; i++) {
            FdoPtr<c_DimInfoData> d = dims->GetItem(i);
            m_grid->setRow(i, {QtText(d->m_DimName), FormatG(d->m_LowerBound), FormatG(d->m_UpperBound),
                               FormatG(d->m_Tolerance)});
        }
        if (count > 0) m_srid->setText(QString::number(srid));
        if (opened) CloseQuietly(m_connection);
    });
}

void c_DlgOraUpdateMetadata::RecalculateExtent() {
    m_grid->commitPendingEdit();
    try {
        OpenIfNeeded(m_connection);
        double mbr[8] = {};
        long dimensions = 0;
        if (!c_FDO_Api::NorvOracle_GetGeometriesMBR(m_connection, FdoText(m_owner), FdoText(m_table),
                                                    FdoText(m_column), mbr, dimensions) ||
            dimensions >= 5)
            return;
        static const char* const names[kRows] = {"X", "Y", "Z", "M"};
        for (int i = 0; i < dimensions && i < kRows; i++) {
            if (m_grid->cell(i, 0).isEmpty()) m_grid->setCell(i, 0, QString::fromLatin1(names[i]));
            m_grid->setCell(i, 1, LowerBoundText(mbr[i]));
            m_grid->setCell(i, 2, UpperBoundText(mbr[dimensions + i]));
            if (m_grid->cell(i, 3).isEmpty()) m_grid->setCell(i, 3, QStringLiteral("0.05"));
        }
    } catch (FdoException* e) {
        c_UiServices::Get().Message(this, QStringLiteral("Error Recalc Extent!"));
        m_app.SetStatusText(TakeFdoMessage(e));
    }
}

void c_DlgOraUpdateMetadata::FindUsedSrid() {
    try {
        OpenIfNeeded(m_connection);
        FdoPtr<FdoStringCollection> srids = FdoStringCollection::Create();
        c_FDO_Api::NorvOracle_FindSridInGeometries(m_connection, FdoText(m_owner), FdoText(m_table),
                                                   FdoText(m_column), srids);
        m_srid->setText(Cells(srids, 0, srids->GetCount()).join(','));
    } catch (FdoException* e) {
        c_UiServices::Get().Message(this, QStringLiteral("Error Find SRID!"));
        m_app.SetStatusText(TakeFdoMessage(e));
    }
}

void c_DlgOraUpdateMetadata::SetMetadata() {
    c_WaitCursor wait;
    m_app.SetStatusText(QString());
    m_grid->commitPendingEdit();
    c_PaneConnection::Run(m_app, [this] {
        OpenIfNeeded(m_connection);
        const c_MetadataInput input = ParseMetadataInput(m_grid->rows(), m_srid->text());
        if (!input.error.isEmpty()) {
            c_UiServices::Get().Message(this, input.error);
            return;
        }
        FdoPtr<c_DimInfoDataCollection> dims = c_DimInfoDataCollection::Create();
        for (const c_DimensionInput& d : input.dimensions) {
            FdoPtr<c_DimInfoData> dim = new c_DimInfoData(FdoText(d.name), d.lowerBound, d.upperBound, d.tolerance);
            dims->Add(dim);
        }
        const int written = c_FDO_Api::NorvOracle_SetMetadataDimInfo(
            m_connection, FdoText(m_owner), FdoText(m_table), FdoText(m_column), dims, input.srid);
        if (written == 1) accept();
        else c_UiServices::Get().Message(this, QStringLiteral("Error: SDO Metadata is no set!"));
    });
}
