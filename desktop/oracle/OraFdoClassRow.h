// A row of the Oracle NorvFdoClass table as the pane shows it: the thirteen
// members of c_OraNorvFdoClassData, class name first, in the order of the
// pane's columns and of the dialog's fields.
#pragma once

#include <QStringList>

class c_OraNorvFdoClassData;

QStringList OraFdoClassCells(const c_OraNorvFdoClassData& record);
// A new record (the caller's reference) holding the cells.
c_OraNorvFdoClassData* OraFdoClassRecord(const QStringList& cells);
