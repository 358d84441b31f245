// The "Select Class:" row that the class definition and query panes
// share: the drop-down of qualified class names, the "Read Schema" button
// that fills it from the selected connection, and the collection it read.
#pragma once

#include <QWidget>

class CMaprailApp;
class c_DlgFdoSelConn;
class FdoClassDefinition;
class FdoFeatureSchemaCollection;
class QComboBox;

class c_ClassBox : public QWidget {
public:
    c_ClassBox(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent);
    ~c_ClassBox() override;

    QComboBox* Box() const { return m_box; }
    // The collection last read (not a new reference), or null.
    FdoFeatureSchemaCollection* Schemas() const { return m_schemas; }
    // The selected class of the collection (new reference), or null.
    FdoClassDefinition* SelectedClass() const;

    // Empties the box, describes the selected connection, lists every
    // class and selects the first; true when it read a collection. FDO
    // errors are shown in a message box.
    bool ReadSchema();

private:
    CMaprailApp& m_app;
    c_DlgFdoSelConn& m_selector;
    QComboBox* m_box;
    FdoFeatureSchemaCollection* m_schemas = nullptr;
};
