#include "dbtoolbox/c_DlgFdoViewsFields.h"

#include "dbtoolbox/PaneButtons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

c_DlgFdoViewsFields::c_DlgFdoViewsFields(QWidget* parent, const QList<c_FormField>& fields) : QDialog(parent) {
    setWindowTitle(QStringLiteral("NorvFdoClass"));
    auto* form = new QFormLayout;
    for (const c_FormField& entry : fields) {
        if (!entry.hint.isEmpty()) {
            auto* hint = new QLabel(entry.hint, this);
            hint->setWordWrap(true);
            form->addRow(hint);
        }
        QWidget* field = nullptr;
        if (entry.layerType) {
            m_layerType = new QComboBox(this);
            m_layerType->setEditable(true);
            m_layerType->addItems({QString(), QStringLiteral("POINT"), QStringLiteral("LINE"), QStringLiteral("POLYGON")});
            field = m_layerType;
        } else {
            field = new QLineEdit(this);
        }
        form->addRow(entry.label, field);
        m_fields << field;
    }
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    m_ok = AddButton(buttons, this, QStringLiteral("OK"), [this] { accept(); });
    AddButton(buttons, this, QStringLiteral("Cancel"), [this] { reject(); });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(440, sizeHint().height());
}

QStringList c_DlgFdoViewsFields::Values() const {
    QStringList values;
    for (QWidget* field : m_fields) {
        if (auto* edit = qobject_cast<QLineEdit*>(field)) values << edit->text();
        else values << static_cast<QComboBox*>(field)->currentText();
    }
    return values;
}

void c_DlgFdoViewsFields::SetValues(const QStringList& values) {
    for (int i = 0; i < m_fields.size() && i < values.size(); i++) {
        if (auto* edit = qobject_cast<QLineEdit*>(m_fields[i])) edit->setText(values[i]);
        else static_cast<QComboBox*>(m_fields[i])->setCurrentText(values[i]);
    }
}

QLineEdit* c_DlgFdoViewsFields::Field(int index) const { return qobject_cast<QLineEdit*>(m_fields.value(index)); }
