// The lexer of filter and expression text: the whole text is cut into
// tokens up front, so the parser can look ahead and back up freely.
#pragma once

#include <Fdo/Common/Std.h>

#include <string>
#include <vector>

namespace FdoFilterText {

enum class TokenKind { End, Identifier, String, Int32, Int64, Double, Parameter, Keyword, Operator, LParen, RParen, Comma };

enum class Keyword {
    And, As, Between, Beyond, Contains, CoveredBy, Crosses, Date, Disjoint, EnvelopeIntersects, Equals, False,
    GeomFromText, In, Inside, Intersects, Join, JoinCross, JoinFullOuter, JoinInner, JoinLeftOuter, JoinNone,
    JoinRightOuter, Like, Not, Null, Or, Overlaps, Relate, Select, Time, Timestamp, Touches, True, Within,
    WithinDistance
};

enum class Operator { Eq, Ne, Lt, Le, Gt, Ge, Plus, Minus, Star, Slash, Concat };

struct Token {
    TokenKind kind = TokenKind::End;
    size_t pos = 0;  // offset of the first character in the text
    size_t len = 0;
    std::wstring text;  // identifier, string or parameter text
    std::wstring lastPart;  // an identifier's last dotted part, as written
    Keyword keyword = Keyword::And;
    Operator op = Operator::Eq;
    FdoInt64 integer = 0;
    double real = 0.0;
};

// A lexical error: where and what.
struct LexError {
    size_t pos;
    std::wstring message;
};

// Cuts text into tokens ending with one End token; throws LexError.
// A '+' or '-' directly before a number is part of the number unless the
// token before it ends an operand (an identifier, a literal, a parameter
// or ')'), where it is the arithmetic operator.
std::vector<Token> Tokenize(FdoString* text);

}  // namespace FdoFilterText
