#include "app/CAboutDlg.h"

#include "app/ProgramIcon.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("About Geoxfer"));
    auto* icon = new QLabel(this);
    icon->setPixmap(ProgramIcon().pixmap(48, 48));
    auto* version = new QLabel(QStringLiteral("Geoxfer Version 0.7.7"), this);
    auto* about = new QLabel(QStringLiteral("Copies feature data, schemas and spatial contexts\n"
                                            "between shape files, SDF, KML and spatial databases."),
                             this);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, [this] { accept(); });
    auto* grid = new QGridLayout(this);
    grid->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    grid->addWidget(version, 0, 1);
    grid->addWidget(about, 1, 1);
    grid->addWidget(ok, 2, 1, Qt::AlignRight);
}
