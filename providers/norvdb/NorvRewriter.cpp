// Rewriting dialect statements into SQLite's; see NorvRewriter.h.
//
// The statement is reduced to its significant tokens, each remembering
// whether white space preceded it; rewrites edit that list, and the text is
// joined again with single blanks where the input had any. Comments are
// dropped (they would otherwise end up inside rewritten constructs).
#include "NorvRewriter.h"

#include "NorvTokenizer.h"

#include <stdexcept>

namespace norvdb {

namespace {

struct Tok {
    Token t;
    bool spaceBefore = false;
};

using Toks = std::vector<Tok>;

Tok Make(TokenKind kind, const std::string& text, bool space = false) { return {{kind, text}, space}; }
Tok Word(const std::string& text, bool space = false) { return Make(TokenKind::Word, text, space); }
Tok Punct(const std::string& text) { return Make(TokenKind::Punct, text); }

std::string QuoteName(const std::string& name) {
    std::string out = "\"";
    for (char c : name) {
        out += c;
        if (c == '"') out += '"';
    }
    return out + "\"";
}

bool IsName(const Tok& t) { return t.t.kind == TokenKind::Word || t.t.kind == TokenKind::QuotedName; }

class Cursor {
public:
    Cursor(const Toks& toks, bool upper) : m_toks(toks), m_upper(upper) {}
    bool AtEnd() const { return m_i >= m_toks.size(); }
    const Tok* Peek(size_t ahead = 0) const { return m_i + ahead < m_toks.size() ? &m_toks[m_i + ahead] : nullptr; }
    bool Accept(const char* keyword) {
        if (auto* t = Peek(); t && t->t.Is(keyword)) {
            m_i++;
            return true;
        }
        return false;
    }
    bool AcceptPunct(char c) {
        if (auto* t = Peek(); t && t->t.IsPunct(c)) {
            m_i++;
            return true;
        }
        return false;
    }
    void Expect(const char* keyword) {
        if (!Accept(keyword)) Fail(std::string("expected ") + keyword);
    }
    void ExpectPunct(char c) {
        if (!AcceptPunct(c)) Fail(std::string("expected '") + c + "'");
    }
    std::string Name() {
        auto* t = Peek();
        if (!t || !IsName(*t)) Fail("expected a name");
        m_i++;
        return t->t.Name(m_upper);
    }
    ObjectName Object() {
        ObjectName o;
        o.name = Name();
        if (AcceptPunct('.')) {
            o.owner = o.name;
            o.name = Name();
        }
        return o;
    }
    // A quoted string at the cursor, without its quotes.
    std::string String() {
        auto* t = Peek();
        if (!t || t->t.kind != TokenKind::String) Fail("expected a quoted text");
        m_i++;
        std::string raw = t->t.text.substr(1, t->t.text.size() - 2), text;
        for (size_t i = 0; i < raw.size(); i++) {
            text += raw[i];
            if (raw[i] == '\'' && i + 1 < raw.size() && raw[i + 1] == '\'') i++;
        }
        return text;
    }
    std::vector<std::string> NameList() {
        std::vector<std::string> names;
        ExpectPunct('(');
        do names.push_back(Name());
        while (AcceptPunct(','));
        ExpectPunct(')');
        return names;
    }
    [[noreturn]] void Fail(const std::string& what) const {
        std::string near = AtEnd() ? "the end of the statement" : "'" + m_toks[m_i].t.text + "'";
        throw std::invalid_argument(what + " near " + near);
    }

private:
    const Toks& m_toks;
    bool m_upper;
    size_t m_i = 0;
};

// Index, rebuild, drop-index and key statements. Returns false for any
// other statement.
bool Describe(const Toks& toks, bool upper, NorvStatement& st) {
    Cursor c(toks, upper);
    if (c.Accept("CREATE")) {
        bool unique = c.Accept("UNIQUE");
        if (!c.Accept("INDEX")) return false;
        st.kind = StatementKind::CreateIndex;
        st.unique = unique;
        st.object = c.Object();
        c.Expect("ON");
        st.table = c.Object();
        st.columns = c.NameList();
        if (c.Accept("INDEXTYPE")) {
            c.Expect("IS");
            ObjectName type = c.Object();
            std::string upperType = Token{TokenKind::Word, type.name}.Name(true);
            if (upperType != "SPATIAL_INDEX") c.Fail("unknown index type " + type.name);
            st.spatial = true;
        }
    } else if (c.Accept("ALTER")) {
        if (c.Accept("INDEX")) {
            st.kind = StatementKind::RebuildIndex;
            st.object = c.Object();
            c.Expect("REBUILD");
        } else {
            if (c.Accept("VIEW")) st.onView = true;
            else if (!c.Accept("TABLE")) return false;
            st.table = c.Object();
            if (c.Accept("DROP")) {
                if (!c.Accept("PRIMARY")) return false;
                c.Expect("KEY");
                st.kind = StatementKind::DropPrimaryKey;
            } else if (c.Accept("ADD")) {
                if (!c.Accept("CONSTRAINT")) return false;
                st.constraintName = c.Name();
                if (!c.Accept("PRIMARY")) return false;
                c.Expect("KEY");
                st.kind = StatementKind::AddPrimaryKey;
                st.columns = c.NameList();
                if (c.Accept("DISABLE")) st.disabled = true;
                else c.Accept("ENABLE");
                c.Accept("NOVALIDATE");
                c.Accept("VALIDATE");
            } else {
                return false;
            }
            st.object = st.table;
        }
    } else if (c.Accept("DROP")) {
        if (!c.Accept("INDEX")) return false;
        st.kind = StatementKind::DropIndex;
        st.object = c.Object();
        c.Accept("FORCE");
    } else {
        return false;
    }
    // Index statements may end with PARAMETERS ('...').
    if (c.Accept("PARAMETERS")) {
        c.ExpectPunct('(');
        st.parameters = c.String();
        c.ExpectPunct(')');
    }
    if (!c.AtEnd()) c.Fail("unexpected text");
    return true;
}

bool IsCharType(const Tok& t) {
    for (const char* k : {"VARCHAR2", "VARCHAR", "NVARCHAR2", "NVARCHAR", "CHAR", "NCHAR", "RAW"})
        if (t.t.Is(k)) return true;
    return false;
}

size_t MatchingParen(const Toks& t, size_t open) {
    int depth = 0;
    for (size_t i = open; i < t.size(); i++) {
        if (t[i].t.IsPunct('(')) depth++;
        else if (t[i].t.IsPunct(')') && --depth == 0) return i;
    }
    throw std::invalid_argument("missing right parenthesis");
}

void RewriteGeneral(Toks& t) {
    for (size_t i = 0; i < t.size(); i++) {
        // :1<char(4000)>  ->  :1
        if (t[i].t.kind == TokenKind::Parameter && i + 1 < t.size() && t[i + 1].t.IsPunct('<')) {
            size_t j = i + 2;
            while (j < t.size() && !(t[j].t.kind == TokenKind::Punct && t[j].t.text == ">")) j++;
            if (j < t.size()) t.erase(t.begin() + static_cast<long>(i + 1), t.begin() + static_cast<long>(j + 1));
            continue;
        }
        // MDSYS.X -> X
        if (t[i].t.Is("MDSYS") && i + 2 < t.size() && t[i + 1].t.IsPunct('.') && IsName(t[i + 2])) {
            bool space = t[i].spaceBefore;
            t.erase(t.begin() + static_cast<long>(i), t.begin() + static_cast<long>(i + 2));
            t[i].spaceBefore = space;
            continue;
        }
        // a.b.SDO_SRID -> NORV_SDO_SRID(a.b)
        if (IsName(t[i]) && i + 4 < t.size() && t[i + 1].t.IsPunct('.') && IsName(t[i + 2]) &&
            t[i + 3].t.IsPunct('.') && (t[i + 4].t.Is("SDO_SRID") || t[i + 4].t.Is("SDO_GTYPE"))) {
            std::string fn = t[i + 4].t.Is("SDO_SRID") ? "NORV_SDO_SRID" : "NORV_SDO_GTYPE";
            Toks repl = {Word(fn, t[i].spaceBefore), Punct("("), t[i], t[i + 1], t[i + 2], Punct(")")};
            repl[2].spaceBefore = false;
            t.erase(t.begin() + static_cast<long>(i), t.begin() + static_cast<long>(i + 5));
            t.insert(t.begin() + static_cast<long>(i), repl.begin(), repl.end());
            i += repl.size() - 1;
            continue;
        }
        // TABLE(<query>) as a row source
        if (t[i].t.Is("TABLE") && i + 1 < t.size() && t[i + 1].t.IsPunct('(') &&
            (i == 0 || !(t[i - 1].t.Is("CREATE") || t[i - 1].t.Is("DROP") || t[i - 1].t.Is("ALTER") ||
                         t[i - 1].t.Is("TRUNCATE") || t[i - 1].t.Is("GLOBAL") || t[i - 1].t.Is("TEMPORARY")))) {
            size_t close = MatchingParen(t, i + 1);
            t[i].t.text = "NORV_DIM_ELEMENTS";
            t.insert(t.begin() + static_cast<long>(close), Punct(")"));
            t.insert(t.begin() + static_cast<long>(i + 2), Punct("("));
            continue;
        }
        if (t[i].t.Is("MINUS")) {
            t[i].t.text = "EXCEPT";
            continue;
        }
        // DELETE t WHERE -> DELETE FROM t WHERE
        if (t[i].t.Is("DELETE") && i + 1 < t.size() && !t[i + 1].t.Is("FROM") && IsName(t[i + 1])) {
            t.insert(t.begin() + static_cast<long>(i + 1), Word("FROM", true));
            continue;
        }
        // VARCHAR2(n BYTE) -> VARCHAR2(n)
        if (IsCharType(t[i]) && i + 4 < t.size() && t[i + 1].t.IsPunct('(') &&
            t[i + 2].t.kind == TokenKind::Number && (t[i + 3].t.Is("BYTE") || t[i + 3].t.Is("CHAR")) &&
            t[i + 4].t.IsPunct(')')) {
            t.erase(t.begin() + static_cast<long>(i + 3));
            continue;
        }
        // NUMBER(*,s) -> NUMBER(38,s)
        if (t[i].t.Is("NUMBER") && i + 2 < t.size() && t[i + 1].t.IsPunct('(') && t[i + 2].t.IsPunct('*')) {
            t[i + 2].t = {TokenKind::Number, "38"};
            continue;
        }
    }
}

// Column definitions of CREATE TABLE: IDENTITY goes (an INTEGER PRIMARY KEY
// numbers itself), character columns get a check of their width.
void RewriteCreateTable(Toks& t, size_t listOpen) {
    size_t close = MatchingParen(t, listOpen);
    bool atStart = true;
    int depth = 0;
    for (size_t i = listOpen + 1; i < close; i++) {
        if (t[i].t.IsPunct('(')) depth++;
        else if (t[i].t.IsPunct(')')) depth--;
        else if (depth == 0 && t[i].t.IsPunct(',')) {
            atStart = true;
            continue;
        }
        if (t[i].t.Is("IDENTITY")) {
            size_t end = i + 1;
            if (end < close && t[end].t.IsPunct('(')) end = MatchingParen(t, end) + 1;
            close -= end - i;
            t.erase(t.begin() + static_cast<long>(i), t.begin() + static_cast<long>(end));
            i--;
            continue;
        }
        if (depth == 0 && atStart) {
            atStart = false;
            if (!IsName(t[i])) continue;
            for (const char* k : {"CONSTRAINT", "PRIMARY", "UNIQUE", "CHECK", "FOREIGN"})
                if (t[i].t.Is(k)) goto next;
            if (i + 4 < close && IsCharType(t[i + 1]) && t[i + 2].t.IsPunct('(') &&
                t[i + 3].t.kind == TokenKind::Number && t[i + 4].t.IsPunct(')')) {
                std::string column = t[i].t.kind == TokenKind::QuotedName ? t[i].t.text : t[i].t.text;
                Toks check = {Word("CHECK", true), Punct("("), Word("LENGTH"), Punct("("), Word(column),
                              Punct(")"), Punct("<="), Make(TokenKind::Number, t[i + 3].t.text), Punct(")")};
                check[1].spaceBefore = false;
                t.insert(t.begin() + static_cast<long>(i + 5), check.begin(), check.end());
                close += check.size();
                i += 4 + check.size();
            }
        next:;
        }
    }
}

}  // namespace

NorvStatement NorvRewriter::Rewrite(const std::string& sql, const RewriteOptions& options) {
    Toks toks;
    bool space = false;
    for (auto& tok : NorvTokenizer::Split(sql)) {
        if (!tok.IsSignificant()) {
            space = true;
            continue;
        }
        toks.push_back({tok, space});
        space = false;
    }
    // A trailing semicolon is common in pasted SQL.
    while (!toks.empty() && toks.back().t.IsPunct(';')) toks.pop_back();
    if (toks.empty()) throw std::invalid_argument("the statement is empty");
    // One statement per command: a second one is refused, never run.
    for (auto& tk : toks)
        if (tk.t.IsPunct(';')) throw std::invalid_argument("invalid character ';': one statement per command");

    NorvStatement described;
    if (Describe(toks, options.upperCaseNames, described)) return described;
    NorvStatement st;

    RewriteGeneral(toks);
    if (options.upperCaseNames)
        for (auto& tk : toks)
            if (tk.t.kind == TokenKind::Word) tk.t.text = tk.t.Name(true);

    auto qualify = [&](size_t at) {
        // toks[at] starts the object name; qualify it when it is bare.
        if (at >= toks.size() || !IsName(toks[at])) throw std::invalid_argument("expected a name after the keyword");
        bool qualified = at + 2 < toks.size() && toks[at + 1].t.IsPunct('.');
        if (qualified) {
            st.object.owner = toks[at].t.Name(options.upperCaseNames);
            st.object.name = toks[at + 2].t.Name(options.upperCaseNames);
            return;
        }
        st.object.name = toks[at].t.Name(options.upperCaseNames);
        if (options.defaultOwner.empty()) return;
        st.object.owner = options.defaultOwner;
        Tok owner = Make(TokenKind::QuotedName, QuoteName(options.defaultOwner), toks[at].spaceBefore);
        toks[at].spaceBefore = false;
        toks.insert(toks.begin() + static_cast<long>(at), Punct("."));
        toks.insert(toks.begin() + static_cast<long>(at), owner);
    };

    const Tok& first = toks[0];
    if (first.t.Is("SELECT") || first.t.Is("WITH") || first.t.Is("PRAGMA") || first.t.Is("VALUES")) {
        st.returnsRows = true;
    } else if (first.t.Is("CREATE")) {
        size_t i = 1;
        if (i + 1 < toks.size() && toks[i].t.Is("OR") && toks[i + 1].t.Is("REPLACE")) {
            st.replace = true;
            toks.erase(toks.begin() + 1, toks.begin() + 3);
        }
        if (i < toks.size() && (toks[i].t.Is("GLOBAL") || toks[i].t.Is("TEMPORARY"))) {
            // left to SQLite as it stands
        } else if (i < toks.size() && toks[i].t.Is("TABLE")) {
            st.kind = StatementKind::CreateTable;
            qualify(i + 1);
            for (size_t k = i + 1; k < toks.size(); k++)
                if (toks[k].t.IsPunct('(')) {
                    RewriteCreateTable(toks, k);
                    break;
                } else if (toks[k].t.Is("AS")) {
                    break;
                }
        } else if (i < toks.size() && toks[i].t.Is("VIEW")) {
            st.kind = StatementKind::CreateView;
            qualify(i + 1);
        }
    } else if (first.t.Is("DROP") && toks.size() > 1 && (toks[1].t.Is("TABLE") || toks[1].t.Is("VIEW"))) {
        st.kind = toks[1].t.Is("TABLE") ? StatementKind::DropTable : StatementKind::DropView;
        qualify(2);
        while (!toks.empty() && (toks.back().t.Is("PURGE") || toks.back().t.Is("CONSTRAINTS") ||
                                 toks.back().t.Is("CASCADE")))
            toks.pop_back();
    }

    std::string out;
    for (auto& tk : toks) {
        if (tk.spaceBefore && !out.empty()) out += ' ';
        out += tk.t.text;
    }
    st.sql = out;
    return st;
}

}  // namespace norvdb
