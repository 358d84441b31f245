#include "schema/ManagerSupport.h"

#include "connections/c_DlgModalSelConn.h"

#include <GeoxferControls/PropertyTree.h>

#include <QHBoxLayout>
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

QPushButton* AddTreeButton(QVBoxLayout* column, QWidget* owner, GxfControls::PropertyTree* tree, const QString& text,
                           const std::function<void()>& action) {
    return AddColumnButton(column, owner, text, [tree, action] {
        tree->commitPendingEdit();
        action();
    });
}

QPushButton* AddExpandButton(QVBoxLayout* column, QWidget* owner, GxfControls::PropertyTree* tree,
                             const QString& text) {
    const bool expand = text == QLatin1String("Expand All");
    return AddColumnButton(column, owner, text, [tree, expand] { expand ? tree->expandAll() : tree->collapseAll(); });
}

void LayOutManagerWindow(
    QWidget* owner, GxfControls::PropertyTree* tree, QVBoxLayout* column,
    const std::function<void(GxfControls::PropertyItem*, const QString&, GxfControls::CommitDecision*)>& onCommit) {
    using GxfControls::CommitDecision;
    using GxfControls::PropertyItem;
    tree->setHeaderLabels(QStringLiteral("Property"), QStringLiteral("Value"));
    QObject::connect(tree, &GxfControls::PropertyTree::valueCommitted, owner,
                     [onCommit](PropertyItem* item, const QString&, const QString& value, CommitDecision* decision) {
                         onCommit(item, value, decision);
                     });
    auto* layout = new QHBoxLayout(owner);
    layout->addWidget(tree, 1);
    layout->addLayout(column);
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
