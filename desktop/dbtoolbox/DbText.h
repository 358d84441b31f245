// Texts between the widgets of the database toolbox panes and the engine:
// Qt strings to FDO strings and back, numbers as printf's "%g" writes them
// (whatever the locale), and rows of the engine's flat string lists.
#pragma once

#include <Fdo/Common/StringP.h>

#include <QString>
#include <QStringList>

class FdoStringCollection;

FdoStringP FdoText(const QString& text);
QString QtText(FdoString* text);
inline QString QtText(const FdoStringP& text) { return QtText(static_cast<FdoString*>(text)); }
// "%g": six significant digits, no trailing zeros, '.' as decimal point.
QString FormatG(double value);
// count strings of the collection from first on.
QStringList Cells(FdoStringCollection* strings, int first, int count);
