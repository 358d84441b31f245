// Splitting SQL into tokens; see NorvTokenizer.h.
#include "NorvTokenizer.h"

#include <cctype>
#include <stdexcept>

namespace norvdb {

namespace {

bool IsWordStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool IsWordChar(unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c == '#' || c >= 0x80; }

[[noreturn]] void Unterminated(const char* what, size_t at) {
    throw std::invalid_argument(std::string("unterminated ") + what + " starting at character " +
                                std::to_string(at + 1));
}

}  // namespace

bool Token::Is(const char* keyword) const {
    if (kind != TokenKind::Word) return false;
    size_t i = 0;
    for (; keyword[i]; i++) {
        if (i >= text.size()) return false;
        if (std::toupper(static_cast<unsigned char>(text[i])) != keyword[i]) return false;
    }
    return i == text.size();
}

std::string Token::Name(bool upperCase) const {
    if (kind == TokenKind::QuotedName) {
        std::string inner = text.substr(1, text.size() - 2);
        if (text[0] == '"') {
            std::string out;
            for (size_t i = 0; i < inner.size(); i++) {
                out += inner[i];
                if (inner[i] == '"' && i + 1 < inner.size() && inner[i + 1] == '"') i++;
            }
            return out;
        }
        return inner;
    }
    if (!upperCase) return text;
    std::string out = text;
    for (auto& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::vector<Token> NorvTokenizer::Split(const std::string& s) {
    std::vector<Token> out;
    size_t i = 0, n = s.size();
    auto push = [&](TokenKind k, size_t from) { out.push_back({k, s.substr(from, i - from)}); };
    while (i < n) {
        size_t start = i;
        unsigned char c = static_cast<unsigned char>(s[i]);
        if (std::isspace(c)) {
            while (i < n && std::isspace(static_cast<unsigned char>(s[i]))) i++;
            push(TokenKind::Space, start);
        } else if (c == '-' && i + 1 < n && s[i + 1] == '-') {
            while (i < n && s[i] != '\n') i++;
            push(TokenKind::Comment, start);
        } else if (c == '/' && i + 1 < n && s[i + 1] == '*') {
            size_t end = s.find("*/", i + 2);
            if (end == std::string::npos) Unterminated("comment", start);
            i = end + 2;
            push(TokenKind::Comment, start);
        } else if (c == '\'') {
            i++;
            for (;;) {
                if (i >= n) Unterminated("string", start);
                if (s[i] == '\'') {
                    if (i + 1 < n && s[i + 1] == '\'') {
                        i += 2;
                        continue;
                    }
                    i++;
                    break;
                }
                i++;
            }
            push(TokenKind::String, start);
        } else if (c == '"') {
            i++;
            for (;;) {
                if (i >= n) Unterminated("quoted name", start);
                if (s[i] == '"') {
                    if (i + 1 < n && s[i + 1] == '"') {
                        i += 2;
                        continue;
                    }
                    i++;
                    break;
                }
                i++;
            }
            push(TokenKind::QuotedName, start);
        } else if (c == '[') {
            size_t end = s.find(']', i + 1);
            if (end == std::string::npos) Unterminated("quoted name", start);
            i = end + 1;
            push(TokenKind::QuotedName, start);
        } else if (std::isdigit(c) || (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(s[i + 1])))) {
            while (i < n && (std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '.')) i++;
            if (i < n && (s[i] == 'e' || s[i] == 'E')) {
                size_t j = i + 1;
                if (j < n && (s[j] == '+' || s[j] == '-')) j++;
                if (j < n && std::isdigit(static_cast<unsigned char>(s[j]))) {
                    i = j;
                    while (i < n && std::isdigit(static_cast<unsigned char>(s[i]))) i++;
                }
            }
            push(TokenKind::Number, start);
        } else if (IsWordStart(c)) {
            while (i < n && IsWordChar(static_cast<unsigned char>(s[i]))) i++;
            push(TokenKind::Word, start);
        } else if (c == ':' && i + 1 < n && IsWordChar(static_cast<unsigned char>(s[i + 1]))) {
            i++;
            while (i < n && IsWordChar(static_cast<unsigned char>(s[i]))) i++;
            push(TokenKind::Parameter, start);
        } else if (c == '?') {
            i++;
            push(TokenKind::Parameter, start);
        } else {
            static const char* pairs[] = {"<>", "<=", ">=", "!=", "||", "=="};
            bool two = false;
            if (i + 1 < n)
                for (const char* p : pairs)
                    if (s[i] == p[0] && s[i + 1] == p[1]) two = true;
            i += two ? 2 : 1;
            push(TokenKind::Punct, start);
        }
    }
    return out;
}

std::string NorvTokenizer::Join(const std::vector<Token>& tokens) {
    std::string out;
    for (auto& t : tokens) out += t.text;
    return out;
}

}  // namespace norvdb
