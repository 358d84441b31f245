// Buttons of the database toolbox panes and dialogs: made, placed in a row
// and connected in one call. They never act as a default button, so Enter
// in a pane or in a dialog's field presses none of them by accident.
#pragma once

#include <QString>

#include <functional>

class QBoxLayout;
class QPushButton;
class QWidget;

QPushButton* AddButton(QBoxLayout* row, QWidget* owner, const QString& text, const std::function<void()>& action);
