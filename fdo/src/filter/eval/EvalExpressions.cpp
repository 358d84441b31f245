// Reading property values from the reader, constants, arithmetic and
// ordering of evaluation values.
//
// Arithmetic: integers stay integers while the result fits (else it is a
// double); any double operand makes a double; division always gives a
// double, and division by zero gives null, as does any null operand. Add
// on two strings concatenates.
#include "filter/eval/EvalNodes.h"

#include "expression/LiteralText.h"

#include <cmath>

namespace FdoFilterEval {

FdoString* KindName(Kind kind) {
    switch (kind) {
        case Kind::Null: return L"null";
        case Kind::Boolean: return L"Boolean";
        case Kind::Integer: return L"integer";
        case Kind::Real: return L"floating point";
        case Kind::String: return L"String";
        case Kind::DateTime: return L"DateTime";
        case Kind::Geometry: return L"geometry";
        case Kind::Bytes: return L"BLOB";
    }
    return L"unknown";
}

void Row::Read(size_t i, Value& out) {
    Slot& s = (*slots)[i];
    FdoInt32 at = s.index;
    if (reader->IsNull(at)) return out.SetNull();
    if (s.isGeometry) {
        if (featureReader) {
            FdoInt32 count = 0;
            const FdoByte* bytes = featureReader->GetGeometry(at, &count);
            return out.SetBytes(Kind::Geometry, bytes, count, nullptr);
        }
        FdoPtr<FdoByteArray> bytes = reader->GetGeometry(at);
        return out.SetBytes(Kind::Geometry, bytes->GetData(), bytes->GetCount(), bytes);
    }
    switch (s.type) {
        case FdoDataType_Boolean: return out.SetBoolean(reader->GetBoolean(at));
        case FdoDataType_Byte: return out.SetInteger(reader->GetByte(at));
        case FdoDataType_Int16: return out.SetInteger(reader->GetInt16(at));
        case FdoDataType_Int32: return out.SetInteger(reader->GetInt32(at));
        case FdoDataType_Int64: return out.SetInteger(reader->GetInt64(at));
        case FdoDataType_Single: return out.SetReal(reader->GetSingle(at));
        case FdoDataType_Double:
        case FdoDataType_Decimal: return out.SetReal(reader->GetDouble(at));
        case FdoDataType_String: return out.SetBorrowedText(reader->GetString(at));
        case FdoDataType_DateTime: return out.SetDateTime(reader->GetDateTime(at));
        case FdoDataType_BLOB:
        case FdoDataType_CLOB: {
            FdoPtr<FdoLOBValue> lob = reader->GetLOB(at);
            FdoPtr<FdoByteArray> data = lob ? lob->GetData() : nullptr;
            if (!data) return out.SetNull();
            if (s.type == FdoDataType_BLOB) return out.SetBytes(Kind::Bytes, data->GetData(), data->GetCount(), data);
            std::string utf8(reinterpret_cast<const char*>(data->GetData()), static_cast<size_t>(data->GetCount()));
            return out.SetOwnedText(FdoStringP::Utf8ToUnicode(utf8.c_str()));
        }
    }
    out.SetNull();
}

namespace {

class Constant : public ExprNode {
public:
    explicit Constant(const Value& v) : m_value(v) {
        // Keep text and bytes here so that every row can borrow them.
        if (v.kind == Kind::String) {
            m_text = std::wstring(v.Text());
            m_value.owned.clear();
            m_value.SetBorrowedText(m_text);
        }
    }
    void Eval(Row&, Value& out) override { out = m_value; }

private:
    std::wstring m_text;
    Value m_value;
};

class Property : public ExprNode {
public:
    explicit Property(size_t slot) : m_slot(slot) {}
    void Eval(Row& row, Value& out) override { row.Read(m_slot, out); }

private:
    size_t m_slot;
};

[[noreturn]] void TypeError(FdoString* op, const Value& a, const Value& b) {
    throw FdoFilterException::Create(FdoStringP::Format(L"The operator '%ls' cannot be applied to %ls and %ls values.",
                                                        op, KindName(a.kind), KindName(b.kind)));
}

class Binary : public ExprNode {
public:
    Binary(FdoBinaryOperations op, ExprPtr l, ExprPtr r) : m_op(op), m_left(std::move(l)), m_right(std::move(r)) {}

    void Eval(Row& row, Value& out) override {
        m_left->Eval(row, out);
        m_right->Eval(row, m_r);
        if (out.IsNull() || m_r.IsNull()) return out.SetNull();
        if (m_op == FdoBinaryOperations_Add && out.kind == Kind::String && m_r.kind == Kind::String) {
            std::wstring s(out.Text());
            s.append(m_r.Text());
            return out.SetOwnedText(std::move(s));
        }
        static FdoString* const kSymbols[] = {L"+", L"-", L"*", L"/"};
        if (!out.IsNumber() || !m_r.IsNumber()) TypeError(kSymbols[m_op], out, m_r);
        if (m_op == FdoBinaryOperations_Divide) {
            double d = m_r.AsReal();
            return d == 0.0 ? out.SetNull() : out.SetReal(out.AsReal() / d);
        }
        if (out.kind == Kind::Integer && m_r.kind == Kind::Integer) {
            FdoInt64 a = out.integer, b = m_r.integer, r;
            bool overflow = m_op == FdoBinaryOperations_Add        ? __builtin_add_overflow(a, b, &r)
                            : m_op == FdoBinaryOperations_Subtract ? __builtin_sub_overflow(a, b, &r)
                                                                   : __builtin_mul_overflow(a, b, &r);
            if (!overflow) return out.SetInteger(r);
        }
        double a = out.AsReal(), b = m_r.AsReal();
        out.SetReal(m_op == FdoBinaryOperations_Add ? a + b : m_op == FdoBinaryOperations_Subtract ? a - b : a * b);
    }

private:
    FdoBinaryOperations m_op;
    ExprPtr m_left, m_right;
    Value m_r;  // the right operand, kept to reuse its buffers
};

class Negate : public ExprNode {
public:
    explicit Negate(ExprPtr e) : m_operand(std::move(e)) {}
    void Eval(Row& row, Value& out) override {
        m_operand->Eval(row, out);
        if (out.IsNull()) return;
        if (out.kind == Kind::Integer && out.integer != INT64_MIN) return out.SetInteger(-out.integer);
        if (out.IsNumber()) return out.SetReal(-out.AsReal());
        throw FdoFilterException::Create(
            FdoStringP::Format(L"A %ls value cannot be negated.", KindName(out.kind)));
    }

private:
    ExprPtr m_operand;
};

template <class T>
int Order(T a, T b) {
    return a < b ? -1 : b < a ? 1 : 0;
}

}  // namespace

ExprPtr MakeConstant(const Value& value) { return std::make_unique<Constant>(value); }
ExprPtr MakeProperty(size_t slot) { return std::make_unique<Property>(slot); }
ExprPtr MakeBinary(FdoBinaryOperations op, ExprPtr l, ExprPtr r) {
    return std::make_unique<Binary>(op, std::move(l), std::move(r));
}
ExprPtr MakeNegate(ExprPtr e) { return std::make_unique<Negate>(std::move(e)); }

bool Compare(const Value& a, const Value& b, int& order) {
    if (a.kind == Kind::Integer && b.kind == Kind::Integer) {
        order = Order(a.integer, b.integer);
        return true;
    }
    if (a.IsNumber() && b.IsNumber()) {
        // long double holds every Int64 exactly, so mixed comparisons are exact.
        long double x = a.kind == Kind::Integer ? static_cast<long double>(a.integer) : a.real;
        long double y = b.kind == Kind::Integer ? static_cast<long double>(b.integer) : b.real;
        if (std::isnan(x) || std::isnan(y)) return false;
        order = Order(x, y);
        return true;
    }
    if (a.kind != b.kind) return false;
    switch (a.kind) {
        case Kind::Boolean: order = Order(a.boolean, b.boolean); return true;
        case Kind::String: order = a.Text().compare(b.Text()); return true;
        case Kind::DateTime: {
            // A date without a time is its midnight.
            const FdoDateTime &x = a.dateTime, &y = b.dateTime;
            auto clock = [](FdoInt8 part) { return part < 0 ? 0 : part; };
            order = x.year != y.year                       ? Order(x.year, y.year)
                    : x.month != y.month                   ? Order(x.month, y.month)
                    : x.day != y.day                       ? Order(x.day, y.day)
                    : clock(x.hour) != clock(y.hour)       ? Order(clock(x.hour), clock(y.hour))
                    : clock(x.minute) != clock(y.minute)   ? Order(clock(x.minute), clock(y.minute))
                                                           : Order(x.seconds, y.seconds);
            return true;
        }
        default: return false;
    }
}

std::wstring ValueText(const Value& v) {
    switch (v.kind) {
        case Kind::Boolean: return v.boolean ? L"TRUE" : L"FALSE";
        case Kind::Integer: return std::to_wstring(v.integer);
        case Kind::Real: return FdoLiteralText::FormatNumber(v.real, 15).Str();
        case Kind::String: return std::wstring(v.Text());
        case Kind::DateTime: return FdoLiteralText::FormatDateTime(v.dateTime).Str();
        default:
            throw FdoFilterException::Create(
                FdoStringP::Format(L"A %ls value cannot be converted to a string.", KindName(v.kind)));
    }
}

}  // namespace FdoFilterEval
