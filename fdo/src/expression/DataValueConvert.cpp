// FdoDataValue::Create(type, src, nullIfIncompatible, shift, truncate): a
// converted copy of a data value.
//
// Rules:
// * A null source gives a null value of the target type.
// * Numbers (Byte, Int16, Int32, Int64, Single, Double, Decimal) convert to
//   each other. A fraction going to an integer type is rounded half away
//   from zero when shift is true, and is incompatible otherwise. A value
//   outside the target's range (Byte 0..255, Int16, Int32, Int64, Single's
//   float range) is clamped to the nearest limit when truncate is true and
//   is incompatible otherwise. NaN never converts to an integer.
// * Boolean -> number gives 1 or 0. Number -> Boolean takes 0 and 1 only;
//   with truncate, any non-zero value is true.
// * String -> number: the whole text (blanks around it ignored) must be a
//   decimal integer or a decimal real with optional exponent; the number
//   then follows the number rules. String -> Boolean takes true/t/yes/y/1
//   and false/f/no/n/0 in any case. String -> DateTime takes "YYYY-MM-DD",
//   "hh:mm:ss[.f]" or "YYYY-MM-DD hh:mm:ss[.f]". String -> BLOB/CLOB gives
//   the UTF-8 bytes.
// * Anything -> String: integers in decimal, Double/Decimal with 15 and
//   Single with 6 significant digits (as printed in expression text),
//   Boolean "TRUE"/"FALSE", DateTime as its date/time text without keyword,
//   CLOB as its UTF-8 text, BLOB as upper-case hex digits.
// * BLOB <-> CLOB copy the bytes. DateTime and LOBs convert to nothing else.
// * Anything else is incompatible: a null value when nullIfIncompatible,
//   otherwise FdoExpressionException naming the value and both types.
#include <Fdo/Expression/DataValue.h>

#include "expression/LiteralText.h"

#include <cerrno>
#include <cfloat>
#include <cmath>
#include <cwctype>
#include <limits>
#include <string>

namespace {

struct Number {
    bool isInteger = true;
    FdoInt64 i = 0;
    double d = 0.0;
    double AsDouble() const { return isInteger ? static_cast<double>(i) : d; }
};

std::wstring Trimmed(FdoString* text) {
    std::wstring s(text ? text : L"");
    size_t b = 0, e = s.size();
    while (b < e && iswspace(static_cast<wint_t>(s[b]))) b++;
    while (e > b && iswspace(static_cast<wint_t>(s[e - 1]))) e--;
    return s.substr(b, e - b);
}

bool ParseNumber(FdoString* text, Number& out) {
    std::wstring s = Trimmed(text);
    if (s.empty()) return false;
    // Decimal text only: no hex, no inf/nan words.
    for (wchar_t c : s)
        if (!(iswdigit(static_cast<wint_t>(c)) || c == L'.' || c == L'e' || c == L'E' || c == L'+' || c == L'-'))
            return false;
    wchar_t* end = nullptr;
    errno = 0;
    long long i = wcstoll(s.c_str(), &end, 10);
    if (errno == 0 && end && *end == 0) {
        out.isInteger = true;
        out.i = i;
        return true;
    }
    errno = 0;
    double d = wcstod(s.c_str(), &end);
    if (!end || *end != 0 || end == s.c_str()) return false;
    out.isInteger = false;
    out.d = d;
    return true;
}

bool ParseBoolean(FdoString* text, bool& out) {
    std::wstring s = Trimmed(text);
    for (FdoString* w : {L"true", L"t", L"yes", L"y", L"1"})
        if (wcscasecmp(s.c_str(), w) == 0) return out = true, true;
    for (FdoString* w : {L"false", L"f", L"no", L"n", L"0"})
        if (wcscasecmp(s.c_str(), w) == 0) return out = false, true;
    return false;
}

FdoByteArray* Utf8Bytes(FdoString* text) {
    std::string utf8 = FdoStringP::Utf8FromUnicode(text);
    return FdoByteArray::Create(reinterpret_cast<const FdoByte*>(utf8.data()), static_cast<FdoInt32>(utf8.size()));
}

class Converter {
public:
    Converter(FdoDataType to, FdoDataValue* src, bool nullIfIncompatible, bool shift, bool truncate)
        : m_to(to), m_src(src), m_nullIfIncompatible(nullIfIncompatible), m_shift(shift), m_truncate(truncate) {}

    FdoDataValue* Run() {
        if (m_src->IsNull()) return FdoDataValue::Create(m_to);
        switch (m_to) {
            case FdoDataType_String: return ToStringValue();
            case FdoDataType_DateTime: return ToDateTime();
            case FdoDataType_BLOB:
            case FdoDataType_CLOB: return ToLob();
            case FdoDataType_Boolean: return ToBoolean();
            default: return ToNumber();
        }
    }

private:
    FdoDataValue* Fail(FdoString* why) {
        if (m_nullIfIncompatible) return FdoDataValue::Create(m_to);
        FdoStringP from = FdoLiteralText::DataTypeName(m_src->GetDataType());
        FdoStringP text = m_src->ToString();
        throw FdoExpressionException::Create(FdoStringP::Format(
            L"Cannot convert %ls value %ls to %ls: %ls.", (FdoString*)from, (FdoString*)text,
            FdoLiteralText::DataTypeName(m_to), why));
    }

    // The source as a number; false for types that are not numbers.
    bool SourceNumber(Number& n, FdoString*& why) {
        why = L"incompatible types";
        switch (m_src->GetDataType()) {
            case FdoDataType_Boolean: n.i = static_cast<FdoBooleanValue*>(m_src)->GetBoolean() ? 1 : 0; return true;
            case FdoDataType_Byte: n.i = static_cast<FdoByteValue*>(m_src)->GetByte(); return true;
            case FdoDataType_Int16: n.i = static_cast<FdoInt16Value*>(m_src)->GetInt16(); return true;
            case FdoDataType_Int32: n.i = static_cast<FdoInt32Value*>(m_src)->GetInt32(); return true;
            case FdoDataType_Int64: n.i = static_cast<FdoInt64Value*>(m_src)->GetInt64(); return true;
            case FdoDataType_Single: n.isInteger = false; n.d = static_cast<FdoSingleValue*>(m_src)->GetSingle(); return true;
            case FdoDataType_Double: n.isInteger = false; n.d = static_cast<FdoDoubleValue*>(m_src)->GetDouble(); return true;
            case FdoDataType_Decimal: n.isInteger = false; n.d = static_cast<FdoDecimalValue*>(m_src)->GetDecimal(); return true;
            case FdoDataType_String:
                why = L"the text is not a number";
                return ParseNumber(static_cast<FdoStringValue*>(m_src)->GetString(), n);
            default: return false;
        }
    }

    FdoDataValue* ToNumber() {
        Number n;
        FdoString* why;
        if (!SourceNumber(n, why)) return Fail(why);
        switch (m_to) {
            case FdoDataType_Byte: {
                FdoInt64 v;
                if (!ToInteger(n, 0, 255, v)) return Fail(m_why);
                return FdoByteValue::Create(static_cast<FdoByte>(v));
            }
            case FdoDataType_Int16: {
                FdoInt64 v;
                if (!ToInteger(n, INT16_MIN, INT16_MAX, v)) return Fail(m_why);
                return FdoInt16Value::Create(static_cast<FdoInt16>(v));
            }
            case FdoDataType_Int32: {
                FdoInt64 v;
                if (!ToInteger(n, INT32_MIN, INT32_MAX, v)) return Fail(m_why);
                return FdoInt32Value::Create(static_cast<FdoInt32>(v));
            }
            case FdoDataType_Int64: {
                FdoInt64 v;
                if (!ToInteger(n, INT64_MIN, INT64_MAX, v)) return Fail(m_why);
                return FdoInt64Value::Create(v);
            }
            case FdoDataType_Single: {
                double d = n.AsDouble();
                if (std::isfinite(d) && std::fabs(d) > FLT_MAX) {
                    if (!m_truncate) return Fail(L"value out of range");
                    d = d < 0 ? -FLT_MAX : FLT_MAX;
                }
                return FdoSingleValue::Create(static_cast<float>(d));
            }
            case FdoDataType_Double: return FdoDoubleValue::Create(n.AsDouble());
            case FdoDataType_Decimal: return FdoDecimalValue::Create(n.AsDouble());
            default: return Fail(L"incompatible types");
        }
    }

    bool ToInteger(const Number& n, FdoInt64 lo, FdoInt64 hi, FdoInt64& out) {
        if (n.isInteger) {
            if (n.i < lo || n.i > hi) {
                m_why = L"value out of range";
                if (!m_truncate) return false;
                out = n.i < lo ? lo : hi;
                return true;
            }
            out = n.i;
            return true;
        }
        double d = n.d;
        if (std::isnan(d)) return m_why = L"not a number", false;
        if (std::isfinite(d) && d != std::trunc(d)) {
            if (!m_shift) return m_why = L"the fraction would be lost", false;
            d = std::round(d);
        }
        // 2^63 is the first double above INT64_MAX.
        double dlo = static_cast<double>(lo), dhi = hi == INT64_MAX ? 9223372036854775808.0 : static_cast<double>(hi);
        bool above = hi == INT64_MAX ? d >= dhi : d > dhi;
        if (d < dlo || above) {
            m_why = L"value out of range";
            if (!m_truncate) return false;
            out = d < dlo ? lo : hi;
            return true;
        }
        out = static_cast<FdoInt64>(d);
        return true;
    }

    FdoDataValue* ToBoolean() {
        if (m_src->GetDataType() == FdoDataType_String) {
            bool b;
            if (ParseBoolean(static_cast<FdoStringValue*>(m_src)->GetString(), b)) return FdoBooleanValue::Create(b);
            return Fail(L"the text is not a boolean");
        }
        Number n;
        FdoString* why;
        if (!SourceNumber(n, why)) return Fail(why);
        double d = n.AsDouble();
        if (d == 0.0 || d == 1.0) return FdoBooleanValue::Create(d == 1.0);
        if (m_truncate && !std::isnan(d)) return FdoBooleanValue::Create(true);
        return Fail(L"only 0 and 1 convert to Boolean");
    }

    FdoDataValue* ToStringValue() {
        switch (m_src->GetDataType()) {
            case FdoDataType_String:
                return FdoStringValue::Create(static_cast<FdoStringValue*>(m_src)->GetString());
            case FdoDataType_DateTime:
                return FdoStringValue::Create(
                    FdoLiteralText::FormatDateTime(static_cast<FdoDateTimeValue*>(m_src)->GetDateTime()));
            case FdoDataType_CLOB: {
                FdoPtr<FdoByteArray> bytes = static_cast<FdoLOBValue*>(m_src)->GetData();
                std::string utf8(reinterpret_cast<const char*>(bytes->GetData()), static_cast<size_t>(bytes->GetCount()));
                return FdoStringValue::Create(FdoStringP(utf8.c_str()));
            }
            case FdoDataType_BLOB: {
                FdoStringP hex = m_src->ToString();  // X'...'
                return FdoStringValue::Create(hex.Mid(2, hex.GetLength() - 3));
            }
            default:
                // Numbers and booleans print as in expression text.
                return FdoStringValue::Create(m_src->ToString());
        }
    }

    FdoDataValue* ToDateTime() {
        if (m_src->GetDataType() == FdoDataType_DateTime)
            return FdoDateTimeValue::Create(static_cast<FdoDateTimeValue*>(m_src)->GetDateTime());
        if (m_src->GetDataType() != FdoDataType_String) return Fail(L"incompatible types");
        FdoDateTime dt;
        if (!FdoLiteralText::ParseDateTime(static_cast<FdoStringValue*>(m_src)->GetString(),
                                           FdoLiteralText::DateTimeForm::Any, dt))
            return Fail(L"the text is not a valid date or time");
        return FdoDateTimeValue::Create(dt);
    }

    FdoDataValue* ToLob() {
        FdoPtr<FdoByteArray> bytes;
        FdoDataType from = m_src->GetDataType();
        if (from == FdoDataType_String) {
            bytes = Utf8Bytes(static_cast<FdoStringValue*>(m_src)->GetString());
        } else if (from == FdoDataType_BLOB || from == FdoDataType_CLOB) {
            FdoPtr<FdoByteArray> src = static_cast<FdoLOBValue*>(m_src)->GetData();
            bytes = FdoByteArray::Create(src->GetData(), src->GetCount());
        } else {
            return Fail(L"incompatible types");
        }
        return FdoDataValue::Create(bytes, m_to);
    }

    FdoDataType m_to;
    FdoDataValue* m_src;
    bool m_nullIfIncompatible, m_shift, m_truncate;
    FdoString* m_why = L"";
};

}  // namespace

FdoDataValue* FdoDataValue::Create(FdoDataType dataType, FdoDataValue* src, bool nullIfIncompatible, bool shift,
                                   bool truncate) {
    if (dataType < FdoDataType_Boolean || dataType > FdoDataType_CLOB || !src) return Create(dataType);
    return Converter(dataType, src, nullIfIncompatible, shift, truncate).Run();
}
