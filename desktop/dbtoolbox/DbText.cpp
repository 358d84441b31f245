#include "dbtoolbox/DbText.h"

#include <Fdo.h>

FdoStringP FdoText(const QString& text) { return FdoStringP(text.toStdWString().c_str()); }

QString QtText(FdoString* text) { return text ? QString::fromWCharArray(text) : QString(); }

QString FormatG(double value) { return QString::number(value, 'g', 6); }

QStringList Cells(FdoStringCollection* strings, int first, int count) {
    QStringList cells;
    for (int i = first; i < first + count && i < strings->GetCount(); i++) cells << QtText(strings->GetString(i));
    return cells;
}
