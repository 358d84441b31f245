// What the schema and copy task manager windows share: the column of
// buttons at their right edge, and choosing a named connection through the
// modal "Select FDO Connection" dialog.
#pragma once

#include <QString>

#include <functional>

class CMaprailApp;
class QPushButton;
class QVBoxLayout;
class QWidget;

// Appends a button to the column; clicking it runs the action.
QPushButton* AddColumnButton(QVBoxLayout* column, QWidget* owner, const QString& text,
                             const std::function<void()>& action);

// The first push button with that text under the widget, or null.
QPushButton* FindButton(const QWidget* owner, const QString& text);

// Runs "Select FDO Connection"; the chosen name (empty when cancelled or
// when nothing was chosen).
QString SelectConnectionName(CMaprailApp& app, QWidget* parent);
