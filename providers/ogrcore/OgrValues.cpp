// Conversions keyed on two types: the FDO type the property declares and
// the OGR type of the field that holds it. Range checks name the property,
// since a shape file's numeric width may allow values its FDO type cannot hold.
#include <ogrcore/OgrError.h>
#include <ogrcore/OgrValues.h>

#include <FdoCommon/FdoCommonEnumNames.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace ogrcore {

namespace {

OGRFieldType FieldType(OGRFeatureH f, int field) {
    return OGR_Fld_GetType(OGR_F_GetFieldDefnRef(f, field));
}

[[noreturn]] void OutOfRange(const PropertyBinding& b, const char* text) {
    throw FdoCommandException::Create(FdoStringP::Format(L"The value %ls of property '%ls' does not fit in %ls.",
                                                         static_cast<FdoString*>(Wide(text)),
                                                         static_cast<FdoString*>(b.name), DataTypeName(b.type)));
}

void CheckRange(const PropertyBinding& b, FdoInt64 v) {
    FdoInt64 lo = std::numeric_limits<FdoInt64>::min(), hi = std::numeric_limits<FdoInt64>::max();
    switch (b.type) {
        case FdoDataType_Byte: lo = 0; hi = 255; break;
        case FdoDataType_Int16: lo = INT16_MIN; hi = INT16_MAX; break;
        case FdoDataType_Int32: lo = INT32_MIN; hi = INT32_MAX; break;
        default: break;
    }
    if (v < lo || v > hi) OutOfRange(b, std::to_string(v).c_str());
}

}  // namespace

FdoString* DataTypeName(FdoDataType type) {
    FdoString* name = FdoCommonEnumNames::DataType(type);
    return name ? name : L"Unknown";
}

FdoString* GeometryTypeName(FdoGeometryType type) {
    FdoString* name = FdoCommonEnumNames::GeometryType(type);
    return name ? name : L"Unknown";
}

OGRwkbGeometryType LayerGeometryType(FdoGeometricPropertyDefinition* geometry, bool allKinds) {
    FdoInt32 count = 0;
    FdoGeometryType* types = geometry->GetSpecificGeometryTypes(count);
    OGRwkbGeometryType type = wkbUnknown;
    if (count == 1) {
        switch (types[0]) {
            case FdoGeometryType_Point: type = wkbPoint; break;
            case FdoGeometryType_LineString: type = wkbLineString; break;
            case FdoGeometryType_Polygon: type = wkbPolygon; break;
            case FdoGeometryType_MultiPoint: type = wkbMultiPoint; break;
            case FdoGeometryType_MultiLineString: type = wkbMultiLineString; break;
            case FdoGeometryType_MultiPolygon: type = wkbMultiPolygon; break;
            case FdoGeometryType_MultiGeometry: type = allKinds ? wkbGeometryCollection : wkbUnknown; break;
            case FdoGeometryType_CurveString: type = allKinds ? wkbCompoundCurve : wkbUnknown; break;
            case FdoGeometryType_CurvePolygon: type = allKinds ? wkbCurvePolygon : wkbUnknown; break;
            case FdoGeometryType_MultiCurveString: type = allKinds ? wkbMultiCurve : wkbUnknown; break;
            case FdoGeometryType_MultiCurvePolygon: type = allKinds ? wkbMultiSurface : wkbUnknown; break;
            default: break;
        }
    }
    return OGR_GT_SetModifier(type, geometry->GetHasElevation(), geometry->GetHasMeasure());
}

int LogicalFromText(const char* text) {
    if (!text) return -1;
    switch (text[0]) {
        case 'Y': case 'y': case 'T': case 't': case '1': return 1;
        case 'N': case 'n': case 'F': case 'f': case '0': return 0;
        default: return -1;
    }
}

bool IsNullValue(OGRFeatureH f, const PropertyBinding& b, FdoInt64) {
    switch (b.role) {
        case PropertyRole::Identity: return false;
        case PropertyRole::Geometry: return OGR_F_GetGeomFieldRef(f, b.field) == nullptr;
        case PropertyRole::Data: break;
    }
    if (!OGR_F_IsFieldSetAndNotNull(f, b.field)) return true;
    if (b.type == FdoDataType_Boolean && FieldType(f, b.field) == OFTString)
        return LogicalFromText(OGR_F_GetFieldAsString(f, b.field)) < 0;
    return false;
}

FdoInt64 ReadInteger(OGRFeatureH f, const PropertyBinding& b, FdoInt64 fidOffset) {
    FdoInt64 v = 0;
    if (b.role == PropertyRole::Identity) {
        v = OGR_F_GetFID(f) + fidOffset;
    } else {
        switch (FieldType(f, b.field)) {
            case OFTInteger:
            case OFTInteger64: v = OGR_F_GetFieldAsInteger64(f, b.field); break;
            case OFTReal: {
                double d = OGR_F_GetFieldAsDouble(f, b.field);
                if (!(d >= -9.2233720368547758e18 && d < 9.2233720368547758e18))
                    OutOfRange(b, OGR_F_GetFieldAsString(f, b.field));
                v = static_cast<FdoInt64>(d);
                break;
            }
            default: {
                const char* text = OGR_F_GetFieldAsString(f, b.field);
                char* end = nullptr;
                errno = 0;
                v = std::strtoll(text, &end, 10);
                if (errno || end == text) OutOfRange(b, text);
            }
        }
    }
    CheckRange(b, v);
    return v;
}

double ReadReal(OGRFeatureH f, const PropertyBinding& b) {
    if (b.role == PropertyRole::Identity) return static_cast<double>(OGR_F_GetFID(f));
    return OGR_F_GetFieldAsDouble(f, b.field);
}

bool ReadBoolean(OGRFeatureH f, const PropertyBinding& b) {
    if (FieldType(f, b.field) == OFTString) return LogicalFromText(OGR_F_GetFieldAsString(f, b.field)) == 1;
    return OGR_F_GetFieldAsInteger64(f, b.field) != 0;
}

FdoDateTime ReadDateTime(OGRFeatureH f, const PropertyBinding& b) {
    int y = 0, m = 0, d = 0, h = 0, mi = 0, tz = 0;
    float s = 0;
    if (!OGR_F_GetFieldAsDateTimeEx(f, b.field, &y, &m, &d, &h, &mi, &s, &tz))
        throw FdoCommandException::Create(FdoStringP::Format(L"The value '%ls' of property '%ls' is not a date.",
                                                             static_cast<FdoString*>(Wide(OGR_F_GetFieldAsString(f, b.field))),
                                                             static_cast<FdoString*>(b.name)));
    // A damaged file (a field type byte changed to 'D') reads as month 0,
    // day 0: no date, and no value anyone wrote.
    const OGRFieldType type = FieldType(f, b.field);
    if (type != OFTTime && (m < 1 || m > 12 || d < 1 || d > 31))
        throw FdoCommandException::Create(FdoStringP::Format(
            L"The value '%ls' of property '%ls' in feature %lld is not a date.",
            static_cast<FdoString*>(Wide(OGR_F_GetFieldAsString(f, b.field))), static_cast<FdoString*>(b.name),
            static_cast<long long>(OGR_F_GetFID(f))));
    switch (type) {
        case OFTDate: return FdoDateTime(static_cast<FdoInt16>(y), static_cast<FdoInt8>(m), static_cast<FdoInt8>(d));
        case OFTTime: return FdoDateTime(static_cast<FdoInt8>(h), static_cast<FdoInt8>(mi), s);
        default:
            return FdoDateTime(static_cast<FdoInt16>(y), static_cast<FdoInt8>(m), static_cast<FdoInt8>(d),
                               static_cast<FdoInt8>(h), static_cast<FdoInt8>(mi), s);
    }
}

FdoDataValue* ReadDataValue(OGRFeatureH f, const PropertyBinding& b, FdoInt64 fidOffset) {
    if (IsNullValue(f, b, fidOffset)) return FdoDataValue::Create(b.type);
    switch (b.type) {
        case FdoDataType_Boolean: return FdoDataValue::Create(ReadBoolean(f, b));
        case FdoDataType_Byte: return FdoDataValue::Create(static_cast<FdoByte>(ReadInteger(f, b, fidOffset)));
        case FdoDataType_Int16: return FdoDataValue::Create(static_cast<FdoInt16>(ReadInteger(f, b, fidOffset)));
        case FdoDataType_Int32: return FdoDataValue::Create(static_cast<FdoInt32>(ReadInteger(f, b, fidOffset)));
        case FdoDataType_Int64: return FdoDataValue::Create(ReadInteger(f, b, fidOffset));
        case FdoDataType_Single: return FdoDataValue::Create(static_cast<float>(ReadReal(f, b)));
        case FdoDataType_Double:
        case FdoDataType_Decimal: return FdoDataValue::Create(ReadReal(f, b), b.type);
        case FdoDataType_DateTime: return FdoDataValue::Create(ReadDateTime(f, b));
        case FdoDataType_String: return FdoDataValue::Create(static_cast<FdoString*>(Wide(OGR_F_GetFieldAsString(f, b.field))));
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: {
            int n = 0;
            GByte* bytes = OGR_F_GetFieldAsBinary(f, b.field, &n);
            if (FieldType(f, b.field) != OFTBinary) {
                const char* text = OGR_F_GetFieldAsString(f, b.field);
                bytes = reinterpret_cast<GByte*>(const_cast<char*>(text));
                n = static_cast<int>(strlen(text));
            }
            return FdoDataValue::Create(bytes, n, b.type);
        }
    }
    return FdoDataValue::Create(b.type);
}

void GeometryToFgf(OGRGeometryH g, std::vector<FdoByte>& wkb, std::vector<FdoByte>& fgf) {
    OGRwkbGeometryType flat = wkbFlatten(OGR_G_GetGeometryType(g));
    GeometryPtr forced;
    if (flat == wkbTIN || flat == wkbPolyhedralSurface || flat == wkbTriangle) {
        // Multipatch parts: FGF knows no surfaces of faces; give their polygons.
        forced.reset(OGR_G_ForceTo(OGR_G_Clone(g), wkbMultiPolygon, nullptr));
        g = forced.get();
    }
    wkb.resize(static_cast<size_t>(OGR_G_WkbSize(g)));
    if (OGR_G_ExportToIsoWkb(g, wkbNDR, wkb.data()) != OGRERR_NONE)
        throw FdoException::Create(L"A geometry could not be converted to WKB.");
    FdoFgfWkb::WkbToFgf(wkb.data(), static_cast<FdoInt32>(wkb.size()), fgf);
}

bool ReadGeometry(OGRFeatureH f, int geometryField, std::vector<FdoByte>& wkb, std::vector<FdoByte>& fgf) {
    OGRGeometryH g = OGR_F_GetGeomFieldRef(f, geometryField);
    if (!g) return false;
    GeometryToFgf(g, wkb, fgf);
    return true;
}

GeometryPtr GeometryFromFgf(const FdoByte* fgf, FdoInt32 count, std::vector<FdoByte>& wkb) {
    FdoFgfWkb::FgfToWkb(fgf, count, wkb);
    OGRGeometryH g = nullptr;
    ErrorTrap trap;
    if (OGR_G_CreateFromWkbEx(wkb.data(), nullptr, &g, wkb.size()) != OGRERR_NONE || !g)
        throw FdoException::Create(trap.Describe(L"GDAL cannot read a geometry"));
    return GeometryPtr(g);
}

void WriteDataValue(OGRFeatureH f, const PropertyBinding& b, FdoDataValue* value) {
    if (!value || value->IsNull()) {
        OGR_F_SetFieldNull(f, b.field);
        return;
    }
    FdoPtr<FdoDataValue> v = FDO_SAFE_ADDREF(value);
    if (v->GetDataType() != b.type) {
        try {
            v = FdoDataValue::Create(b.type, value, false, false, false);
        } catch (FdoException* e) {
            FdoStringP text = FdoStringP::Format(
                L"Value type to insert, update or retrieve doesn't match the type (%ls) of property '%ls'.",
                DataTypeName(b.type), static_cast<FdoString*>(b.name));
            FdoException* wrapped = FdoCommandException::Create(text, e);
            e->Release();
            throw wrapped;
        }
    }
    OGRFieldType ft = FieldType(f, b.field);
    switch (b.type) {
        case FdoDataType_Boolean: {
            bool on = static_cast<FdoBooleanValue*>(v.p)->GetBoolean();
            if (ft == OFTString) OGR_F_SetFieldString(f, b.field, on ? "T" : "F");
            else OGR_F_SetFieldInteger(f, b.field, on ? 1 : 0);
            return;
        }
        case FdoDataType_Byte:
        case FdoDataType_Int16:
        case FdoDataType_Int32:
        case FdoDataType_Int64: {
            FdoPtr<FdoDataValue> wide = FdoDataValue::Create(FdoDataType_Int64, v);
            FdoInt64 n = static_cast<FdoInt64Value*>(wide.p)->GetInt64();
            if (ft == OFTReal) {
                // A real field holds integers exactly only up to 2^53.
                double d = static_cast<double>(n);
                if (d >= 9223372036854775808.0 || static_cast<FdoInt64>(d) != n)
                    throw FdoCommandException::Create(FdoStringP::Format(
                        L"The value %lld of property '%ls' cannot be stored exactly in a real field.",
                        static_cast<long long>(n), static_cast<FdoString*>(b.name)));
                OGR_F_SetFieldDouble(f, b.field, d);
            } else {
                OGR_F_SetFieldInteger64(f, b.field, n);
            }
            return;
        }
        case FdoDataType_Single:
            OGR_F_SetFieldDouble(f, b.field, static_cast<FdoSingleValue*>(v.p)->GetSingle());
            return;
        case FdoDataType_Double: OGR_F_SetFieldDouble(f, b.field, static_cast<FdoDoubleValue*>(v.p)->GetDouble()); return;
        case FdoDataType_Decimal:
            OGR_F_SetFieldDouble(f, b.field, static_cast<FdoDecimalValue*>(v.p)->GetDecimal());
            return;
        case FdoDataType_String:
            OGR_F_SetFieldString(f, b.field, Utf8(static_cast<FdoStringValue*>(v.p)->GetString()).c_str());
            return;
        case FdoDataType_DateTime: {
            FdoDateTime dt = static_cast<FdoDateTimeValue*>(v.p)->GetDateTime();
            int y = dt.year < 0 ? 0 : dt.year, m = dt.month < 0 ? 0 : dt.month, d = dt.day < 0 ? 0 : dt.day;
            int h = dt.hour < 0 ? 0 : dt.hour, mi = dt.minute < 0 ? 0 : dt.minute;
            OGR_F_SetFieldDateTimeEx(f, b.field, y, m, d, h, mi, dt.seconds, 0);
            return;
        }
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: {
            FdoPtr<FdoByteArray> data = static_cast<FdoLOBValue*>(v.p)->GetData();
            if (ft == OFTBinary) {
                OGR_F_SetFieldBinary(f, b.field, data->GetCount(), data->GetData());
            } else {
                std::string text(reinterpret_cast<const char*>(data->GetData()), static_cast<size_t>(data->GetCount()));
                OGR_F_SetFieldString(f, b.field, text.c_str());
            }
            return;
        }
    }
}

}  // namespace ogrcore
