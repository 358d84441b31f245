// c_DlgFdoSpContext: the "FDO Spatial Contexts" pane: one row per spatial
// context of the selected connection, in the order the provider reads
// them (name, coordinate system and its WKT, extent, extent type and the
// two tolerances).
#pragma once

#include "app/c_DlgPane.h"

class c_DlgFdoSelConn;
namespace GxfControls {
class EditableList;
}

class c_DlgFdoSpContext : public c_DlgPane {
public:
    c_DlgFdoSpContext(CMaprailApp& app, QWidget* parent, c_DlgFdoSelConn& selector);

    GxfControls::EditableList* Table() const { return m_table; }
    void ReadSpatialContexts();

protected:
    void OnActivate() override;

private:
    c_DlgFdoSelConn& m_selector;
    GxfControls::EditableList* m_table;
    bool m_columnsMade = false;
};
