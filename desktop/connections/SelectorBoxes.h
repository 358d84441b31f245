// The drop-down list rules the connection selectors share: keeping earlier
// entries, finding an entry by its beginning, listing a provider's
// connections, and reporting FDO errors as text.
#pragma once

#include <QString>
#include <QStringList>

class QComboBox;
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
