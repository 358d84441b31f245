#include "connections/SelectorBoxes.h"

#include "connections/c_ConnList.h"

#include <Fdo.h>

#include <QComboBox>

void AddMissingItems(QComboBox* box, const QStringList& texts) {
    for (const QString& text : texts)
        if (box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0) box->addItem(text);
}

int FirstStartingWith(const QComboBox* box, const QString& text) {
    for (int i = 0; i < box->count(); i++)
        if (box->itemText(i).startsWith(text, Qt::CaseInsensitive)) return i;
    return -1;
}

void FillConnectionNames(QComboBox* box, c_ConnList& list, const QString& provider) {
    box->clear();
    QStringList names;
    for (const c_ConnData& record : list.FilterByProvider(provider)) names << record.name;
    AddMissingItems(box, names);
}

QString TakeFdoMessage(FdoException* e) {
    const QString text = QString::fromStdWString(e->GetExceptionMessage());
    e->Release();
    return text;
}
