#include "mssql/MssFdoClassRow.h"

#include "dbtoolbox/DbText.h"

#include <GeoxferApi/MssNorvFdoClassData.h>

#include <array>

namespace {
using Member = FdoStringP c_MssNorvFdoClassData::*;
using Members = std::array<Member, 9>;
using R = c_MssNorvFdoClassData;

constexpr Members kColumns = {&R::m_FdoSchema,       &R::m_FdoClassName,  &R::m_QuerySchema,
                              &R::m_QueryName,       &R::m_GeomTableSchema, &R::m_GeomTableName,
                              &R::m_GeomColumn,      &R::m_ClassIdentity, &R::m_GeometryType};
constexpr Members kFields = {&R::m_FdoSchema,       &R::m_FdoClassName,  &R::m_QuerySchema,
                             &R::m_QueryName,       &R::m_GeomColumn,    &R::m_GeomTableSchema,
                             &R::m_GeomTableName,   &R::m_GeometryType,  &R::m_ClassIdentity};

QStringList Texts(const R& record, const Members& members) {
    QStringList texts;
    for (Member m : members) texts << QtText(record.*m);
    return texts;
}

R* Record(const QStringList& texts, const Members& members) {
    auto* record = new R();
    for (size_t i = 0; i < members.size(); i++) record->*members[i] = FdoText(texts.value(static_cast<int>(i)));
    return record;
}
}  // namespace

QStringList MssFdoClassCells(const R& record) { return Texts(record, kColumns); }
R* MssFdoClassRecord(const QStringList& cells) { return Record(cells, kColumns); }
QStringList MssFdoClassFields(const R& record) { return Texts(record, kFields); }
R* MssFdoClassRecordFromFields(const QStringList& fields) { return Record(fields, kFields); }
