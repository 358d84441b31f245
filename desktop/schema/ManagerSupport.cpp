#include "schema/ManagerSupport.h"

#include "connections/c_DlgModalSelConn.h"

#include <QPushButton>
#include <QVBoxLayout>

QPushButton* AddColumnButton(QVBoxLayout* column, QWidget* owner, const QString& text,
                             const std::function<void()>& action) {
    auto* button = new QPushButton(text, owner);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, owner, [action] { action(); });
    column->addWidget(button);
    return button;
}

QPushButton* FindButton(const QWidget* owner, const QString& text) {
    for (QPushButton* button : owner->findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

QString SelectConnectionName(CMaprailApp& app, QWidget* parent) {
    c_DlgModalSelConn dialog(app, parent);
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.SelectedName();
}
