// c_DlgFdoSchemaManager: the "FDO Schema Manager" window. It holds one FDO
// feature schema collection, empty at first, and shows it as a property
// tree (schemas, their attributes, their classes); its buttons read schemas
// from XML files and data stores (replacing or merging), add, edit, copy
// and delete schemas and classes, write all or the selected classes to XML
// and apply the collection to a data store. Renaming a schema or a class is
// done in the tree; a class is edited in the FDO Class Manager.
//
// Non-modal; several may be open at once, each with its own collection,
// released when the window closes. Nothing is saved unless written or applied.
#pragma once

#include <Fdo/Common/Ptr.h>

#include <GeoxferControls/PropertyTreeFwd.h>

#include <QDialog>

class CMaprailApp;
class FdoClassDefinition;
class FdoFeatureSchema;
class FdoFeatureSchemaCollection;
class QCheckBox;
class QPushButton;

class c_DlgFdoSchemaManager : public QDialog {
public:
    // Kinds of the tree rows.
    enum { CollectionRoot = 1, SchemaNode = 3, SchemaAttributes = 4, SchemaAttribute = 5, ClassCollection = 6,
           ClassNode = 7, ClassAttributes = 8, ClassAttribute = 9 };

    c_DlgFdoSchemaManager(CMaprailApp& app, QWidget* parent);
    ~c_DlgFdoSchemaManager() override;

    // A new window on an empty collection, shown without blocking.
    static c_DlgFdoSchemaManager* Open(CMaprailApp& app, QWidget* parent);

    FdoFeatureSchemaCollection* Schemas() const { return m_schemas.p; }
    GxfControls::PropertyTree* Tree() const { return m_tree; }
    QCheckBox* ApplyAsAddBox() const { return m_applyAsAdd; }
    QPushButton* Button(const QString& text) const;

    // What "Read from XML..." does once a file is chosen; false (with the
    // FDO message shown) when the file does not read, the collection then
    // staying as it was.
    bool LoadSchemaFile(const QString& path);

    // The buttons, callable from tests as a click would.
    void OnReadFromXml();
    void OnReadFromSource();
    void OnAppendFromXml();
    void OnAppendFromSource();
    void OnAddSchema();
    void OnDeleteSchema();
    void OnAddClass();
    void OnEditClass();
    void OnCopyClass();
    void OnDeleteClass();
    void OnClearAll();
    void OnWriteAllToXml();
    void OnWriteSelectedToXml();
    void OnApplyToSource();

private:
    void Rebuild();
    GxfControls::PropertyItem* AddSchemaNode(FdoFeatureSchema* schema);
    GxfControls::PropertyItem* AddClassNode(GxfControls::PropertyItem* collection, FdoClassDefinition* classDef);
    void FillClassNode(GxfControls::PropertyItem* node);
    GxfControls::PropertyItem* SchemaNodeOf(FdoFeatureSchema* schema) const;
    GxfControls::PropertyItem* ClassCollectionOf(GxfControls::PropertyItem* schemaNode) const;
    // Replace or merge the collection with schemas read elsewhere (taken).
    void TakeSchemas(FdoFeatureSchemaCollection* read, bool append);
    // Read an XML file, or the schemas of a chosen connection, into the
    // collection (replacing or merging); a failure is told and changes nothing.
    bool ReadXml(const QString& path, bool append);
    void ReadSource(bool append);
    // The class row the current row belongs to, with that class's schema;
    // null (after telling why) when there is none.
    GxfControls::PropertyItem* SelectedClassNode(FdoPtr<FdoFeatureSchema>& schema);
    void WriteCollection(FdoFeatureSchemaCollection* schemas);
    void OnValueCommitted(GxfControls::PropertyItem* item, const QString& value,
                          GxfControls::CommitDecision* decision);
    int Ask(const QString& question);
    void Tell(const QString& text);

    CMaprailApp& m_app;
    FdoPtr<FdoFeatureSchemaCollection> m_schemas;
    GxfControls::PropertyTree* m_tree;
    QCheckBox* m_applyAsAdd;
};
