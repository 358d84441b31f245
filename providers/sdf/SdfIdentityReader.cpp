// The reader of inserted identities; see SdfIdentityReader.h.
#include "SdfIdentityReader.h"

namespace sdf {

FdoDataValue* SdfIdentityReader::Value(FdoString* name, FdoDataType type) {
    if (!m_started || m_position >= m_rows.size())
        throw FdoCommandException::Create(L"The reader is not on a row.");
    FdoInt32 i = GetPropertyIndex(name);
    FdoDataValue* v = m_rows[m_position][static_cast<size_t>(i)];
    if (v->GetDataType() != type && !(type == FdoDataType_Double && v->GetDataType() == FdoDataType_Decimal))
        throw FdoCommandException::Create(FdoStringP::Format(
            L"Fetching a property value did not match the property type (property '%ls').", name));
    if (v->IsNull()) throw FdoCommandException::Create(L"Property value is null.");
    return v;
}

FdoClassDefinition* SdfIdentityReader::GetClassDefinition() {
    if (!m_copy) m_copy = FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(m_class);
    return FDO_SAFE_ADDREF(m_copy.p);
}

FdoIFeatureReader* SdfIdentityReader::GetFeatureObject(FdoString*) {
    throw FdoCommandException::Create(L"The SDF provider has no object properties.");
}
bool SdfIdentityReader::GetBoolean(FdoString* n) {
    return static_cast<FdoBooleanValue*>(Value(n, FdoDataType_Boolean))->GetBoolean();
}
FdoByte SdfIdentityReader::GetByte(FdoString* n) { return static_cast<FdoByteValue*>(Value(n, FdoDataType_Byte))->GetByte(); }
FdoDateTime SdfIdentityReader::GetDateTime(FdoString* n) {
    return static_cast<FdoDateTimeValue*>(Value(n, FdoDataType_DateTime))->GetDateTime();
}
double SdfIdentityReader::GetDouble(FdoString* n) {
    FdoDataValue* v = Value(n, FdoDataType_Double);
    return v->GetDataType() == FdoDataType_Decimal ? static_cast<FdoDecimalValue*>(v)->GetDecimal()
                                                   : static_cast<FdoDoubleValue*>(v)->GetDouble();
}
FdoInt16 SdfIdentityReader::GetInt16(FdoString* n) { return static_cast<FdoInt16Value*>(Value(n, FdoDataType_Int16))->GetInt16(); }
FdoInt32 SdfIdentityReader::GetInt32(FdoString* n) { return static_cast<FdoInt32Value*>(Value(n, FdoDataType_Int32))->GetInt32(); }
FdoInt64 SdfIdentityReader::GetInt64(FdoString* n) { return static_cast<FdoInt64Value*>(Value(n, FdoDataType_Int64))->GetInt64(); }
float SdfIdentityReader::GetSingle(FdoString* n) { return static_cast<FdoSingleValue*>(Value(n, FdoDataType_Single))->GetSingle(); }
FdoString* SdfIdentityReader::GetString(FdoString* n) {
    return static_cast<FdoStringValue*>(Value(n, FdoDataType_String))->GetString();
}
FdoLOBValue* SdfIdentityReader::GetLOB(FdoString* n) {
    throw FdoCommandException::Create(FdoStringP::Format(L"Identity property '%ls' is not a LOB.", n ? n : L""));
}
FdoIStreamReader* SdfIdentityReader::GetLOBStreamReader(FdoString* n) { return (void)GetLOB(n), nullptr; }
bool SdfIdentityReader::IsNull(FdoString* name) {
    if (!m_started || m_position >= m_rows.size())
        throw FdoCommandException::Create(L"The reader is not on a row.");
    return m_rows[m_position][static_cast<size_t>(GetPropertyIndex(name))]->IsNull();
}
FdoByteArray* SdfIdentityReader::GetGeometry(FdoString* n) {
    throw FdoCommandException::Create(FdoStringP::Format(L"Identity property '%ls' is not a geometry.", n ? n : L""));
}
const FdoByte* SdfIdentityReader::GetGeometry(FdoString* n, FdoInt32*) { return (void)GetGeometry(n), nullptr; }
FdoIRaster* SdfIdentityReader::GetRaster(FdoString* n) { return (void)GetGeometry(n), nullptr; }

FdoString* SdfIdentityReader::GetPropertyName(FdoInt32 index) {
    if (index < 0 || static_cast<size_t>(index) >= m_names.size())
        throw FdoCommandException::Create(L"Item index out of bounds.");
    return m_names[static_cast<size_t>(index)];
}

FdoInt32 SdfIdentityReader::GetPropertyIndex(FdoString* name) {
    for (size_t i = 0; i < m_names.size(); i++)
        if (m_names[i] == name) return static_cast<FdoInt32>(i);
    throw FdoCommandException::Create(FdoStringP::Format(
        L"The property '%ls' is not an identity property of class '%ls'.", name ? name : L"", m_class->GetName()));
}

bool SdfIdentityReader::ReadNext() {
    if (m_started && m_position < m_rows.size()) m_position++;
    m_started = true;
    return m_position < m_rows.size();
}

}  // namespace sdf
