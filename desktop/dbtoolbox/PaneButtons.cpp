#include "dbtoolbox/PaneButtons.h"

#include <QBoxLayout>
#include <QPushButton>

QPushButton* AddButton(QBoxLayout* row, QWidget* owner, const QString& text, const std::function<void()>& action) {
    auto* button = new QPushButton(text, owner);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, owner, [action] { action(); });
    row->addWidget(button);
    return button;
}
