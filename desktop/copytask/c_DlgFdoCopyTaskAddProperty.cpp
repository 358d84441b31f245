#include "copytask/c_DlgFdoCopyTaskAddProperty.h"

#include "ui/FieldsDialogLayout.h"

#include <QLineEdit>

c_DlgFdoCopyTaskAddProperty::c_DlgFdoCopyTaskAddProperty(QWidget* parent)
    : QDialog(parent), m_source(new QLineEdit(this)), m_dest(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("FDO Copy Task Add Property"));
    LayOutFieldsDialog(this,
                       {{QStringLiteral("Source Property:"), m_source},
                        {QStringLiteral("Destination Property:"), m_dest}},
                       380);
    m_source->setFocus();
}

QString c_DlgFdoCopyTaskAddProperty::SourceProperty() const { return m_source->text(); }

QString c_DlgFdoCopyTaskAddProperty::DestProperty() const { return m_dest->text(); }
