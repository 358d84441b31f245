// c_DlgFdoSchema: the "FDO Schema" pane. It describes the schema of the
// connection chosen in the selector above it and lists one row per class
// (schema, class, geometry property, its spatial context, identity); the
// collection read, or one read from an FDO schema file, is held and can be
// written to a file or applied (its first schema) to the connection.
#pragma once

#include "app/c_DlgPane.h"

#include <QString>

class c_DlgFdoSelConn;
class FdoFeatureSchemaCollection;
class QLabel;
namespace GxfControls {
class EditableList;
}

class c_DlgFdoSchema : public c_DlgPane {
public:
    c_DlgFdoSchema(CMaprailApp& app, QWidget* parent, c_DlgFdoSelConn& selector);
    ~c_DlgFdoSchema() override;

    GxfControls::EditableList* Table() const { return m_table; }
    FdoFeatureSchemaCollection* HeldSchemas() const { return m_schemas; }

    // The buttons, callable from tests as a click would.
    void ReadFdoSource();
    void WriteSchemaToXml();
    void ReadSchemaFromXml();
    void ApplySchema();
    void OpenSchemaManager();

protected:
    void OnActivate() override;

private:
    void Hold(FdoFeatureSchemaCollection* schemas);  // takes the reference
    void FillTable();

    c_DlgFdoSelConn& m_selector;
    GxfControls::EditableList* m_table;
    FdoFeatureSchemaCollection* m_schemas = nullptr;
    bool m_columnsMade = false;
};
