// The Oracle NorvFdoClass record: thirteen texts, copied member by member.
#include <GeoxferApi/OraNorvFdoClassData.h>

c_OraNorvFdoClassData::c_OraNorvFdoClassData() = default;

c_OraNorvFdoClassData::c_OraNorvFdoClassData(const c_OraNorvFdoClassData& other) : FdoIDisposable() {
    *this = other;
}

c_OraNorvFdoClassData& c_OraNorvFdoClassData::operator=(const c_OraNorvFdoClassData& other) {
    m_OraOwner = other.m_OraOwner;
    m_OraName = other.m_OraName;
    m_OraGeomColumn = other.m_OraGeomColumn;
    m_FdoClassName = other.m_FdoClassName;
    m_SpatialTableOwner = other.m_SpatialTableOwner;
    m_SpatialTableName = other.m_SpatialTableName;
    m_SpatialTableGeomColumn = other.m_SpatialTableGeomColumn;
    m_PointXColumn = other.m_PointXColumn;
    m_PointYColumn = other.m_PointYColumn;
    m_PointZColumn = other.m_PointZColumn;
    m_LayerGType = other.m_LayerGType;
    m_Identity = other.m_Identity;
    m_SequenceName = other.m_SequenceName;
    return *this;
}

FdoStringP c_OraNorvFdoClassData::ToString() const { return FdoStringP(L"ToString"); }

c_OraNorvFdoClassData::~c_OraNorvFdoClassData() = default;
void c_OraNorvFdoClassData::Dispose() { delete this; }
