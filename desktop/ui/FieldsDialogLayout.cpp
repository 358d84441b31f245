#include "ui/FieldsDialogLayout.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

void LayOutFieldsDialog(QDialog* dialog, std::initializer_list<std::pair<QString, QLineEdit*>> rows, int width) {
    auto* form = new QFormLayout;
    for (const auto& [label, field] : rows) form->addRow(label, field);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    dialog->resize(width, dialog->sizeHint().height());
}
