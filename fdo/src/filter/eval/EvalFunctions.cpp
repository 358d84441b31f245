// The functions a filter may call, looked up by name (any case) when the
// filter is prepared. The list is deliberately small:
//   Abs, Ceil, Floor, Sqrt (negative -> null), Round(x [, digits]) (half
//   away from zero), Lower, Upper, Trim (blanks at both ends), Length,
//   Substr(s, start [, length]) (start counts from 1), Concat(a, b, ...),
//   ToString(v), ToDouble(v), ToInt32(v) (text that is not a number, or a
//   number out of range, gives null), NullValue(a, b) (a unless null).
// A null argument gives null, except in NullValue.
#include "filter/eval/EvalNodes.h"

#include <cmath>
#include <cwctype>
#include <limits>

namespace FdoFilterEval {

namespace {

using Fn = void (*)(FdoString* name, std::vector<Value>& args, Value& out);

[[noreturn]] void ArgError(FdoString* fn, const Value& v) {
    throw FdoFilterException::Create(
        FdoStringP::Format(L"The function %ls cannot take a %ls value.", fn, KindName(v.kind)));
}

const Value& Number(FdoString* fn, const Value& v) {
    if (!v.IsNumber()) ArgError(fn, v);
    return v;
}

std::wstring_view Text(FdoString* fn, const Value& v) {
    if (v.kind != Kind::String) ArgError(fn, v);
    return v.Text();
}

double CeilOf(double x) { return std::ceil(x); }
double FloorOf(double x) { return std::floor(x); }
wint_t LowerOf(wint_t c) { return towlower(c); }
wint_t UpperOf(wint_t c) { return towupper(c); }

template <double (*F)(double)>
void Rounding(FdoString* fn, std::vector<Value>& a, Value& out) {
    const Value& v = Number(fn, a[0]);
    if (v.kind == Kind::Integer) return out.SetInteger(v.integer);
    out.SetReal(F(v.real));
}

void Abs(FdoString* fn, std::vector<Value>& a, Value& out) {
    const Value& v = Number(fn, a[0]);
    if (v.kind == Kind::Integer && v.integer != INT64_MIN) return out.SetInteger(v.integer < 0 ? -v.integer : v.integer);
    out.SetReal(std::fabs(v.AsReal()));
}

void Round(FdoString* fn, std::vector<Value>& a, Value& out) {
    const Value& v = Number(fn, a[0]);
    FdoInt64 digits = 0;
    if (a.size() > 1) {
        const Value& d = Number(fn, a[1]);
        digits = d.kind == Kind::Integer ? d.integer : static_cast<FdoInt64>(d.real);
    }
    if (v.kind == Kind::Integer && digits >= 0) return out.SetInteger(v.integer);
    if (digits > 300 || digits < -300) return out.SetReal(digits > 0 ? v.AsReal() : 0.0);
    double scale = std::pow(10.0, static_cast<double>(digits));
    out.SetReal(std::round(v.AsReal() * scale) / scale);
}

void Sqrt(FdoString* fn, std::vector<Value>& a, Value& out) {
    double x = Number(fn, a[0]).AsReal();
    if (x < 0) return out.SetNull();
    out.SetReal(std::sqrt(x));
}

template <wint_t (*F)(wint_t)>
void ChangeCase(FdoString* fn, std::vector<Value>& a, Value& out) {
    std::wstring s(Text(fn, a[0]));
    for (wchar_t& c : s) c = static_cast<wchar_t>(F(static_cast<wint_t>(c)));
    out.SetOwnedText(std::move(s));
}

void Trim(FdoString* fn, std::vector<Value>& a, Value& out) {
    std::wstring_view s = Text(fn, a[0]);
    size_t b = 0, e = s.size();
    while (b < e && iswspace(static_cast<wint_t>(s[b]))) b++;
    while (e > b && iswspace(static_cast<wint_t>(s[e - 1]))) e--;
    out.SetOwnedText(std::wstring(s.substr(b, e - b)));
}

void Length(FdoString* fn, std::vector<Value>& a, Value& out) { out.SetInteger(static_cast<FdoInt64>(Text(fn, a[0]).size())); }

FdoInt64 Integer(FdoString* fn, const Value& v) {
    const Value& n = Number(fn, v);
    return n.kind == Kind::Integer ? n.integer : static_cast<FdoInt64>(std::fmax(-1e18, std::fmin(1e18, n.real)));
}

void Substr(FdoString* fn, std::vector<Value>& a, Value& out) {
    std::wstring_view s = Text(fn, a[0]);
    FdoInt64 start = Integer(fn, a[1]);
    FdoInt64 size = static_cast<FdoInt64>(s.size());
    FdoInt64 length = a.size() > 2 ? Integer(fn, a[2]) : size;
    FdoInt64 from = start < 1 ? 0 : start - 1;
    if (from >= size || length <= 0) return out.SetOwnedText(std::wstring());
    out.SetOwnedText(std::wstring(s.substr(static_cast<size_t>(from), static_cast<size_t>(std::min(length, size - from)))));
}

void Concat(FdoString*, std::vector<Value>& a, Value& out) {
    std::wstring s;
    for (const Value& v : a) s += ValueText(v);
    out.SetOwnedText(std::move(s));
}

void ToString(FdoString*, std::vector<Value>& a, Value& out) { out.SetOwnedText(ValueText(a[0])); }

// The whole text (blanks around it allowed) as a number.
bool ParseReal(std::wstring_view text, double& out) {
    std::wstring s(text);
    wchar_t* end = nullptr;
    const wchar_t* p = s.c_str();
    while (iswspace(static_cast<wint_t>(*p))) p++;
    if (!*p || !(iswdigit(static_cast<wint_t>(*p)) || *p == L'-' || *p == L'+' || *p == L'.')) return false;
    out = wcstod(p, &end);
    while (end && iswspace(static_cast<wint_t>(*end))) end++;
    return end && !*end && std::isfinite(out);
}

bool AsReal(FdoString* fn, const Value& v, double& out) {
    if (v.IsNumber()) return out = v.AsReal(), true;
    if (v.kind == Kind::Boolean) return out = v.boolean ? 1.0 : 0.0, true;
    if (v.kind == Kind::String) return ParseReal(v.Text(), out);
    ArgError(fn, v);
}

void ToDouble(FdoString* fn, std::vector<Value>& a, Value& out) {
    double d;
    if (!AsReal(fn, a[0], d)) return out.SetNull();
    out.SetReal(d);
}

void ToInt32(FdoString* fn, std::vector<Value>& a, Value& out) {
    if (a[0].kind == Kind::Integer) {
        FdoInt64 i = a[0].integer;
        return i < INT32_MIN || i > INT32_MAX ? out.SetNull() : out.SetInteger(i);
    }
    double d;
    if (!AsReal(fn, a[0], d) || std::isnan(d)) return out.SetNull();
    d = std::trunc(d);
    if (d < INT32_MIN || d > INT32_MAX) return out.SetNull();
    out.SetInteger(static_cast<FdoInt64>(d));
}

void NullValue(FdoString*, std::vector<Value>& a, Value& out) { out = a[0].IsNull() ? a[1] : a[0]; }

struct Definition {
    FdoString* name;
    size_t minArgs, maxArgs;
    Fn fn;
    bool nullIn = false;  // receives null arguments itself
};

const Definition kFunctions[] = {
    {L"Abs", 1, 1, Abs},
    {L"Ceil", 1, 1, Rounding<CeilOf>},
    {L"Floor", 1, 1, Rounding<FloorOf>},
    {L"Round", 1, 2, Round},
    {L"Sqrt", 1, 1, Sqrt},
    {L"Lower", 1, 1, ChangeCase<LowerOf>},
    {L"Upper", 1, 1, ChangeCase<UpperOf>},
    {L"Trim", 1, 1, Trim},
    {L"Length", 1, 1, Length},
    {L"Substr", 2, 3, Substr},
    {L"Concat", 1, 64, Concat},
    {L"ToString", 1, 1, ToString},
    {L"ToDouble", 1, 1, ToDouble},
    {L"ToInt32", 1, 1, ToInt32},
    {L"NullValue", 2, 2, NullValue, true},
};

class Call : public ExprNode {
public:
    Call(const Definition& def, std::vector<ExprPtr> args)
        : m_def(def), m_args(std::move(args)), m_values(m_args.size()) {}

    void Eval(Row& row, Value& out) override {
        for (size_t i = 0; i < m_args.size(); i++) {
            m_args[i]->Eval(row, m_values[i]);
            if (m_values[i].IsNull() && !m_def.nullIn) return out.SetNull();
        }
        m_def.fn(m_def.name, m_values, out);
    }

private:
    const Definition& m_def;
    std::vector<ExprPtr> m_args;
    std::vector<Value> m_values;  // reused for every row
};

}  // namespace

ExprPtr MakeFunction(FdoString* name, std::vector<ExprPtr> args) {
    for (const Definition& def : kFunctions) {
        if (wcscasecmp(def.name, name ? name : L"") != 0) continue;
        if (args.size() < def.minArgs || args.size() > def.maxArgs)
            throw FdoFilterException::Create(
                def.minArgs == def.maxArgs
                    ? FdoStringP::Format(L"The function %ls takes %d argument%ls; %d given.", def.name,
                                         static_cast<int>(def.minArgs), def.minArgs == 1 ? L"" : L"s",
                                         static_cast<int>(args.size()))
                    : FdoStringP::Format(L"The function %ls takes %d to %d arguments; %d given.", def.name,
                                         static_cast<int>(def.minArgs), static_cast<int>(def.maxArgs),
                                         static_cast<int>(args.size())));
        return std::make_unique<Call>(def, std::move(args));
    }
    throw FdoFilterException::Create(
        FdoStringP::Format(L"The function '%ls' is not supported in filters.", name ? name : L""));
}

}  // namespace FdoFilterEval
