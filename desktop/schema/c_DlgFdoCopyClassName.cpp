#include "schema/c_DlgFdoCopyClassName.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

c_DlgFdoCopyClassName::c_DlgFdoCopyClassName(QWidget* parent, const QString& schemaName, const QString& className)
    : QDialog(parent), m_schema(new QLineEdit(schemaName, this)), m_class(new QLineEdit(className, this)) {
    setWindowTitle(QStringLiteral("FDO Class Copy"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Schema Name:"), m_schema);
    form->addRow(QStringLiteral("Class Name:"), m_class);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(360, sizeHint().height());
    m_class->setFocus();
}

QString c_DlgFdoCopyClassName::SchemaName() const { return m_schema->text(); }

QString c_DlgFdoCopyClassName::ClassName() const { return m_class->text(); }
