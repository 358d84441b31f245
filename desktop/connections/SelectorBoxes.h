// The drop-down list rules the connection selectors share: keeping earlier
// entries, finding an entry by its beginning, listing a provider's
// connections, reporting FDO errors as text, and their common first row.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
class QGridLayout;
class QPushButton;
class QWidget;
class c_ConnList;
class FdoException;

// Adds every text not yet in the box, in order; earlier entries stay.
void AddMissingItems(QComboBox* box, const QStringList& texts);
// Index of the first entry that begins with the text (case ignored), or -1.
int FirstStartingWith(const QComboBox* box, const QString& text);
// Empties the box and adds the names of the provider's connections
// (c_ConnList::FilterByProvider) that are not yet in it.
void FillConnectionNames(QComboBox* box, c_ConnList& list, const QString& provider);
// The exception's message; releases the exception.
QString TakeFdoMessage(FdoException* e);
// Lays the owner out as a grid whose first row is "FDO Connection:", the
// provider box, the connection box (the two sharing the width) and the
// "New..." button; the caller puts its own widgets on the second row.
QGridLayout* LayOutConnectionRow(QWidget* owner, QComboBox* provider, QComboBox* connection, QPushButton* add);
