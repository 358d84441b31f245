// The SQL Server NorvFdoClass record: nine texts, copied member by member.
#include <GeoxferApi/MssNorvFdoClassData.h>

c_MssNorvFdoClassData::c_MssNorvFdoClassData() = default;

c_MssNorvFdoClassData::c_MssNorvFdoClassData(const c_MssNorvFdoClassData& other) : FdoIDisposable() {
    *this = other;
}

c_MssNorvFdoClassData& c_MssNorvFdoClassData::operator=(const c_MssNorvFdoClassData& other) {
    m_FdoSchema = other.m_FdoSchema;
    m_FdoClassName = other.m_FdoClassName;
    m_QuerySchema = other.m_QuerySchema;
    m_QueryName = other.m_QueryName;
    m_GeomTableSchema = other.m_GeomTableSchema;
    m_GeomTableName = other.m_GeomTableName;
    m_GeomColumn = other.m_GeomColumn;
    m_GeometryType = other.m_GeometryType;
    m_ClassIdentity = other.m_ClassIdentity;
    return *this;
}

FdoStringP c_MssNorvFdoClassData::ToString() const { return FdoStringP(L"ToString"); }

c_MssNorvFdoClassData::~c_MssNorvFdoClassData() = default;
void c_MssNorvFdoClassData::Dispose() { delete this; }
