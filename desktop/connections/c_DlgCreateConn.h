// c_DlgCreateConn: the modal "New FDO Connection" dialog. The user names
// the connection, chooses a provider and fills the provider's connection
// properties (listed from its connection property dictionary), or lets a
// quick-fill button do it from a shape file, a shape folder, an SDF file or
// a KML file. "Test Connection" opens the connection once and reports its
// state; "OK" hands name, provider and the connection string the provider
// composed from the properties to the caller (Result()).
#pragma once

#include "connections/c_ConnData.h"

#include <QDialog>

class c_ConnList;
class FdoIConnection;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class c_DlgCreateConn : public QDialog {
public:
    c_DlgCreateConn(c_ConnList& list, QWidget* parent = nullptr);

    // Name, provider and connection string after OK.
    c_ConnData Result() const { return m_result; }

    // The controls, for the panes' tests.
    QLineEdit* NameEdit() const { return m_name; }
    QComboBox* ProviderBox() const { return m_provider; }
    QTableWidget* PropertyTable() const { return m_properties; }
    QLabel* ResultLabel() const { return m_testResult; }
    QPushButton* BrowseFileButton() const { return m_browseFile; }
    QPushButton* BrowseFolderButton() const { return m_browseFolder; }

    // Lists the connection properties of the provider with empty values.
    void ChooseProvider(const QString& provider);
    void TestConnection();
    void accept() override;

private:
    void BrowseForFile();
    void BrowseForFolder();
    // Selects the first provider beginning with the text (case ignored) and
    // reloads the properties; then true when the selection contains it.
    bool SelectProviderLike(const QString& providerText);
    void QuickFillFromFile(const QString& filter, const QString& defaultExt, const QString& providerText,
                           bool sdfReadOnly);
    void QuickFillFromShpFolder();
    void SetPropertyValue(int row, const QString& value);
    // A new connection of the selected provider with every listed property
    // set to its cell (new reference), or null.
    FdoIConnection* PrepareConnection() const;

    c_ConnList& m_list;
    c_ConnData m_result;
    QLineEdit* m_name;
    QComboBox* m_provider;
    QTableWidget* m_properties;
    QPushButton* m_browseFile;
    QPushButton* m_browseFolder;
    QLabel* m_testResult;
};
