// c_DlgAddProperty: the "Add Property" dialog of the class manager: a
// property name ("New Property" at first) and its type, data (FDO property
// type 0, preselected) or geometric (2). OK with an empty name says "Enter
// name of Property!" and keeps the dialog open.
#pragma once

#include <QDialog>

class QLineEdit;
class QRadioButton;

class c_DlgAddProperty : public QDialog {
public:
    explicit c_DlgAddProperty(QWidget* parent);

    QString PropertyName() const;
    // 0 data property, 2 geometric property.
    int PropertyType() const;

    QLineEdit* NameField() const { return m_name; }
    QRadioButton* DataTypeButton() const { return m_data; }
    QRadioButton* GeometryTypeButton() const { return m_geometry; }
    void accept() override;

private:
    QLineEdit* m_name;
    QRadioButton* m_data;
    QRadioButton* m_geometry;
};
