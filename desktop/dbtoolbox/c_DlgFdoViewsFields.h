// c_DlgFdoViewsFields: the form both "NorvFdoClass" dialogs are made of (the
// Oracle and the SQL Server one): one edit per column of a class-mapping
// row, in groups with a hint line each, and one drop-down for the layer
// geometry type whose text may also be typed. OK takes every field as it
// stands, without checks; the derived dialogs turn the texts into their
// record.
#pragma once

#include <QDialog>
#include <QList>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QPushButton;

struct c_FormField {
    c_FormField(const QString& label_, bool layerType_ = false, const QString& hint_ = QString())
        : label(label_), layerType(layerType_), hint(hint_) {}
    QString label;
    bool layerType = false;  // the drop-down of layer geometry types
    QString hint;            // shown above the field when not empty
};

class c_DlgFdoViewsFields : public QDialog {
public:
    c_DlgFdoViewsFields(QWidget* parent, const QList<c_FormField>& fields);

    // The texts in field order; SetValues fills the fields in that order.
    QStringList Values() const;
    void SetValues(const QStringList& values);
    // The edit of a field (null for the drop-down) and the drop-down.
    QLineEdit* Field(int index) const;
    QComboBox* LayerTypeBox() const { return m_layerType; }
    QPushButton* OkButton() const { return m_ok; }

private:
    QList<QWidget*> m_fields;
    QComboBox* m_layerType = nullptr;
    QPushButton* m_ok = nullptr;
};
