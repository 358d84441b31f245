// What the schema, class and copy task manager windows share: the column of
// buttons at their right edge, the property tree beside it, and choosing a
// named connection through the modal "Select FDO Connection" dialog.
#pragma once

#include <GeoxferControls/PropertyTreeFwd.h>

#include <QString>

#include <functional>
#include <initializer_list>
#include <utility>

class CMaprailApp;
class QPushButton;
class QVBoxLayout;
class QWidget;

// Appends a button to the column; clicking it runs the action.
QPushButton* AddColumnButton(QVBoxLayout* column, QWidget* owner, const QString& text,
                             const std::function<void()>& action);

// Appends a button that first commits the edit pending in the tree, so that
// the action sees what was typed, then runs the action.
QPushButton* AddTreeButton(QVBoxLayout* column, QWidget* owner, GxfControls::PropertyTree* tree, const QString& text,
                           const std::function<void()>& action);

// Appends a button that expands the whole tree ("Expand All") or collapses
// it (any other text, "Collapse All").
QPushButton* AddExpandButton(QVBoxLayout* column, QWidget* owner, GxfControls::PropertyTree* tree,
                             const QString& text);

// Appends a manager's buttons in table order: an entry without handler is an
// expand or collapse button, every other one a tree button calling its
// handler on the window.
template <class Window>
void AddTreeButtons(QVBoxLayout* column, Window* owner, GxfControls::PropertyTree* tree,
                    std::initializer_list<std::pair<const char*, void (Window::*)()>> buttons) {
    for (const auto& [text, handler] : buttons) {
        const QString label = QString::fromUtf8(text);
        if (handler)
            AddTreeButton(column, owner, tree, label, [owner, h = handler] { (owner->*h)(); });
        else
            AddExpandButton(column, owner, tree, label);
    }
}

// Heads the tree "Property" / "Value", hands every value committed in it to
// onCommit (the row, the new text, the decision to refuse it with), and lays
// the owner out as the tree, taking the spare width, beside the column.
void LayOutManagerWindow(
    QWidget* owner, GxfControls::PropertyTree* tree, QVBoxLayout* column,
    const std::function<void(GxfControls::PropertyItem*, const QString&, GxfControls::CommitDecision*)>& onCommit);

// The first push button with that text under the widget, or null.
QPushButton* FindButton(const QWidget* owner, const QString& text);

// Runs "Select FDO Connection"; the chosen name (empty when cancelled or
// when nothing was chosen).
QString SelectConnectionName(CMaprailApp& app, QWidget* parent);
