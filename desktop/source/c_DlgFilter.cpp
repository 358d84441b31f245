#include "source/c_DlgFilter.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

c_DlgFilter::c_DlgFilter(QWidget* parent, const QString& filter) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Geoxfer SetFilter"));
    m_field = new QPlainTextEdit(filter, this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    auto* column = new QVBoxLayout(this);
    column->addWidget(new QLabel(QStringLiteral("Set Filter:"), this));
    column->addWidget(m_field, 1);
    column->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(420, 220);
}

QString c_DlgFilter::Filter() const { return m_field->toPlainText(); }
