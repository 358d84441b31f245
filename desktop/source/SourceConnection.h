// c_SourceConnection: the connection of one operation of an FDO source
// toolbox pane. It is made from the name the selector shows, opened, and
// closed and released when the operation ends, however it ends, so no pane
// keeps a connection open between uses. It also runs the describe-schema
// step the panes share.
#pragma once

#include <QString>

class c_ConnList;
class FdoFeatureSchemaCollection;
class FdoIConnection;
class QWidget;

class c_SourceConnection {
public:
    c_SourceConnection() = default;
    // Takes over a connection made elsewhere (its reference), opened or not.
    explicit c_SourceConnection(FdoIConnection* adopted) : m_connection(adopted) {}
    ~c_SourceConnection();
    c_SourceConnection(const c_SourceConnection&) = delete;
    c_SourceConnection& operator=(const c_SourceConnection&) = delete;

    // Creates the named connection of the list and opens it. Without a
    // connection the message is shown and false returned; FDO errors of the
    // open are thrown (FdoException*).
    bool Open(QWidget* pane, const c_ConnList& list, const QString& name,
              const QString& noConnectionMessage = QStringLiteral("\nUnable to create FDO Connection!"));
    FdoIConnection* Get() const { return m_connection; }

    // Describes every schema (new reference). Null, after saying so, when
    // the provider has no describe-schema command. FDO errors are thrown.
    FdoFeatureSchemaCollection* Describe(QWidget* pane);

private:
    FdoIConnection* m_connection = nullptr;
};
