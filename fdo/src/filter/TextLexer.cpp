// Lexical rules: blanks (tabs, CR/LF too) separate tokens; keywords are
// case-insensitive; identifiers are letters, digits and '_' starting with a
// letter, joined with '.', or "quoted" with "" for a quote; strings are
// '...' with '' for a quote; integers are Int32 when they fit, else Int64,
// else Double; 0x1F, X'1F' and B'0101' are Int64 of at most 32 bits;
// parameters are :name or :'text'.
#include "filter/TextLexer.h"

#include "expression/LiteralText.h"

#include <cerrno>
#include <cmath>
#include <cwctype>

namespace FdoFilterText {

namespace {

struct KeywordName {
    FdoString* name;
    Keyword keyword;
};

const KeywordName kKeywords[] = {
    {L"AND", Keyword::And}, {L"AS", Keyword::As}, {L"BETWEEN", Keyword::Between}, {L"BEYOND", Keyword::Beyond},
    {L"CONTAINS", Keyword::Contains}, {L"COVEREDBY", Keyword::CoveredBy}, {L"CROSSES", Keyword::Crosses},
    {L"DATE", Keyword::Date}, {L"DISJOINT", Keyword::Disjoint},
    {L"ENVELOPEINTERSECTS", Keyword::EnvelopeIntersects}, {L"EQUALS", Keyword::Equals},
    {L"FALSE", Keyword::False}, {L"GEOMFROMTEXT", Keyword::GeomFromText}, {L"IN", Keyword::In},
    {L"INSIDE", Keyword::Inside}, {L"INTERSECTS", Keyword::Intersects}, {L"JOIN", Keyword::Join},
    {L"JOINCROSS", Keyword::JoinCross}, {L"JOINFULLOUTER", Keyword::JoinFullOuter},
    {L"JOININNER", Keyword::JoinInner}, {L"JOINLEFTOUTER", Keyword::JoinLeftOuter},
    {L"JOINNONE", Keyword::JoinNone}, {L"JOINRIGHTOUTER", Keyword::JoinRightOuter}, {L"LIKE", Keyword::Like},
    {L"NOT", Keyword::Not}, {L"NULL", Keyword::Null}, {L"OR", Keyword::Or}, {L"OVERLAPS", Keyword::Overlaps},
    {L"RELATE", Keyword::Relate}, {L"SELECT", Keyword::Select}, {L"TIME", Keyword::Time},
    {L"TIMESTAMP", Keyword::Timestamp}, {L"TOUCHES", Keyword::Touches}, {L"TRUE", Keyword::True},
    {L"WITHIN", Keyword::Within}, {L"WITHINDISTANCE", Keyword::WithinDistance},
};

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
// Fixed, not the locale's: text must cut the same way in every process.
bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n' || c == L'\f' || c == L'\v'; }
bool IsHexDigit(wchar_t c) { return IsDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F'); }
int HexValue(wchar_t c) { return IsDigit(c) ? c - L'0' : (towupper(static_cast<wint_t>(c)) - L'A' + 10); }

class Lexer {
public:
    explicit Lexer(FdoString* text) : m_text(text ? text : L""), m_p(m_text) {}

    std::vector<Token> Run() {
        for (;;) {
            while (IsBlank(*m_p)) m_p++;
            Token t;
            t.pos = Offset();
            if (!*m_p) {
                m_tokens.push_back(t);
                return std::move(m_tokens);
            }
            Next(t);
            t.len = Offset() - t.pos;
            m_tokens.push_back(std::move(t));
        }
    }

private:
    size_t Offset() const { return static_cast<size_t>(m_p - m_text); }

    [[noreturn]] void Fail(size_t pos, const std::wstring& message) { throw LexError{pos, message}; }

    // True when the last token ends an operand, so that a sign after it is
    // an operator rather than part of a number.
    bool AfterOperand() const {
        if (m_tokens.empty()) return false;
        const Token& t = m_tokens.back();
        switch (t.kind) {
            case TokenKind::Identifier: case TokenKind::String: case TokenKind::Int32: case TokenKind::Int64:
            case TokenKind::Double: case TokenKind::Parameter: case TokenKind::RParen:
                return true;
            case TokenKind::Keyword:
                return t.keyword == Keyword::True || t.keyword == Keyword::False || t.keyword == Keyword::Null;
            default:
                return false;
        }
    }

    void Next(Token& t) {
        wchar_t c = *m_p;
        switch (c) {
            case L'(': m_p++; t.kind = TokenKind::LParen; return;
            case L')': m_p++; t.kind = TokenKind::RParen; return;
            case L',': m_p++; t.kind = TokenKind::Comma; return;
            case L'\'': t.kind = TokenKind::String; t.text = Quoted(L'\''); return;
            case L'"': t.kind = TokenKind::Identifier; t.text = QuotedIdentifier(t.lastPart); return;
            case L':': Parameter(t); return;
            default: break;
        }
        if (c == L'+' || c == L'-') {
            bool numberFollows = IsDigit(m_p[1]) || (m_p[1] == L'.' && IsDigit(m_p[2]));
            if (numberFollows && !AfterOperand()) return Number(t);
            m_p++;
            return Op(t, c == L'+' ? Operator::Plus : Operator::Minus);
        }
        if (IsDigit(c) || (c == L'.' && IsDigit(m_p[1]))) return Number(t);
        if (FdoLiteralText::IsIdentifierStart(c)) return Word(t);
        if (Operators(t)) return;
        Fail(Offset(), std::wstring(L"unexpected character '") + c + L"'");
    }

    void Op(Token& t, Operator op) {
        t.kind = TokenKind::Operator;
        t.op = op;
    }

    bool Operators(Token& t) {
        wchar_t c = m_p[0], n = m_p[1];
        auto take = [&](int count, Operator op) {
            m_p += count;
            Op(t, op);
            return true;
        };
        switch (c) {
            case L'=': return take(1, Operator::Eq);
            case L'<': return n == L'=' ? take(2, Operator::Le) : n == L'>' ? take(2, Operator::Ne) : take(1, Operator::Lt);
            case L'>': return n == L'=' ? take(2, Operator::Ge) : take(1, Operator::Gt);
            case L'!': if (n == L'=') return take(2, Operator::Ne); break;
            case L'*': return take(1, Operator::Star);
            case L'/': return take(1, Operator::Slash);
            case L'|': if (n == L'|') return take(2, Operator::Concat); break;
            default: break;
        }
        return false;
    }

    // Text between quote characters, a doubled quote standing for one; the
    // cursor is on the opening quote.
    std::wstring Quoted(wchar_t quote) {
        size_t start = Offset();
        std::wstring s;
        for (m_p++;; m_p++) {
            if (!*m_p) Fail(start, quote == L'"' ? L"unterminated quoted identifier" : L"unterminated string");
            if (*m_p == quote) {
                if (m_p[1] != quote) break;
                m_p++;
            }
            s += *m_p;
        }
        m_p++;
        return s;
    }

    std::wstring QuotedIdentifier(std::wstring& last) {
        size_t start = Offset();
        std::wstring s = Quoted(L'"');
        if (s.empty()) Fail(start, L"empty quoted identifier");
        last = s;
        return s + MoreParts(last);
    }

    // ".part" or ".\"part\"" continuations of an identifier; last receives
    // the final part as written, quoted dots and colons included.
    std::wstring MoreParts(std::wstring& last) {
        std::wstring s;
        while (*m_p == L'.' && (m_p[1] == L'"' || FdoLiteralText::IsIdentifierStart(m_p[1]))) {
            m_p++;
            s += L'.';
            if (*m_p == L'"') {
                size_t start = Offset();
                last = Quoted(L'"');
                if (last.empty()) Fail(start, L"empty quoted identifier");
            } else {
                last = PlainPart();
            }
            s += last;
        }
        return s;
    }

    std::wstring PlainPart() {
        FdoString* start = m_p;
        while (FdoLiteralText::IsIdentifierChar(*m_p)) m_p++;
        return std::wstring(start, m_p);
    }

    void Word(Token& t) {
        wchar_t c = *m_p;
        if ((c == L'X' || c == L'x' || c == L'B' || c == L'b') && m_p[1] == L'\'') return RadixString(t);
        std::wstring first = PlainPart();
        t.lastPart = first;
        std::wstring rest = MoreParts(t.lastPart);
        if (rest.empty()) {
            for (const KeywordName& k : kKeywords) {
                if (wcscasecmp(k.name, first.c_str()) == 0) {
                    t.kind = TokenKind::Keyword;
                    t.keyword = k.keyword;
                    t.text = first;
                    return;
                }
            }
        }
        t.kind = TokenKind::Identifier;
        t.text = first + rest;
    }

    void Parameter(Token& t) {
        size_t start = Offset();
        m_p++;
        t.kind = TokenKind::Parameter;
        if (*m_p == L'\'') {
            t.text = Quoted(L'\'');
        } else if (FdoLiteralText::IsIdentifierStart(*m_p)) {
            t.text = PlainPart();
        } else {
            Fail(start, L"a parameter name must follow ':'");
        }
    }

    // Digits of radix 16 or 2 worth at most 32 bits.
    FdoInt64 RadixDigits(int radix, size_t start) {
        FdoInt64 v = 0;
        FdoString* digits = m_p;
        while (radix == 16 ? IsHexDigit(*m_p) : (*m_p == L'0' || *m_p == L'1')) {
            v = v * radix + HexValue(*m_p++);
            if (v > 0xFFFFFFFFLL) Fail(start, L"integer literal longer than 32 bits");
        }
        if (m_p == digits) Fail(start, radix == 16 ? L"hexadecimal digits expected" : L"binary digits expected");
        return v;
    }

    void RadixString(Token& t) {
        size_t start = Offset();
        int radix = (*m_p == L'X' || *m_p == L'x') ? 16 : 2;
        m_p += 2;
        t.integer = RadixDigits(radix, start);
        if (*m_p != L'\'') Fail(start, L"closing quote of the integer literal expected");
        m_p++;
        t.kind = TokenKind::Int64;
    }

    void Number(Token& t) {
        size_t start = Offset();
        bool negative = *m_p == L'-';
        if (*m_p == L'+' || *m_p == L'-') m_p++;
        if (m_p[0] == L'0' && (m_p[1] == L'x' || m_p[1] == L'X')) {
            m_p += 2;
            FdoInt64 v = RadixDigits(16, start);
            t.kind = TokenKind::Int64;
            t.integer = negative ? -v : v;
            return;
        }
        bool real = false;
        while (IsDigit(*m_p)) m_p++;
        if (*m_p == L'.') {
            real = true;
            m_p++;
            while (IsDigit(*m_p)) m_p++;
        }
        if ((*m_p == L'e' || *m_p == L'E') &&
            (IsDigit(m_p[1]) || ((m_p[1] == L'+' || m_p[1] == L'-') && IsDigit(m_p[2])))) {
            real = true;
            m_p += 2;
            while (IsDigit(*m_p)) m_p++;
        }
        std::wstring text(m_text + start, m_p);
        if (!real) {
            errno = 0;
            long long v = wcstoll(text.c_str(), nullptr, 10);
            if (errno == 0) {
                bool small = v >= INT32_MIN && v <= INT32_MAX;
                t.kind = small ? TokenKind::Int32 : TokenKind::Int64;
                t.integer = v;
                return;
            }
        }
        t.kind = TokenKind::Double;
        t.real = wcstod(text.c_str(), nullptr);
        if (!std::isfinite(t.real)) Fail(start, L"number out of range");
    }

    FdoString* m_text;
    FdoString* m_p;
    std::vector<Token> m_tokens;
};

}  // namespace

std::vector<Token> Tokenize(FdoString* text) { return Lexer(text).Run(); }

}  // namespace FdoFilterText
