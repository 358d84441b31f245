// c_PaneConnection: what every button of the Oracle and SQL Server toolbox
// panes does before its work and after it. Made at the top of a handler, it
// shows the wait cursor and clears the status line; Obtain takes the name
// from the connection selector, creates the connection, tests its provider
// and opens it, showing the pane's message and returning false at the first
// step that fails. The connection is closed and released when the object
// goes, whatever the handler did.
//
// Run wraps a handler's work: an FdoException thrown inside it ends the
// work and its message goes to the status line.
#pragma once

#include <Fdo/Common/Ptr.h>

#include <QString>

#include <functional>
#include <memory>

class CMaprailApp;
class c_DlgFdoSelConn;
class c_WaitCursor;
class FdoIConnection;
class QWidget;

// The provider a pane works with: its test, the message shown for a
// connection of another provider, and those for no connection name and for
// a connection that cannot be made.
struct c_PaneProvider {
    c_PaneProvider(bool (*isProvider_)(FdoIConnection*), const QString& wrongProviderText_)
        : isProvider(isProvider_), wrongProviderText(wrongProviderText_) {}
    c_PaneProvider(bool (*isProvider_)(FdoIConnection*), const QString& wrongProviderText_,
                   const QString& noNameText_, const QString& noConnectionText_)
        : isProvider(isProvider_), wrongProviderText(wrongProviderText_), noNameText(noNameText_),
          noConnectionText(noConnectionText_) {}
    bool (*isProvider)(FdoIConnection*);
    QString wrongProviderText;
    QString noNameText = QStringLiteral("Select FDO Connection!");
    QString noConnectionText = QStringLiteral("Unable to Create FDO Connection!");
};

class c_PaneConnection {
public:
    c_PaneConnection(CMaprailApp& app, const c_DlgFdoSelConn& selector, QWidget* pane);
    ~c_PaneConnection();
    c_PaneConnection(const c_PaneConnection&) = delete;
    c_PaneConnection& operator=(const c_PaneConnection&) = delete;

    // The common steps. afterName runs once the selector has given a name
    // (the panes empty their table there). May throw FdoException (Open).
    bool Obtain(const c_PaneProvider& provider, const std::function<void()>& afterName = {});
    FdoIConnection* Connection() const { return m_connection.p; }

    // The work, with an FdoException's message put on the status line;
    // false when one was thrown.
    static bool Run(CMaprailApp& app, const std::function<void()>& work);

private:
    CMaprailApp& m_app;
    const c_DlgFdoSelConn& m_selector;
    QWidget* m_pane;
    std::unique_ptr<c_WaitCursor> m_wait;
    FdoPtr<FdoIConnection> m_connection;
};

// Opens the connection unless it is open already; true when this call
// opened it (the caller then closes it when done).
bool OpenIfNeeded(FdoIConnection* connection);
// Closes the connection, keeping quiet about a failure to do so.
void CloseQuietly(FdoIConnection* connection);
