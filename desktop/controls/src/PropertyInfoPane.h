// The pane under a PropertyTree that describes the current item: its label
// in bold and its help text below, both as plain text (help texts are the
// system's own words and may hold characters that rich text would eat).
#pragma once

#include <QFrame>

class QLabel;

namespace GxfControls {

class PropertyInfoPane : public QFrame {
    Q_OBJECT
public:
    explicit PropertyInfoPane(QWidget* parent);

    void describe(const QString& title, const QString& text);
    QString title() const;
    QString text() const;

private:
    QLabel* m_title;
    QLabel* m_text;
};

} // namespace GxfControls
