#include "schema/c_DlgFdoCopyClassName.h"

#include "ui/FieldsDialogLayout.h"

#include <QLineEdit>

c_DlgFdoCopyClassName::c_DlgFdoCopyClassName(QWidget* parent, const QString& schemaName, const QString& className)
    : QDialog(parent), m_schema(new QLineEdit(schemaName, this)), m_class(new QLineEdit(className, this)) {
    setWindowTitle(QStringLiteral("FDO Class Copy"));
    LayOutFieldsDialog(this, {{QStringLiteral("Schema Name:"), m_schema}, {QStringLiteral("Class Name:"), m_class}},
                       360);
    m_class->setFocus();
}

QString c_DlgFdoCopyClassName::SchemaName() const { return m_schema->text(); }

QString c_DlgFdoCopyClassName::ClassName() const { return m_class->text(); }
