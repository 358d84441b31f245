#include "connections/SelectorBoxes.h"

#include "connections/c_ConnList.h"

#include <Fdo.h>

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

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

QGridLayout* LayOutConnectionRow(QWidget* owner, QComboBox* provider, QComboBox* connection, QPushButton* add) {
    auto* grid = new QGridLayout(owner);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("FDO Connection:"), owner), 0, 0);
    grid->addWidget(provider, 0, 1);
    grid->addWidget(connection, 0, 2);
    grid->addWidget(add, 0, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(2, 1);
    return grid;
}
