#include "dbtoolbox/c_PaneConnection.h"

#include "app/CMaprailApp.h"
#include "connections/SelectorBoxes.h"
#include "connections/c_DlgFdoSelConn.h"
#include "ui/c_UiServices.h"

#include <Fdo.h>

c_PaneConnection::c_PaneConnection(CMaprailApp& app, const c_DlgFdoSelConn& selector, QWidget* pane)
    : m_app(app), m_selector(selector), m_pane(pane), m_wait(std::make_unique<c_WaitCursor>()) {
    m_app.SetStatusText(QString());
}

c_PaneConnection::~c_PaneConnection() {
    if (m_connection) CloseQuietly(m_connection.p);
}

bool c_PaneConnection::Obtain(const c_PaneProvider& provider, const std::function<void()>& afterName) {
    c_UiServices& ui = c_UiServices::Get();
    const QString name = m_selector.GetConnectionName();
    if (name.isEmpty()) {
        ui.Message(m_pane, provider.noNameText);
        return false;
    }
    if (afterName) afterName();
    m_connection = m_app.ConnList().CreateConnection(name);
    if (!m_connection) {
        ui.Message(m_pane, provider.noConnectionText);
        return false;
    }
    if (!provider.isProvider(m_connection.p)) {
        m_connection = nullptr;
        ui.Message(m_pane, provider.wrongProviderText);
        return false;
    }
    m_connection->Open();
    return true;
}

bool c_PaneConnection::Run(CMaprailApp& app, const std::function<void()>& work) {
    try {
        work();
        return true;
    } catch (FdoException* e) {
        app.SetStatusText(TakeFdoMessage(e));
        return false;
    }
}

bool OpenIfNeeded(FdoIConnection* connection) {
    if (connection->GetConnectionState() == FdoConnectionState_Open) return false;
    connection->Open();
    return true;
}

void CloseQuietly(FdoIConnection* connection) {
    try {
        if (connection->GetConnectionState() != FdoConnectionState_Closed) connection->Close();
    } catch (FdoException* e) {
        e->Release();
    }
}
