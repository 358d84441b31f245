// c_DlgFdoClassData: the "FDO Query Data" pane. It reads the rows of one
// class of the selected connection, with a filter (typed or set in the
// "Geoxfer SetFilter" dialog), an ordering and a row range, into a table,
// and draws their geometries on a map beside it in the class's own
// coordinates. The selected row is highlighted on the map, and a click on
// a feature of the map selects its row. A class without geometry leaves
// the map empty.
#pragma once

#include "app/c_DlgPane.h"

class c_ClassBox;
class c_DlgFdoSelConn;
class MapView;
class QCheckBox;
class QLineEdit;
namespace GxfControls {
class EditableList;
}

class c_DlgFdoClassData : public c_DlgPane {
public:
    c_DlgFdoClassData(CMaprailApp& app, QWidget* parent, c_DlgFdoSelConn& selector);

    c_ClassBox* Classes() const { return m_classes; }
    QLineEdit* FilterField() const { return m_filter; }
    QLineEdit* OrderByField() const { return m_orderBy; }
    QCheckBox* AscendingBox() const { return m_ascending; }
    QLineEdit* FromField() const { return m_from; }
    QLineEdit* ToField() const { return m_to; }
    GxfControls::EditableList* Table() const { return m_table; }
    MapView* Map() const { return m_map; }

    void ReadSchema();
    void SetFilter();  // opens the "Geoxfer SetFilter" dialog
    void ReadData();

protected:
    void OnActivate() override;

private:
    c_DlgFdoSelConn& m_selector;
    c_ClassBox* m_classes;
    QLineEdit* m_filter;
    QLineEdit* m_orderBy;
    QCheckBox* m_ascending;
    QLineEdit* m_from;
    QLineEdit* m_to;
    GxfControls::EditableList* m_table;
    MapView* m_map;
    bool m_firstActivation = true;
};
