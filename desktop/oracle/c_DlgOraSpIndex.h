// c_DlgOraSpIndex: the "Spatial Index" pane of the Oracle toolbox. It lists
// either the spatial indexes with their state or the geometry columns that
// have none, opens "Spatial Index" to create an index on the selected row's
// column ("Create Spatial Index" or a double-click) or to rebuild the row's
// index, and drops the row's index.
#pragma once

#include "oracle/c_DlgOraPane.h"

class QRadioButton;

class c_DlgOraSpIndex : public c_DlgOraPane {
public:
    c_DlgOraSpIndex(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent);

    QRadioButton* WithIndexButton() const { return m_with; }
    QRadioButton* WithoutIndexButton() const { return m_without; }

    void ReadSource() override;
    void CreateIndex();
    void RebuildIndex();
    void DropIndex();

protected:
    void MakeColumns() override;

private:
    // The checked row and its index owner and name; -1 after the message
    // when the row has no index.
    int IndexedRow(const QString& noIndexText, QString& owner, QString& name);

    QRadioButton* m_with;
    QRadioButton* m_without;
};
