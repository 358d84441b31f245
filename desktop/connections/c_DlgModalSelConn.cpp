#include "connections/c_DlgModalSelConn.h"

#include "app/CMaprailApp.h"
#include "connections/c_DlgFdoSelConn.h"

#include <QPushButton>
#include <QResizeEvent>

c_DlgModalSelConn::c_DlgModalSelConn(CMaprailApp& app, QWidget* parent) : QDialog(parent), m_app(app) {
    setWindowTitle(QStringLiteral("Select FDO Connection"));
    m_selector = new c_DlgFdoSelConn(app, this);
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, [this] { accept(); });
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
    resize(560, 160);
    m_selector->Activate();
}

void c_DlgModalSelConn::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    const int w = event->size().width();
    m_selector->setGeometry(10, 10, w - 20, 100);
    m_cancel->setGeometry(w - 90, 120, 80, 28);
    m_ok->setGeometry(w - 180, 120, 80, 28);
}

void c_DlgModalSelConn::accept() {
    m_name = m_selector->GetConnectionName();
    if (!m_name.isEmpty()) m_app.ConnList().SetCurrentByName(m_name);
    QDialog::accept();
}
