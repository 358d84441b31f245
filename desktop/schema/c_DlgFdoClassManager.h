// c_DlgFdoClassManager: the modal "FDO Class Manager" dialog in which one
// class is edited. It works on a deep copy of the class it is given (or on
// a new feature class "New Class" when given none): every edit of a row
// goes into the copy at once, by the rules of ClassItemRules.h, and the
// caller takes the copy when the dialog closes with OK. Cancel discards
// everything, added and deleted properties included.
#pragma once

#include <Fdo/Common/Ptr.h>

#include <GeoxferControls/PropertyTreeFwd.h>

#include <QDialog>

class FdoClassDefinition;
class FdoPropertyDefinition;
class QPushButton;

class c_DlgFdoClassManager : public QDialog {
public:
    // Kinds of the rows.
    enum { ClassRoot = 20, ClassAttributes = 21, ClassAttribute = 22, Properties = 23, Property = 24,
           PropertyAttribute = 25 };

    c_DlgFdoClassManager(QWidget* parent, FdoClassDefinition* classDef);
    ~c_DlgFdoClassManager() override;

    // The edited copy (no new reference).
    FdoClassDefinition* EditedClass() const { return m_class.p; }
    GxfControls::PropertyTree* Tree() const { return m_tree; }
    QPushButton* Button(const QString& text) const;

    void OnAddProperty();
    void OnDeleteProperty();

private:
    void Build();
    GxfControls::PropertyItem* AddPropertyNode(FdoPropertyDefinition* property);
    void RefreshClassRows();
    void RefreshPropertyNode(GxfControls::PropertyItem* node);
    void OnValueCommitted(GxfControls::PropertyItem* item, const QString& value,
                          GxfControls::CommitDecision* decision);
    void Tell(const QString& text);

    FdoPtr<FdoClassDefinition> m_class;
    GxfControls::PropertyTree* m_tree;
    GxfControls::PropertyItem* m_root = nullptr;
    GxfControls::PropertyItem* m_attributes = nullptr;
    GxfControls::PropertyItem* m_properties = nullptr;
};
