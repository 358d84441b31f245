// The in-memory readers follow the same getter rules as FeatureReader:
// matching type or an exception, never a conversion.
#include <ogrcore/OgrReaders.h>
#include <ogrcore/OgrValues.h>

namespace ogrcore {

namespace {

[[noreturn]] void NoRow() { throw FdoCommandException::Create(L"The reader has no current row: call ReadNext first."); }

[[noreturn]] void Unsupported(FdoString* what) {
    throw FdoCommandException::Create(FdoStringP::Format(L"%ls are not supported by this reader.", what));
}

[[noreturn]] void TypeMismatch(FdoString* type, FdoString* name) {
    throw FdoCommandException::Create(FdoStringP::Format(
        L"Value type to insert, update or retrieve doesn't match the type (%ls) of property '%ls'.", type, name));
}

}  // namespace

FdoByteArray* RectangleFgf(double minX, double minY, double maxX, double maxY) {
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIEnvelope> env = factory->CreateEnvelopeXY(minX, minY, maxX, maxY);
    FdoPtr<FdoIGeometry> polygon = factory->CreateGeometry(env);
    return factory->GetFgf(polygon);
}

// ---------------------------------------------------------- IdentityReader

IdentityReader::IdentityReader(FdoClassDefinition* cls, FdoString* identityName, FdoDataType type,
                               std::vector<FdoInt64> values)
    : m_class(FDO_SAFE_ADDREF(cls)), m_name(identityName), m_type(type), m_values(std::move(values)) {}

void IdentityReader::Check(FdoString* name) {
    if (!m_started || m_position >= m_values.size()) NoRow();
    if (!name || m_name != name)
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The property '%ls' is not in this reader: it holds the identity '%ls' only.", name ? name : L"",
            static_cast<FdoString*>(m_name)));
}

void IdentityReader::Mismatch(FdoString* name, FdoString*) {
    Check(name);
    TypeMismatch(DataTypeName(m_type), name);
}

bool IdentityReader::ReadNext() {
    if (m_started && m_position < m_values.size()) m_position++;
    m_started = true;
    return m_position < m_values.size();
}

FdoInt32 IdentityReader::GetInt32(FdoString* name) {
    Check(name);
    if (m_type != FdoDataType_Int32) TypeMismatch(DataTypeName(m_type), name);
    return static_cast<FdoInt32>(m_values[m_position]);
}

FdoInt64 IdentityReader::GetInt64(FdoString* name) {
    Check(name);
    if (m_type != FdoDataType_Int64) TypeMismatch(DataTypeName(m_type), name);
    return m_values[m_position];
}

bool IdentityReader::IsNull(FdoString* name) {
    Check(name);
    return false;
}

FdoString* IdentityReader::GetPropertyName(FdoInt32 index) {
    if (index != 0) throw FdoCommandException::Create(L"Item index out of bounds.");
    return m_name;
}

FdoInt32 IdentityReader::GetPropertyIndex(FdoString* name) {
    if (!name || m_name != name)
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The property '%ls' is not in this reader.", name ? name : L""));
    return 0;
}

FdoIFeatureReader* IdentityReader::GetFeatureObject(FdoString*) { Unsupported(L"Object properties"); }
bool IdentityReader::GetBoolean(FdoString* name) { Mismatch(name, L"Boolean"); }
FdoByte IdentityReader::GetByte(FdoString* name) { Mismatch(name, L"Byte"); }
FdoDateTime IdentityReader::GetDateTime(FdoString* name) { Mismatch(name, L"DateTime"); }
double IdentityReader::GetDouble(FdoString* name) { Mismatch(name, L"Double"); }
FdoInt16 IdentityReader::GetInt16(FdoString* name) { Mismatch(name, L"Int16"); }
float IdentityReader::GetSingle(FdoString* name) { Mismatch(name, L"Single"); }
FdoString* IdentityReader::GetString(FdoString* name) { Mismatch(name, L"String"); }
FdoLOBValue* IdentityReader::GetLOB(FdoString* name) { Mismatch(name, L"BLOB"); }
FdoIStreamReader* IdentityReader::GetLOBStreamReader(FdoString*) { Unsupported(L"LOB streams"); }
FdoByteArray* IdentityReader::GetGeometry(FdoString* name) { Mismatch(name, L"Geometry"); }
const FdoByte* IdentityReader::GetGeometry(FdoString* name, FdoInt32*) { Mismatch(name, L"Geometry"); }
FdoIRaster* IdentityReader::GetRaster(FdoString*) { Unsupported(L"Rasters"); }

// ----------------------------------------------------------- DataRowReader

void DataRowReader::AddData(FdoString* name, FdoDataValue* value) {
    m_columns.push_back({name, FdoPtr<FdoDataValue>(FDO_SAFE_ADDREF(value)), nullptr});
}

void DataRowReader::AddGeometry(FdoString* name, FdoByteArray* fgf, bool isNull) {
    m_columns.push_back({name, nullptr, isNull ? nullptr : FdoPtr<FdoByteArray>(FDO_SAFE_ADDREF(fgf))});
}

DataRowReader::Column& DataRowReader::Get(FdoString* name) {
    if (!m_started || m_done) NoRow();
    for (auto& c : m_columns)
        if (name && c.name == name) return c;
    throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in this reader.", name ? name : L""));
}

FdoDataValue* DataRowReader::Value(FdoString* name, FdoDataType type) {
    Column& c = Get(name);
    if (!c.value) TypeMismatch(L"Geometry", name);
    FdoDataType actual = c.value->GetDataType();
    bool ok = actual == type || (type == FdoDataType_Double && actual == FdoDataType_Decimal);
    if (!ok) TypeMismatch(DataTypeName(actual), name);
    if (c.value->IsNull()) throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is NULL.", name));
    return c.value;
}

FdoDataType DataRowReader::GetDataType(FdoString* name) {
    for (auto& c : m_columns)
        if (name && c.name == name) {
            if (!c.value) throw FdoCommandException::Create(FdoStringP::Format(L"'%ls' is a geometry.", name));
            return c.value->GetDataType();
        }
    throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in this reader.", name ? name : L""));
}

FdoPropertyType DataRowReader::GetPropertyType(FdoString* name) {
    for (auto& c : m_columns)
        if (name && c.name == name) return c.value ? FdoPropertyType_DataProperty : FdoPropertyType_GeometricProperty;
    throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in this reader.", name ? name : L""));
}

bool DataRowReader::GetBoolean(FdoString* n) { return static_cast<FdoBooleanValue*>(Value(n, FdoDataType_Boolean))->GetBoolean(); }
FdoByte DataRowReader::GetByte(FdoString* n) { return static_cast<FdoByteValue*>(Value(n, FdoDataType_Byte))->GetByte(); }
FdoDateTime DataRowReader::GetDateTime(FdoString* n) {
    return static_cast<FdoDateTimeValue*>(Value(n, FdoDataType_DateTime))->GetDateTime();
}
double DataRowReader::GetDouble(FdoString* n) {
    FdoDataValue* v = Value(n, FdoDataType_Double);
    return v->GetDataType() == FdoDataType_Decimal ? static_cast<FdoDecimalValue*>(v)->GetDecimal()
                                                   : static_cast<FdoDoubleValue*>(v)->GetDouble();
}
FdoInt16 DataRowReader::GetInt16(FdoString* n) { return static_cast<FdoInt16Value*>(Value(n, FdoDataType_Int16))->GetInt16(); }
FdoInt32 DataRowReader::GetInt32(FdoString* n) { return static_cast<FdoInt32Value*>(Value(n, FdoDataType_Int32))->GetInt32(); }
FdoInt64 DataRowReader::GetInt64(FdoString* n) { return static_cast<FdoInt64Value*>(Value(n, FdoDataType_Int64))->GetInt64(); }
float DataRowReader::GetSingle(FdoString* n) { return static_cast<FdoSingleValue*>(Value(n, FdoDataType_Single))->GetSingle(); }
FdoString* DataRowReader::GetString(FdoString* n) {
    return static_cast<FdoStringValue*>(Value(n, FdoDataType_String))->GetString();
}
FdoLOBValue* DataRowReader::GetLOB(FdoString* n) {
    Column& c = Get(n);
    if (!c.value || (c.value->GetDataType() != FdoDataType_BLOB && c.value->GetDataType() != FdoDataType_CLOB))
        TypeMismatch(c.value ? DataTypeName(c.value->GetDataType()) : L"Geometry", n);
    return static_cast<FdoLOBValue*>(FDO_SAFE_ADDREF(Value(n, c.value->GetDataType())));
}
FdoIStreamReader* DataRowReader::GetLOBStreamReader(FdoString*) { Unsupported(L"LOB streams"); }
bool DataRowReader::IsNull(FdoString* n) {
    Column& c = Get(n);
    return c.value ? c.value->IsNull() : !c.fgf;
}
FdoByteArray* DataRowReader::GetGeometry(FdoString* n) {
    Column& c = Get(n);
    if (c.value) TypeMismatch(DataTypeName(c.value->GetDataType()), n);
    if (!c.fgf) throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is NULL.", n));
    return FDO_SAFE_ADDREF(c.fgf.p);
}
FdoIRaster* DataRowReader::GetRaster(FdoString*) { Unsupported(L"Rasters"); }

FdoString* DataRowReader::GetPropertyName(FdoInt32 index) {
    if (index < 0 || index >= GetPropertyCount()) throw FdoCommandException::Create(L"Item index out of bounds.");
    return m_columns[static_cast<size_t>(index)].name;
}

FdoInt32 DataRowReader::GetPropertyIndex(FdoString* name) {
    for (size_t i = 0; i < m_columns.size(); i++)
        if (name && m_columns[i].name == name) return static_cast<FdoInt32>(i);
    throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in this reader.", name ? name : L""));
}

bool DataRowReader::ReadNext() {
    if (m_started) m_done = true;
    m_started = true;
    return !m_done;
}

// ---------------------------------------------------- SpatialContextReader

const SpatialContextInfo& SpatialContextReader::Current() {
    if (!m_started || m_position >= m_contexts.size())
        throw FdoCommandException::Create(L"The reader has no current spatial context: call ReadNext first.");
    return m_contexts[m_position];
}

bool SpatialContextReader::ReadNext() {
    if (m_started && m_position < m_contexts.size()) m_position++;
    m_started = true;
    return m_position < m_contexts.size();
}

FdoByteArray* SpatialContextReader::GetExtent() {
    const SpatialContextInfo& c = Current();
    return RectangleFgf(c.minX, c.minY, c.maxX, c.maxY);
}

// --------------------------------------------------------- AggregateReader

DataRowReader* AggregateReader(const FdoCommonAggregates& aggregates) {
    FdoPtr<DataRowReader> result = DataRowReader::Create();
    for (const auto& a : aggregates.Items()) {
        if (a.extents) {
            const FdoFgfBounds& b = a.bounds;
            FdoPtr<FdoByteArray> fgf = b.IsEmpty() ? nullptr : RectangleFgf(b.minX, b.minY, b.maxX, b.maxY);
            result->AddGeometry(a.name, fgf, b.IsEmpty());
        } else {
            FdoPtr<FdoDataValue> count = FdoInt64Value::Create(a.count);
            result->AddData(a.name, count);
        }
    }
    return result.Detach();
}

}  // namespace ogrcore
