// c_DlgFdoSelClass: the connection-and-class selector pane, above the read
// performance pane. Besides a connection (GetConnectionName) it offers the
// qualified name of one class of that connection (GetClassName), read with
// a describe-schema command when a connection is chosen or on "Read
// Schema". Unlike the connection selector, activation keeps the provider
// already chosen and does not refill the connection box then.
#pragma once

#include "app/c_DlgPane.h"

class QComboBox;

class c_DlgFdoSelClass : public c_DlgPane {
public:
    c_DlgFdoSelClass(CMaprailApp& app, QWidget* parent);

    QString GetConnectionName() const;
    // The qualified class name chosen, possibly empty.
    QString GetClassName() const;

    QComboBox* ProviderBox() const { return m_provider; }
    QComboBox* ConnectionBox() const { return m_connection; }
    QComboBox* ClassBox() const { return m_class; }

    void ChooseProvider(int index);
    void ChooseConnection(int index);
    void ReadSchema();
    void AddNewConnection();

protected:
    void OnActivate() override;

private:
    void RefillConnections();

    QComboBox* m_provider;
    QComboBox* m_connection;
    QComboBox* m_class;
};
