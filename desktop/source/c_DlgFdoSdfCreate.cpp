// The file is picked with the save-file box rather than an open-file box:
// the file to create does not exist yet, and the save box lets a new name
// be typed. Why a creation failed (the file exists, the folder is read
// only) goes to the status line beside the pane's own message.
#include "source/c_DlgFdoSdfCreate.h"

#include "app/CMaprailApp.h"
#include "connections/SelectorBoxes.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

c_DlgFdoSdfCreate::c_DlgFdoSdfCreate(CMaprailApp& app, QWidget* parent) : c_DlgPane(app, parent) {
    m_file = new QLineEdit(this);
    auto* browse = new QPushButton(QStringLiteral("Browse for File..."), this);
    auto* create = new QPushButton(QStringLiteral("Create SDF file"), this);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("SDF FileName:"), this), 0, 0);
    grid->addWidget(m_file, 0, 1);
    grid->addWidget(browse, 0, 2);
    grid->addWidget(create, 1, 1, Qt::AlignLeft);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);
    connect(browse, &QPushButton::clicked, this, [this] { BrowseForFile(); });
    connect(create, &QPushButton::clicked, this, [this] { CreateSdfFile(); });
}

void c_DlgFdoSdfCreate::BrowseForFile() {
    const QString path = c_UiServices::Get().SaveFile(
        this, QStringLiteral("SDF files (*.sdf)|*.sdf|All Files (*.*)|*.*||"), QStringLiteral("SDF"));
    if (!path.isEmpty()) m_file->setText(path);
}

void c_DlgFdoSdfCreate::CreateSdfFile() {
    c_WaitCursor wait;
    App().SetStatusText(QString());
    bool created = false;
    try {
        created = c_FDO_Api::CreateSdfFile(m_file->text().toStdWString().c_str());
        if (!created) App().SetStatusText(QStringLiteral("No SDF provider is registered."));
    } catch (FdoException* e) {
        App().SetStatusText(TakeFdoMessage(e));
    }
    c_UiServices::Get().Message(this, created ? QStringLiteral("SDF File created OK.")
                                              : QStringLiteral("Error creating SDF file!"));
}
