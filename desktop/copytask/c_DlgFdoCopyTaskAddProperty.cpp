#include "copytask/c_DlgFdoCopyTaskAddProperty.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

c_DlgFdoCopyTaskAddProperty::c_DlgFdoCopyTaskAddProperty(QWidget* parent)
    : QDialog(parent), m_source(new QLineEdit(this)), m_dest(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("FDO Copy Task Add Property"));
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Source Property:"), m_source);
    form->addRow(QStringLiteral("Destination Property:"), m_dest);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    resize(380, sizeHint().height());
    m_source->setFocus();
}

QString c_DlgFdoCopyTaskAddProperty::SourceProperty() const { return m_source->text(); }

QString c_DlgFdoCopyTaskAddProperty::DestProperty() const { return m_dest->text(); }
