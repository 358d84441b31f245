// c_DlgOraSdoMetadata: the "SDO Metadata" pane of the Oracle toolbox. It
// lists either the geometry columns that have a row in the spatial
// metadata (with their SRID and up to four dimensions) or those that lack
// one, and opens "Update SDO Metadata" for the selected row ("Set SDO
// Metadata" or a double-click) or deletes the row's metadata.
#pragma once

#include "oracle/c_DlgOraPane.h"

class QRadioButton;

class c_DlgOraSdoMetadata : public c_DlgOraPane {
public:
    c_DlgOraSdoMetadata(CMaprailApp& app, c_DlgFdoSelConn& selector, QWidget* parent);

    QRadioButton* WithMetadataButton() const { return m_with; }
    QRadioButton* WithoutMetadataButton() const { return m_without; }

    // The buttons, callable as a click would.
    void ReadSource() override;
    void SetMetadata();
    void DeleteMetadata();

protected:
    void MakeColumns() override;

private:
    QRadioButton* m_with;
    QRadioButton* m_without;
};
