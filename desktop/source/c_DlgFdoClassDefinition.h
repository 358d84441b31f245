// c_DlgFdoClassDefinition: the "FDO Class Definition" pane. "Read Schema"
// lists the classes of the selected connection; the chosen class is shown
// in three tables: its attributes, its properties with their types, and
// the attributes of the property clicked in the second table.
#pragma once

#include "app/c_DlgPane.h"

class c_ClassBox;
class c_DlgFdoSelConn;
namespace GxfControls {
class EditableList;
}

class c_DlgFdoClassDefinition : public c_DlgPane {
public:
    c_DlgFdoClassDefinition(CMaprailApp& app, QWidget* parent, c_DlgFdoSelConn& selector);

    c_ClassBox* Classes() const { return m_classes; }
    GxfControls::EditableList* ClassTable() const { return m_classTable; }
    GxfControls::EditableList* PropertyTable() const { return m_propertyTable; }
    GxfControls::EditableList* DetailTable() const { return m_detailTable; }

    void ReadSchema();
    // Shows the class selected in the box; then the property of that row.
    void ShowSelectedClass();
    void ShowProperty(int row);

protected:
    void OnActivate() override;

private:
    c_ClassBox* m_classes;
    GxfControls::EditableList* m_classTable;
    GxfControls::EditableList* m_propertyTable;
    GxfControls::EditableList* m_detailTable;
    bool m_columnsMade = false;
};
