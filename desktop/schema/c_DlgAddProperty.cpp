#include "schema/c_DlgAddProperty.h"

#include "ui/c_UiServices.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

c_DlgAddProperty::c_DlgAddProperty(QWidget* parent)
    : QDialog(parent),
      m_name(new QLineEdit(QStringLiteral("New Property"), this)),
      m_data(new QRadioButton(QStringLiteral("Data Type"), this)),
      m_geometry(new QRadioButton(QStringLiteral("Geometry Type"), this)) {
    setWindowTitle(QStringLiteral("Add Property"));
    m_data->setChecked(true);
    auto* types = new QGroupBox(QStringLiteral("Select Property Type:"), this);
    auto* typeLayout = new QVBoxLayout(types);
    typeLayout->addWidget(m_data);
    typeLayout->addWidget(m_geometry);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &c_DlgAddProperty::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Name of Property:"), this));
    layout->addWidget(m_name);
    layout->addWidget(types);
    layout->addWidget(buttons);
    m_name->selectAll();
    m_name->setFocus();
}

QString c_DlgAddProperty::PropertyName() const { return m_name->text(); }

int c_DlgAddProperty::PropertyType() const { return m_geometry->isChecked() ? 2 : 0; }

void c_DlgAddProperty::accept() {
    if (m_name->text().isEmpty()) {
        c_UiServices::Get().Message(this, QStringLiteral("Enter name of Property!"), windowTitle());
        return;
    }
    QDialog::accept();
}
