#include "engine/StatementTokenizer.h"

#include <cctype>

namespace ifxsim {

namespace {

bool isWordStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool isWordChar(unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80; }

// Two-character operators the dialect knows; everything else is one character.
bool isTwoCharSymbol(char a, char b) {
    static const char* const pairs[] = {"<=", ">=", "<>", "!=", "||", "::", "=="};
    for (const char* p : pairs)
        if (p[0] == a && p[1] == b) return true;
    return false;
}

}  // namespace

bool Token::is(std::string_view keyword) const {
    return kind == TokenKind::Word && equalsNoCase(text, keyword);
}

std::string toUpperAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

std::string toLowerAscii(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

namespace {

// A '{' right after SET, MULTISET or LIST opens a collection constructor
// unless the word is UPDATE's SET clause (a table name stands before it).
bool opensCollection(const std::vector<Token>& tokens) {
    if (tokens.empty() || tokens.back().kind != TokenKind::Word) return false;
    const Token& w = tokens.back();
    if (w.is("MULTISET") || w.is("LIST")) return true;
    if (!w.is("SET")) return false;
    if (tokens.size() < 2) return true;
    const Token& before = tokens[tokens.size() - 2];
    if (before.kind == TokenKind::Symbol) return !before.isSymbol(")");
    return before.kind == TokenKind::Word &&
           (before.is("IN") || before.is("VALUES") || before.is("SELECT") || before.is("THEN") ||
            before.is("ELSE") || before.is("RETURN") || before.is("DEFAULT"));
}

}  // namespace

std::vector<Token> StatementTokenizer::tokenize(std::string_view sql, std::optional<TokenizeError>* error) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    const std::size_t n = sql.size();
    auto fail = [&](int code, std::size_t at) {
        if (error) *error = TokenizeError{code, at};
        return tokens;
    };
    int braces = 0;  // collection constructors open at this point
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        if (std::isspace(c)) { ++i; continue; }
        if (c == '-' && i + 1 < n && sql[i + 1] == '-') {
            while (i < n && sql[i] != '\n') ++i;
            continue;
        }
        if (c == '{' && (braces > 0 || opensCollection(tokens))) {
            // SET{…}, MULTISET{…}, LIST{…}: a collection constructor, not a comment.
            ++braces;
            tokens.push_back(Token{TokenKind::Symbol, i, 1, "{", 0});
            ++i;
            continue;
        }
        if (c == '}' && braces > 0) {
            --braces;
            tokens.push_back(Token{TokenKind::Symbol, i, 1, "}", 0});
            ++i;
            continue;
        }
        if (c == '{') {
            const std::size_t close = sql.find('}', i + 1);
            if (close == std::string_view::npos) return fail(-201, i);
            i = close + 1;
            continue;
        }
        if (c == '/' && i + 1 < n && sql[i + 1] == '*') {
            const std::size_t close = sql.find("*/", i + 2);
            if (close == std::string_view::npos) return fail(-201, i);
            i = close + 2;
            continue;
        }
        Token t{};
        t.offset = i;
        if (c == '\'' || c == '"') {
            // A doubled quote inside the string stands for one quote character.
            std::string value;
            std::size_t j = i + 1;
            bool closed = false;
            while (j < n) {
                if (sql[j] == static_cast<char>(c)) {
                    if (j + 1 < n && sql[j + 1] == static_cast<char>(c)) { value += sql[j]; j += 2; continue; }
                    closed = true;
                    ++j;
                    break;
                }
                value += sql[j++];
            }
            if (!closed) return fail(-282, i);
            t.kind = TokenKind::String;
            t.quote = static_cast<char>(c);
            t.text = std::move(value);
            t.length = j - i;
            i = j;
        } else if (std::isdigit(c) || (c == '.' && i + 1 < n && std::isdigit(static_cast<unsigned char>(sql[i + 1])))) {
            std::size_t j = i;
            while (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) ++j;
            if (j < n && sql[j] == '.') {
                ++j;
                while (j < n && std::isdigit(static_cast<unsigned char>(sql[j]))) ++j;
            }
            if (j < n && (sql[j] == 'e' || sql[j] == 'E')) {
                std::size_t k = j + 1;
                if (k < n && (sql[k] == '+' || sql[k] == '-')) ++k;
                if (k < n && std::isdigit(static_cast<unsigned char>(sql[k]))) {
                    while (k < n && std::isdigit(static_cast<unsigned char>(sql[k]))) ++k;
                    j = k;
                }
            }
            t.kind = TokenKind::Number;
            t.text = std::string(sql.substr(i, j - i));
            t.length = j - i;
            i = j;
        } else if (isWordStart(c)) {
            std::size_t j = i + 1;
            while (j < n && isWordChar(static_cast<unsigned char>(sql[j]))) ++j;
            t.kind = TokenKind::Word;
            t.text = std::string(sql.substr(i, j - i));
            t.length = j - i;
            i = j;
        } else if (c == '?') {
            t.kind = TokenKind::Placeholder;
            t.text = "?";
            t.length = 1;
            ++i;
        } else {
            t.kind = TokenKind::Symbol;
            t.length = (i + 1 < n && isTwoCharSymbol(sql[i], sql[i + 1])) ? 2 : 1;
            t.text = std::string(sql.substr(i, t.length));
            i += t.length;
        }
        tokens.push_back(std::move(t));
    }
    return tokens;
}

bool StatementTokenizer::isBlank(std::string_view sql) {
    std::optional<TokenizeError> error;
    return tokenize(sql, &error).empty() && !error;
}

}  // namespace ifxsim
