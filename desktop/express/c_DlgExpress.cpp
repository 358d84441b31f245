// The shared express pane. Fields are kept by label so that the row of the
// member decides everything: which fields exist, which pickers fill them and
// how they make the connection strings.
#include "express/c_DlgExpress.h"

#include "app/CMaprailApp.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/LastError.h>

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {
// The example under "Service Name:".
const char kServiceHint[] = "e.g. [//dbhost.example.com/ORCL]";
}  // namespace

c_DlgExpress::c_DlgExpress(const c_ExpressMember& member, CMaprailApp& app, QWidget* parent)
    : c_DlgPane(app, parent), m_member(member) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setColumnStretch(1, 1);
    int row = 0;
    AddSide(member.source, true, grid, row);
    AddSide(member.dest, false, grid, row);
    m_start = new QPushButton(QStringLiteral("Start Copy"), this);
    m_result = new QLabel(QStringLiteral("Click Start Copy"), this);
    m_result->setWordWrap(true);
    m_result->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(m_start, row, 0, Qt::AlignLeft);
    grid->addWidget(m_result, row++, 1, 1, 2);
    grid->setRowStretch(row, 1);
    connect(m_start, &QPushButton::clicked, this, [this] { StartCopy(); });
}

QLineEdit* c_DlgExpress::AddField(const QString& label, QGridLayout* grid, int& row, bool password) {
    auto* field = new QLineEdit(this);
    if (password) field->setEchoMode(QLineEdit::Password);
    grid->addWidget(new QLabel(label, this), row, 0);
    grid->addWidget(field, row++, 1);
    m_fields.insert(label, field);
    return field;
}

void c_DlgExpress::AddSide(const c_ExpressSide& side, bool source, QGridLayout* grid, int& row) {
    if (side.kind == e_StoreKind::File) {
        const QString label = QString::fromUtf8(side.label);
        grid->addWidget(new QLabel(label, this), row++, 0, 1, 3);
        auto* field = new QLineEdit(this);
        m_fields.insert(label, field);
        (source ? m_sourceFile : m_destFile) = field;
        auto* buttons = new QHBoxLayout;
        for (const c_PickerButton& picker : side.pickers) {
            auto* button = new QPushButton(QString::fromUtf8(picker.text), this);
            m_pickers.insert(button->text(), button);
            buttons->addWidget(button);
            connect(button, &QPushButton::clicked, this, [this, picker, field] { Pick(picker, field); });
        }
        grid->addWidget(field, row, 0, 1, 2);
        grid->addLayout(buttons, row++, 2);
    } else if (side.kind == e_StoreKind::Oracle) {
        AddField(QString::fromUtf8(kOracleUserLabel), grid, row);
        AddField(QString::fromUtf8(kOraclePasswordLabel), grid, row, true);
        AddField(QString::fromUtf8(kOracleServiceLabel), grid, row);
        grid->addWidget(new QLabel(QString::fromUtf8(kServiceHint), this), row++, 1);
    } else {
        AddField(QString::fromUtf8(kDsnLabel), grid, row);
    }
    if (side.sridLabel) AddField(QString::fromUtf8(side.sridLabel), grid, row);
    grid->addItem(new QSpacerItem(0, 8), row++, 0);
}

void c_DlgExpress::Pick(const c_PickerButton& button, QLineEdit* field) {
    c_UiServices& ui = c_UiServices::Get();
    QString path;
    const QString filter = QString::fromUtf8(button.filter ? button.filter : "");
    const QString ext = QString::fromUtf8(button.defaultExt ? button.defaultExt : "");
    switch (button.picker) {
        case e_Picker::OpenFile: path = ui.OpenFile(this, filter, ext); break;
        case e_Picker::SaveFile: path = ui.SaveFile(this, filter, ext); break;
        case e_Picker::Folder: path = ui.PickFolder(this, QStringLiteral("Pick a Folder")); break;
    }
    if (!path.isEmpty()) field->setText(path);
}

QStringList c_DlgExpress::TemplateValues(const c_ExpressSide& side, bool source) const {
    if (side.kind == e_StoreKind::File) return {(source ? m_sourceFile : m_destFile)->text()};
    if (side.kind == e_StoreKind::Informix) return {Field(QString::fromUtf8(kDsnLabel))->text()};
    const QString user = Field(QString::fromUtf8(kOracleUserLabel))->text();
    return {user, Field(QString::fromUtf8(kOraclePasswordLabel))->text(),
            Field(QString::fromUtf8(kOracleServiceLabel))->text(), user};
}

c_ExpressRequest c_DlgExpress::Request() const {
    c_ExpressRequest request;
    request.sourceProvider = QString::fromUtf8(m_member.sourceProvider);
    request.sourceConnString =
        FillTemplate(QString::fromUtf8(m_member.sourceTemplate), TemplateValues(m_member.source, true));
    request.destProvider = QString::fromUtf8(m_member.destProvider);
    request.destConnString = FillTemplate(QString::fromUtf8(m_member.destTemplate), TemplateValues(m_member.dest, false));
    request.extra = m_member.extra;
    if (m_member.extra == e_Extra::SridFromField)
        request.srid = ReadSrid(Field(QString::fromUtf8(m_member.dest.sridLabel))->text());
    return request;
}

QString c_DlgExpress::ResultText() const { return m_result->text(); }

void c_DlgExpress::StartCopy() {
    const c_ExpressRequest request = Request();
    c_ExpressOutcome outcome;
    c_UiServices::Get().RunLongWork(this, QStringLiteral("Copying"),
                                    [&](c_WorkProgress& progress) { outcome = RunExpressCopy(request, progress); });
    Report(outcome, request);
}

void c_DlgExpress::Report(const c_ExpressOutcome& outcome, const c_ExpressRequest& request) {
    c_UiServices& ui = c_UiServices::Get();
    if (outcome.resultCode == GXF_Result_CopyCancelled) {
        // What was copied stays in the destination; it is not registered,
        // as only a finished copy is.
        m_result->setText(QStringLiteral("Copy cancelled. Copied %1 features.").arg(outcome.count));
        ui.Message(this, m_result->text());
        return;
    }
    if (outcome.resultCode != 0) {
        m_result->setText(outcome.error);
        ui.Message(this, QStringLiteral("Error copy: %1").arg(outcome.error));
        return;
    }
    m_result->setText(QStringLiteral("Copied %1 features.").arg(outcome.count));
    ui.Message(this, QStringLiteral("Copy Finished. %1").arg(m_result->text()));
    c_ConnList& list = App().ConnList();
    const c_ConnData record =
        list.FindOrAdd(QString::fromUtf8(m_member.baseName), request.destProvider, request.destConnString);
    list.SetCurrentByName(record.name);
}
