// FDO values to SQL values; see NorvValues.h.
#include "NorvValues.h"

#include "NorvGeometry.h"

#include <common/DateTimeText.h>

namespace norvdb {

SqlValue NorvValues::FromLiteral(FdoLiteralValue* literal, std::optional<int32_t> srid, FdoString* what) {
    SqlValue v;
    if (!literal) return v;
    if (auto* g = dynamic_cast<FdoGeometryValue*>(literal)) {
        FdoPtr<FdoByteArray> fgf = g->GetGeometry();
        if (!fgf || fgf->GetCount() == 0) return v;
        v.kind = SqlValue::Blob;
        v.b = NorvGeometry::Encode(fgf->GetData(), fgf->GetCount(), srid);
        return v;
    }
    auto* d = dynamic_cast<FdoDataValue*>(literal);
    if (!d)
        throw FdoCommandException::Create(
            FdoStringP::Format(L"The value of '%ls' is neither a data value nor a geometry.", what));
    if (d->IsNull()) return v;
    switch (d->GetDataType()) {
        case FdoDataType_Boolean:
            v.kind = SqlValue::Int;
            v.i = static_cast<FdoBooleanValue*>(d)->GetBoolean() ? 1 : 0;
            break;
        case FdoDataType_Byte:
            v.kind = SqlValue::Int;
            v.i = static_cast<FdoByteValue*>(d)->GetByte();
            break;
        case FdoDataType_Int16:
            v.kind = SqlValue::Int;
            v.i = static_cast<FdoInt16Value*>(d)->GetInt16();
            break;
        case FdoDataType_Int32:
            v.kind = SqlValue::Int;
            v.i = static_cast<FdoInt32Value*>(d)->GetInt32();
            break;
        case FdoDataType_Int64:
            v.kind = SqlValue::Int;
            v.i = static_cast<FdoInt64Value*>(d)->GetInt64();
            break;
        case FdoDataType_Single:
            v.kind = SqlValue::Real;
            v.d = static_cast<FdoSingleValue*>(d)->GetSingle();
            break;
        case FdoDataType_Double:
            v.kind = SqlValue::Real;
            v.d = static_cast<FdoDoubleValue*>(d)->GetDouble();
            break;
        case FdoDataType_Decimal:
            v.kind = SqlValue::Real;
            v.d = static_cast<FdoDecimalValue*>(d)->GetDecimal();
            break;
        case FdoDataType_String:
            v.kind = SqlValue::Text;
            v.s = FdoStringP::Utf8FromUnicode(static_cast<FdoStringValue*>(d)->GetString());
            break;
        case FdoDataType_DateTime:
            v.kind = SqlValue::Text;
            v.s = providercommon::DateTimeText::Format(static_cast<FdoDateTimeValue*>(d)->GetDateTime());
            break;
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: {
            FdoPtr<FdoByteArray> bytes = static_cast<FdoLOBValue*>(d)->GetData();
            if (d->GetDataType() == FdoDataType_CLOB) {
                v.kind = SqlValue::Text;
                v.s.assign(reinterpret_cast<const char*>(bytes->GetData()), static_cast<size_t>(bytes->GetCount()));
            } else {
                v.kind = SqlValue::Blob;
                v.b.assign(bytes->GetData(), bytes->GetData() + bytes->GetCount());
            }
            break;
        }
    }
    return v;
}

}  // namespace norvdb
