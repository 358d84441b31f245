// One-literal reader: strings, numbers (with the Int32 -> Int64 -> Double
// rule for plain integers), hex and binary integers, TRUE/FALSE/NULL,
// DATE/TIME/TIMESTAMP literals and parameters. It follows the lexical rules
// of expression text so that every data value's ToString reads back.
#include "expression/LiteralParser.h"

#include <Fdo/Expression/DataValue.h>
#include <Fdo/Expression/Parameter.h>

#include "expression/LiteralText.h"

#include <cerrno>
#include <cwchar>
#include <cwctype>
#include <string>

namespace {

class LiteralParser {
public:
    explicit LiteralParser(FdoString* text) : m_text(text ? text : L""), m_p(m_text) {}

    FdoValueExpression* Parse() {
        SkipBlanks();
        if (!*m_p) Fail(L"no value");
        FdoPtr<FdoValueExpression> value = ParseValue();
        SkipBlanks();
        if (*m_p) Fail(L"unexpected text after the value");
        return value.Detach();
    }

private:
    [[noreturn]] void Fail(FdoString* why) {
        FdoPtr<FdoExpressionException> cause = FdoExpressionException::Create(FdoStringP::Format(
            L"Invalid value text '%ls': %ls at position %d.", m_text, why, static_cast<int>(m_p - m_text)));
        throw FdoExpressionException::Create(L"String does not represent a valid expression.", cause);
    }

    void SkipBlanks() {
        while (iswspace(static_cast<wint_t>(*m_p))) m_p++;
    }

    static bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

    FdoValueExpression* ParseValue() {
        wchar_t c = *m_p;
        if (c == L'\'') return FdoStringValue::Create(ReadQuoted());
        if (c == L':') return ParseParameter();
        if (IsDigit(c) || c == L'+' || c == L'-' || (c == L'.' && IsDigit(m_p[1]))) return ParseNumber();
        if (FdoLiteralText::IsIdentifierStart(c)) return ParseWord();
        Fail(L"a value cannot start here");
    }

    // '...' with '' for a quote; the cursor is on the opening quote.
    FdoStringP ReadQuoted() {
        std::wstring s;
        for (m_p++;; m_p++) {
            if (!*m_p) Fail(L"unterminated string");
            if (*m_p == L'\'') {
                if (m_p[1] != L'\'') break;
                m_p++;
            }
            s += *m_p;
        }
        m_p++;
        return FdoStringP(s);
    }

    FdoValueExpression* ParseParameter() {
        m_p++;
        if (*m_p == L'\'') return FdoParameter::Create(ReadQuoted());
        if (!FdoLiteralText::IsIdentifierStart(*m_p)) Fail(L"a parameter name must follow ':'");
        FdoString* start = m_p;
        while (FdoLiteralText::IsIdentifierChar(*m_p)) m_p++;
        return FdoParameter::Create(std::wstring(start, m_p).c_str());
    }

    FdoValueExpression* ParseNumber() {
        FdoString* start = m_p;
        bool negative = *m_p == L'-';
        if (*m_p == L'+' || *m_p == L'-') m_p++;
        if (m_p[0] == L'0' && (m_p[1] == L'x' || m_p[1] == L'X')) {
            m_p += 2;
            FdoInt64 v = ReadRadix(16, [this] { return iswxdigit(static_cast<wint_t>(*m_p)) != 0; });
            EndOfNumber();
            return FdoInt64Value::Create(negative ? -v : v);
        }
        bool real = false;
        FdoString* digits = m_p;
        while (IsDigit(*m_p)) m_p++;
        if (*m_p == L'.') {
            real = true;
            m_p++;
            while (IsDigit(*m_p)) m_p++;
        }
        if (m_p == digits || (m_p == digits + 1 && *digits == L'.')) Fail(L"digits expected");
        if (*m_p == L'e' || *m_p == L'E') {
            real = true;
            m_p++;
            if (*m_p == L'+' || *m_p == L'-') m_p++;
            if (!IsDigit(*m_p)) Fail(L"exponent digits expected");
            while (IsDigit(*m_p)) m_p++;
        }
        EndOfNumber();
        std::wstring text(start, m_p);
        if (!real) {
            errno = 0;
            long long v = wcstoll(text.c_str(), nullptr, 10);
            if (errno == 0) {
                if (v >= INT32_MIN && v <= INT32_MAX) return FdoInt32Value::Create(static_cast<FdoInt32>(v));
                return FdoInt64Value::Create(static_cast<FdoInt64>(v));
            }
        }
        return FdoDoubleValue::Create(wcstod(text.c_str(), nullptr));
    }

    void EndOfNumber() {
        if (FdoLiteralText::IsIdentifierChar(*m_p) || *m_p == L'.') Fail(L"invalid character in number");
    }

    // Digits of the given radix, at most 32 bits of value.
    template <class IsRadixDigit>
    FdoInt64 ReadRadix(int radix, IsRadixDigit isDigit) {
        FdoString* start = m_p;
        FdoInt64 v = 0;
        while (isDigit()) {
            int d = IsDigit(*m_p) ? *m_p - L'0' : (towupper(static_cast<wint_t>(*m_p)) - L'A' + 10);
            v = v * radix + d;
            if (v > 0xFFFFFFFFLL) Fail(L"integer literal longer than 32 bits");
            m_p++;
        }
        if (m_p == start) Fail(L"digits expected");
        return v;
    }

    FdoValueExpression* ParseWord() {
        // X'1F' and B'0101' integer literals.
        if ((*m_p == L'X' || *m_p == L'x' || *m_p == L'B' || *m_p == L'b') && m_p[1] == L'\'') {
            int radix = (*m_p == L'X' || *m_p == L'x') ? 16 : 2;
            m_p += 2;
            FdoInt64 v = ReadRadix(radix, [this, radix] {
                return radix == 16 ? iswxdigit(static_cast<wint_t>(*m_p)) != 0 : (*m_p == L'0' || *m_p == L'1');
            });
            if (*m_p != L'\'') Fail(L"closing quote expected");
            m_p++;
            return FdoInt64Value::Create(v);
        }
        FdoString* start = m_p;
        while (FdoLiteralText::IsIdentifierChar(*m_p)) m_p++;
        std::wstring word(start, m_p);
        if (wcscasecmp(word.c_str(), L"TRUE") == 0) return FdoBooleanValue::Create(true);
        if (wcscasecmp(word.c_str(), L"FALSE") == 0) return FdoBooleanValue::Create(false);
        if (wcscasecmp(word.c_str(), L"NULL") == 0) return FdoBooleanValue::Create();
        using Form = FdoLiteralText::DateTimeForm;
        if (wcscasecmp(word.c_str(), L"DATE") == 0) return ParseDateTime(Form::Date);
        if (wcscasecmp(word.c_str(), L"TIME") == 0) return ParseDateTime(Form::Time);
        if (wcscasecmp(word.c_str(), L"TIMESTAMP") == 0) return ParseDateTime(Form::Timestamp);
        m_p = start;
        Fail(L"not a literal value");
    }

    FdoValueExpression* ParseDateTime(FdoLiteralText::DateTimeForm form) {
        SkipBlanks();
        if (*m_p != L'\'') Fail(L"quoted date/time text expected");
        FdoString* start = m_p;
        FdoStringP text = ReadQuoted();
        FdoDateTime dt;
        if (!FdoLiteralText::ParseDateTime(text, form, dt)) {
            m_p = start;
            Fail(L"invalid date/time text");
        }
        return FdoDateTimeValue::Create(dt);
    }

    FdoString* m_text;
    FdoString* m_p;
};

}  // namespace

FdoValueExpression* FdoParseLiteralValue(FdoString* text) { return LiteralParser(text).Parse(); }
