// c_DlgFdoCopyTaskAddProperty: the "FDO Copy Task Add Property" dialog: a
// source and a destination property name, both starting empty. OK takes the
// texts as they stand (empty ones too).
#pragma once

#include <QDialog>

class QLineEdit;

class c_DlgFdoCopyTaskAddProperty : public QDialog {
public:
    explicit c_DlgFdoCopyTaskAddProperty(QWidget* parent);

    QString SourceProperty() const;
    QString DestProperty() const;
    QLineEdit* SourceField() const { return m_source; }
    QLineEdit* DestField() const { return m_dest; }

private:
    QLineEdit* m_source;
    QLineEdit* m_dest;
};
