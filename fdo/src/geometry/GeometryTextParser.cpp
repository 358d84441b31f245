// Geometry text -> FGF bytes, by recursive descent over the grammar:
//
//   Geom  := POINT Dim '(' Pos ')' | LINESTRING Dim Ring | POLYGON Dim '(' Ring {',' Ring} ')'
//          | MULTIPOINT Dim '(' Pos {',' Pos} ')' | MULTILINESTRING Dim '(' Ring {',' Ring} ')'
//          | MULTIPOLYGON Dim '(' Poly {',' Poly} ')' | CURVESTRING Dim Curve
//          | CURVEPOLYGON Dim '(' Curve {',' Curve} ')' | MULTICURVESTRING Dim '(' Curve {',' Curve} ')'
//          | MULTICURVEPOLYGON Dim '(' '(' Curve {',' Curve} ')' {',' '(' Curve {',' Curve} ')'} ')'
//          | GEOMETRYCOLLECTION '(' Geom {',' Geom} ')'
//   Ring  := '(' Pos {',' Pos} ')'     Poly := '(' Ring {',' Ring} ')'
//   Curve := '(' Pos '(' Seg {',' Seg} ')' ')'
//   Seg   := CIRCULARARCSEGMENT '(' Pos ',' Pos ')' | LINESTRINGSEGMENT '(' Pos {',' Pos} ')'
//   Dim   := [XY | XYZ | XYM | XYZM]     Pos := num num [num [num]]
//
// Parsing straight to FGF means text gets the same checks and the same
// object construction as binary input. Errors quote the text and give the
// 1-based character position where parsing stopped.
#include "ByteCursor.h"
#include "GeometryImpl.h"

#include <charconv>
#include <cwctype>

namespace fdogeom {

namespace {

struct KeywordEntry {
    const wchar_t* name;
    FdoInt32 code;
};

constexpr FdoInt32 kArc = FdoGeometryComponentType_CircularArcSegment;
constexpr FdoInt32 kLineSegment = FdoGeometryComponentType_LineStringSegment;
constexpr FdoInt32 kDimBase = 1000;  // Dim keywords map to kDimBase + mask

const KeywordEntry kKeywords[] = {
    {L"POINT", FdoGeometryType_Point},
    {L"LINESTRING", FdoGeometryType_LineString},
    {L"POLYGON", FdoGeometryType_Polygon},
    {L"MULTIPOINT", FdoGeometryType_MultiPoint},
    {L"MULTILINESTRING", FdoGeometryType_MultiLineString},
    {L"MULTIPOLYGON", FdoGeometryType_MultiPolygon},
    {L"GEOMETRYCOLLECTION", FdoGeometryType_MultiGeometry},
    {L"CURVESTRING", FdoGeometryType_CurveString},
    {L"CURVEPOLYGON", FdoGeometryType_CurvePolygon},
    {L"MULTICURVESTRING", FdoGeometryType_MultiCurveString},
    {L"MULTICURVEPOLYGON", FdoGeometryType_MultiCurvePolygon},
    {L"CIRCULARARCSEGMENT", kArc},
    {L"LINESTRINGSEGMENT", kLineSegment},
    {L"XY", kDimBase + 0},
    {L"XYZ", kDimBase + 1},
    {L"XYM", kDimBase + 2},
    {L"XYZM", kDimBase + 3},
};

class TextParser {
public:
    TextParser(FdoString* text, Bytes& out) : m_text(text), m_out(out) {}

    void Run() {
        m_out.clear();
        Geometry(0);
        SkipBlanks();
        if (m_text[m_pos]) Fail(L"unexpected text after the geometry");
    }

private:
    [[noreturn]] void Fail(const std::wstring& what) const { Fail(what, m_pos); }
    [[noreturn]] void Fail(const std::wstring& what, size_t at) const {
        std::wstring text(m_text);
        std::wstring where = at >= text.size() ? L"at the end (position " + std::to_wstring(at + 1) + L")"
                                               : L"at position " + std::to_wstring(at + 1);
        constexpr size_t kQuoteLimit = 120;
        if (text.size() > kQuoteLimit) {
            size_t from = at > kQuoteLimit / 2 ? at - kQuoteLimit / 2 : 0;
            text = (from ? L"..." : L"") + text.substr(from, kQuoteLimit) +
                   (from + kQuoteLimit < text.size() ? L"..." : L"");
        }
        throw FdoException::Create(
            (L"Invalid geometry text '" + text + L"': " + what + L" " + where + L".").c_str());
    }

    void SkipBlanks() {
        while (m_text[m_pos] && std::iswspace(static_cast<wint_t>(m_text[m_pos]))) m_pos++;
    }

    void Expect(wchar_t c) {
        SkipBlanks();
        if (m_text[m_pos] != c) Fail(std::wstring(L"expected '") + c + L"'");
        m_pos++;
    }

    bool Accept(wchar_t c) {
        SkipBlanks();
        if (m_text[m_pos] != c) return false;
        m_pos++;
        return true;
    }

    static bool IsLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

    // The keyword code at the cursor, or -1 (cursor unchanged) if there is none.
    FdoInt32 PeekKeyword(size_t* length) {
        SkipBlanks();
        size_t n = 0;
        while (IsLetter(m_text[m_pos + n])) n++;
        *length = n;
        if (n == 0) return -1;
        for (const auto& k : kKeywords)
            if (wcslen(k.name) == n && wcsncasecmp(k.name, m_text + m_pos, n) == 0) return k.code;
        return -1;
    }

    FdoInt32 Keyword(FdoInt32 low, FdoInt32 high, const wchar_t* what) {
        size_t n;
        FdoInt32 code = PeekKeyword(&n);
        if (code < low || code > high) Fail(std::wstring(L"expected ") + what);
        m_pos += n;
        return code;
    }

    FdoInt32 Dim() {
        size_t n;
        FdoInt32 code = PeekKeyword(&n);
        if (code < kDimBase) {
            if (n) Fail(L"expected XY, XYZ, XYM, XYZM or '('");
            return FdoDimensionality_XY;
        }
        m_pos += n;
        return code - kDimBase;
    }

    bool AtNumber() {
        SkipBlanks();
        wchar_t c = m_text[m_pos];
        return (c >= L'0' && c <= L'9') || (c == L'-' && m_text[m_pos + 1] >= L'0' && m_text[m_pos + 1] <= L'9');
    }

    // num := ['-'] digits ['.' digits] [('e'|'E') ['+'|'-'] digits]
    double Number() {
        SkipBlanks();
        size_t start = m_pos, p = m_pos;
        auto digits = [&]() {
            size_t from = p;
            while (m_text[p] >= L'0' && m_text[p] <= L'9') p++;
            return p > from;
        };
        if (m_text[p] == L'-') p++;
        if (!digits()) Fail(L"expected a number", start);
        if (m_text[p] == L'.') {
            p++;
            if (!digits()) Fail(L"expected digits after the decimal point", p);
        }
        if (m_text[p] == L'e' || m_text[p] == L'E') {
            p++;
            if (m_text[p] == L'+' || m_text[p] == L'-') p++;
            if (!digits()) Fail(L"expected digits in the exponent", p);
        }
        std::string narrow(m_text + start, m_text + p);
        double v = 0;
        auto r = std::from_chars(narrow.data(), narrow.data() + narrow.size(), v);
        if (r.ec != std::errc() || r.ptr != narrow.data() + narrow.size()) Fail(L"number out of range", start);
        m_pos = p;
        return v;
    }

    // Two to four numbers; the dimensionality decides which are kept.
    void Position(FdoInt32 dim) {
        double v[4] = {0, 0, 0, 0};
        int n = 0;
        v[n++] = Number();
        v[n++] = Number();
        while (n < 4 && AtNumber()) v[n++] = Number();
        PutDouble(m_out, v[0]);
        PutDouble(m_out, v[1]);
        if (dim == FdoDimensionality_M) {
            PutDouble(m_out, v[2]);
            return;
        }
        if (dim & FdoDimensionality_Z) PutDouble(m_out, v[2]);
        if (dim & FdoDimensionality_M) PutDouble(m_out, v[3]);
    }

    // Pos {',' Pos}, preceded by its count.
    void Positions(FdoInt32 dim) {
        size_t countAt = m_out.size();
        PutInt32(m_out, 0);
        FdoInt32 n = 0;
        do {
            Position(dim);
            n++;
        } while (Accept(L','));
        PatchInt32(m_out, countAt, n);
    }

    void Ring(FdoInt32 dim) {
        Expect(L'(');
        Positions(dim);
        Expect(L')');
    }

    // '(' X {',' X} ')' with the count of X written first.
    template <class F>
    void List(F item) {
        Expect(L'(');
        size_t countAt = m_out.size();
        PutInt32(m_out, 0);
        FdoInt32 n = 0;
        do {
            item();
            n++;
        } while (Accept(L','));
        Expect(L')');
        PatchInt32(m_out, countAt, n);
    }

    void Curve(FdoInt32 dim) {
        Expect(L'(');
        Position(dim);
        List([&] {
            FdoInt32 kind = Keyword(kArc, kLineSegment, L"CIRCULARARCSEGMENT or LINESTRINGSEGMENT");
            PutInt32(m_out, kind);
            Expect(L'(');
            if (kind == kArc) {
                Position(dim);
                Expect(L',');
                Position(dim);
            } else {
                Positions(dim);
            }
            Expect(L')');
        });
        Expect(L')');
    }

    void Part(FdoInt32 type, FdoInt32 dim) {
        PutInt32(m_out, type);
        PutInt32(m_out, dim);
    }

    void Geometry(int depth) {
        if (depth >= kMaxNestingDepth) Fail(L"geometry nested too deeply");
        FdoInt32 type = Keyword(FdoGeometryType_Point, FdoGeometryType_MultiCurvePolygon, L"a geometry keyword");
        PutInt32(m_out, type);
        if (type == FdoGeometryType_MultiGeometry) {
            List([&] { Geometry(depth + 1); });
            return;
        }
        FdoInt32 dim = Dim();
        if (!IsFgfAggregate(type)) PutInt32(m_out, dim);
        switch (type) {
            case FdoGeometryType_Point:
                Expect(L'(');
                Position(dim);
                Expect(L')');
                return;
            case FdoGeometryType_LineString: Ring(dim); return;
            case FdoGeometryType_Polygon: List([&] { Ring(dim); }); return;
            case FdoGeometryType_CurveString: Curve(dim); return;
            case FdoGeometryType_CurvePolygon: List([&] { Curve(dim); }); return;
            case FdoGeometryType_MultiPoint:
                List([&] {
                    Part(FdoGeometryType_Point, dim);
                    Position(dim);
                });
                return;
            case FdoGeometryType_MultiLineString:
                List([&] {
                    Part(FdoGeometryType_LineString, dim);
                    Ring(dim);
                });
                return;
            case FdoGeometryType_MultiPolygon:
                List([&] {
                    Part(FdoGeometryType_Polygon, dim);
                    List([&] { Ring(dim); });
                });
                return;
            case FdoGeometryType_MultiCurveString:
                List([&] {
                    Part(FdoGeometryType_CurveString, dim);
                    Curve(dim);
                });
                return;
            case FdoGeometryType_MultiCurvePolygon:
                List([&] {
                    Part(FdoGeometryType_CurvePolygon, dim);
                    List([&] { Curve(dim); });
                });
                return;
            default: Fail(L"expected a geometry keyword");
        }
    }

    FdoString* m_text;
    size_t m_pos = 0;
    Bytes& m_out;
};

}  // namespace

void ParseText(FdoString* text, std::vector<FdoByte>& fgf) {
    if (!text) throw FdoException::Create(L"Invalid geometry text: the text is null.");
    TextParser(text, fgf).Run();
}

}  // namespace fdogeom
