#pragma once
// Splits one SQL statement into tokens the way the Informix parser sees them:
// quoted strings (single or double quotes, a doubled quote stands for itself),
// comments (`--` to the end of the line, `{ ... }`, `/* ... */`) skipped, words
// and numbers, and punctuation. Every token keeps its byte offset in the text,
// so errors can point at the place (sqlerrd[4]) and translators can splice.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ifxsim {

enum class TokenKind {
    Word,         // identifier or keyword: letters, digits, '_', '$'
    Number,       // 12, 1.5, .5, 1e10
    String,       // 'text' or "text"; `text` holds the unquoted value
    Symbol,       // punctuation, including two-character operators (<=, ||, ::)
    Placeholder,  // '?'
};

struct Token {
    TokenKind kind;
    std::size_t offset = 0;  // byte offset of the first character in the statement
    std::size_t length = 0;  // bytes the token occupies in the statement, quotes included
    std::string text;        // the word as written, the unquoted string, the symbol
    char quote = 0;          // '\'' or '"' for strings

    // Case-insensitive keyword test; only words match.
    bool is(std::string_view keyword) const;
    bool isSymbol(std::string_view symbol) const { return kind == TokenKind::Symbol && text == symbol; }
    std::size_t end() const { return offset + length; }
};

struct TokenizeError {
    int sqlcode = 0;          // -282 unmatched quote, -201 unterminated comment
    std::size_t offset = 0;   // where the unterminated quote or comment began
};

class StatementTokenizer {
public:
    // Tokens of `sql`; on an unterminated quote or comment fills `error` and
    // returns the tokens read before it.
    static std::vector<Token> tokenize(std::string_view sql, std::optional<TokenizeError>* error = nullptr);

    // True when the text holds nothing but blanks and comments.
    static bool isBlank(std::string_view sql);
};

std::string toUpperAscii(std::string_view text);
std::string toLowerAscii(std::string_view text);
bool equalsNoCase(std::string_view a, std::string_view b);

}  // namespace ifxsim
