// Typed access to the current feature with FDO's reader rules: the getter
// must match the property's type, nulls throw, no conversion.
#include "OgrFeatureRow.h"

#include <ogrcore/OgrValues.h>

namespace ogrcore {

FeatureRow::FeatureRow(ClassMap* map) : m_map(FDO_SAFE_ADDREF(map)), m_cache(map->Bindings().size()) {}

void FeatureRow::SetFeature(OGRFeatureH feature) {
    m_feature.reset(feature);
    m_serial++;
}

OGRFeatureH FeatureRow::Current() {
    if (!m_feature) throw FdoCommandException::Create(L"The reader has no current row: call ReadNext first.");
    return m_feature.get();
}

int FeatureRow::Index(FdoString* name) {
    int i = m_map->Find(name);
    if (i < 0)
        throw FdoCommandException::Create(FdoStringP::Format(L"The property '%ls' is not in class '%ls'.",
                                                             name ? name : L"", m_map->ClassName()));
    return i;
}

int FeatureRow::Check(FdoInt32 index) {
    if (index < 0 || index >= Count()) throw FdoCommandException::Create(L"Item index out of bounds.");
    return index;
}

void FeatureRow::Mismatch(int i) {
    const PropertyBinding& b = At(i);
    throw FdoCommandException::Create(FdoStringP::Format(
        L"Value type to insert, update or retrieve doesn't match the type (%ls) of property '%ls'.",
        b.role == PropertyRole::Geometry ? L"Geometry" : DataTypeName(b.type), static_cast<FdoString*>(b.name)));
}

const PropertyBinding& FeatureRow::Typed(int i, FdoDataType type) {
    const PropertyBinding& b = At(i);
    if (b.role == PropertyRole::Geometry || b.type != type) Mismatch(i);
    if (IsNullAt(i))
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The property '%ls' is NULL.", static_cast<FdoString*>(b.name)));
    return b;
}

bool FeatureRow::IsNullAt(int i) {
    const PropertyBinding& b = At(i);
    OGRFeatureH f = Current();
    if (b.role == PropertyRole::Geometry) {
        OGRGeometryH g = OGR_F_GetGeomFieldRef(f, b.field);
        return g == nullptr;
    }
    return IsNullValue(f, b, m_map->FidOffset());
}

bool FeatureRow::BooleanAt(int i) { return ReadBoolean(Current(), Typed(i, FdoDataType_Boolean)); }

FdoByte FeatureRow::ByteAt(int i) {
    return static_cast<FdoByte>(ReadInteger(Current(), Typed(i, FdoDataType_Byte), m_map->FidOffset()));
}

FdoInt16 FeatureRow::Int16At(int i) {
    return static_cast<FdoInt16>(ReadInteger(Current(), Typed(i, FdoDataType_Int16), m_map->FidOffset()));
}

FdoInt32 FeatureRow::Int32At(int i) {
    return static_cast<FdoInt32>(ReadInteger(Current(), Typed(i, FdoDataType_Int32), m_map->FidOffset()));
}

FdoInt64 FeatureRow::Int64At(int i) {
    return ReadInteger(Current(), Typed(i, FdoDataType_Int64), m_map->FidOffset());
}

float FeatureRow::SingleAt(int i) { return static_cast<float>(ReadReal(Current(), Typed(i, FdoDataType_Single))); }

double FeatureRow::DoubleAt(int i) {
    FdoDataType t = At(i).type == FdoDataType_Decimal ? FdoDataType_Decimal : FdoDataType_Double;
    return ReadReal(Current(), Typed(i, t));
}

FdoDateTime FeatureRow::DateTimeAt(int i) { return ReadDateTime(Current(), Typed(i, FdoDataType_DateTime)); }

FdoString* FeatureRow::StringAt(int i) {
    const PropertyBinding& b = Typed(i, FdoDataType_String);
    Cache& c = m_cache[static_cast<size_t>(i)];
    if (c.serial != m_serial) {
        c.text = Wide(OGR_F_GetFieldAsString(Current(), b.field));
        c.serial = m_serial;
    }
    return c.text;
}

FdoLOBValue* FeatureRow::LOBAt(int i) {
    const PropertyBinding& b = At(i);
    if (b.role == PropertyRole::Geometry || (b.type != FdoDataType_BLOB && b.type != FdoDataType_CLOB)) Mismatch(i);
    Typed(i, b.type);
    return static_cast<FdoLOBValue*>(ReadDataValue(Current(), b, m_map->FidOffset()));
}

const FdoByte* FeatureRow::GeometryAt(int i, FdoInt32* count) {
    const PropertyBinding& b = At(i);
    if (b.role != PropertyRole::Geometry) Mismatch(i);
    Cache& c = m_cache[static_cast<size_t>(i)];
    if (c.serial != m_serial) {
        if (GeometryAdapter* adapter = m_map->Adapter())
            if (OGRGeometryH g = OGR_F_GetGeomFieldRef(Current(), b.field)) adapter->AfterRead(g);
        c.null = !ReadGeometry(Current(), b.field, m_wkb, c.bytes);
        c.serial = m_serial;
    }
    if (c.null)
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The property '%ls' is NULL.", static_cast<FdoString*>(b.name)));
    if (count) *count = static_cast<FdoInt32>(c.bytes.size());
    return c.bytes.data();
}

FdoByteArray* FeatureRow::GeometryArray(int i) {
    FdoInt32 n = 0;
    const FdoByte* bytes = GeometryAt(i, &n);
    return FdoByteArray::Create(bytes, n);
}

FdoIFeatureReader* FeatureRow::GetFeatureObject(FdoString*) {
    throw FdoCommandException::Create(L"Object properties are not supported.");
}

FdoIStreamReader* FeatureRow::GetLOBStreamReader(FdoString*) {
    throw FdoCommandException::Create(L"LOB stream readers are not supported.");
}

FdoIRaster* FeatureRow::GetRaster(FdoString*) {
    throw FdoCommandException::Create(L"Raster properties are not supported.");
}

bool FeatureRow::ReadNext() { throw FdoCommandException::Create(L"A feature row cannot advance on its own."); }

}  // namespace ogrcore
