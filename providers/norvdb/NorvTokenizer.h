// NorvTokenizer: splits SQL text into tokens, keeping every character.
//
// The dialect rewriter works on these tokens instead of on the raw text, so
// that a quoted string or a quoted name is one token that nothing ever
// looks inside: a value such as 'a MINUS b' or 'x; DROP TABLE t' stays data.
// Joining the texts of all tokens gives back the input exactly.
#pragma once

#include <Fdo/Common/Std.h>

#include <string>
#include <vector>

namespace norvdb {

enum class TokenKind {
    Word,         // identifier or keyword, unquoted
    QuotedName,   // "name" or [name]
    String,       // 'text' with '' inside
    Number,       // 12, 1.5, 1e-3
    Parameter,    // :1, :name, ?
    Punct,        // one operator or punctuation mark (<>, <=, >=, !=, || are one)
    Space,        // white space
    Comment,      // -- to end of line, or /* ... */
};

struct Token {
    TokenKind kind;
    std::string text;

    bool IsSignificant() const { return kind != TokenKind::Space && kind != TokenKind::Comment; }
    // Case-insensitive comparison of a Word with an upper-case keyword.
    bool Is(const char* upperKeyword) const;
    bool IsPunct(char c) const { return kind == TokenKind::Punct && text.size() == 1 && text[0] == c; }
    // The name a Word or QuotedName stands for: a Word upper-cased when
    // upperCase is set, a quoted name without its quotes.
    std::string Name(bool upperCase) const;
};

class NorvTokenizer {
public:
    // Throws std::invalid_argument for an unterminated string, quoted name
    // or comment; the message names the place.
    static std::vector<Token> Split(const std::string& sql);
    static std::string Join(const std::vector<Token>& tokens);
};

}  // namespace norvdb
