// c_DlgFdoCopyClassName: the "FDO Class Copy" dialog: the schema and the
// class name a copied class goes to, filled with those of the class copied;
// the focus starts in the class name. OK returns both texts as they stand.
#pragma once

#include <QDialog>

class QLineEdit;

class c_DlgFdoCopyClassName : public QDialog {
public:
    c_DlgFdoCopyClassName(QWidget* parent, const QString& schemaName, const QString& className);

    QString SchemaName() const;
    QString ClassName() const;
    QLineEdit* SchemaField() const { return m_schema; }
    QLineEdit* ClassField() const { return m_class; }

private:
    QLineEdit* m_schema;
    QLineEdit* m_class;
};
