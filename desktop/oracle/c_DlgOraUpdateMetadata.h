// c_DlgOraUpdateMetadata: the "Update SDO Metadata" dialog for one geometry
// column: a grid of four dimensions (name, bounds, tolerance) and the SRID,
// filled from the column's metadata when it has some. "Recalculate Extent"
// puts the extent of the stored geometries into the grid, "Find used SRID"
// the SRIDs they carry; "Set SDO Metadata" checks every number and writes
// the metadata, closing only when one row was written.
//
// It keeps a reference on the connection it is given and opens it only if
// it is not open.
#pragma once

#include <Fdo/Common/Ptr.h>

#include <QDialog>

class CMaprailApp;
class FdoIConnection;
class QLabel;
class QLineEdit;

namespace GxfControls {
class EditableList;
}

class c_DlgOraUpdateMetadata : public QDialog {
public:
    c_DlgOraUpdateMetadata(CMaprailApp& app, QWidget* parent, FdoIConnection* connection, const QString& owner,
                           const QString& table, const QString& column);
    ~c_DlgOraUpdateMetadata() override;

    GxfControls::EditableList* Grid() const { return m_grid; }
    QLineEdit* SridField() const { return m_srid; }
    QLabel* ObjectLabel() const { return m_object; }

    // The buttons, callable as a click would.
    void RecalculateExtent();
    void FindUsedSrid();
    void SetMetadata();

private:
    void ReadMetadata();

    CMaprailApp& m_app;
    FdoPtr<FdoIConnection> m_connection;
    QString m_owner, m_table, m_column;
    GxfControls::EditableList* m_grid;
    QLineEdit* m_srid;
    QLabel* m_object;
};
