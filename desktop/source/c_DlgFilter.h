// c_DlgFilter: the "Geoxfer SetFilter" dialog of the query pane: one
// multi-line "Set Filter:" field holding the filter text, OK and Cancel.
#pragma once

#include <QDialog>

class QPlainTextEdit;

class c_DlgFilter : public QDialog {
public:
    c_DlgFilter(QWidget* parent, const QString& filter);

    QString Filter() const;
    QPlainTextEdit* Field() const { return m_field; }

private:
    QPlainTextEdit* m_field;
};
