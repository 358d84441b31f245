#include "oracle/OraFdoClassRow.h"

#include "dbtoolbox/DbText.h"

#include <GeoxferApi/OraNorvFdoClassData.h>

#include <array>

namespace {
using Member = FdoStringP c_OraNorvFdoClassData::*;
constexpr std::array<Member, 13> kMembers = {
    &c_OraNorvFdoClassData::m_FdoClassName,      &c_OraNorvFdoClassData::m_OraOwner,
    &c_OraNorvFdoClassData::m_OraName,           &c_OraNorvFdoClassData::m_OraGeomColumn,
    &c_OraNorvFdoClassData::m_SpatialTableOwner, &c_OraNorvFdoClassData::m_SpatialTableName,
    &c_OraNorvFdoClassData::m_SpatialTableGeomColumn, &c_OraNorvFdoClassData::m_PointXColumn,
    &c_OraNorvFdoClassData::m_PointYColumn,      &c_OraNorvFdoClassData::m_PointZColumn,
    &c_OraNorvFdoClassData::m_LayerGType,        &c_OraNorvFdoClassData::m_Identity,
    &c_OraNorvFdoClassData::m_SequenceName};
}  // namespace

QStringList OraFdoClassCells(const c_OraNorvFdoClassData& record) {
    QStringList cells;
    for (Member m : kMembers) cells << QtText(record.*m);
    return cells;
}

c_OraNorvFdoClassData* OraFdoClassRecord(const QStringList& cells) {
    auto* record = new c_OraNorvFdoClassData();
    for (size_t i = 0; i < kMembers.size(); i++) record->*kMembers[i] = FdoText(cells.value(static_cast<int>(i)));
    return record;
}
