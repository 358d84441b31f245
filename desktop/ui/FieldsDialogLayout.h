// The layout of the small dialogs that ask for a few names: labelled text
// fields in a form above OK and Cancel. Kept in one place so that every such
// dialog looks and behaves alike (OK accepts, Cancel rejects, the dialog as
// high as its contents need).
#pragma once

#include <QString>

#include <initializer_list>
#include <utility>

class QDialog;
class QLineEdit;

// Lays the dialog out with one form row per (label, field), in order, and
// the OK and Cancel buttons below, then gives it the width.
void LayOutFieldsDialog(QDialog* dialog, std::initializer_list<std::pair<QString, QLineEdit*>> rows, int width);
