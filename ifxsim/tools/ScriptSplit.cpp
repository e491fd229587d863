#include "ScriptSplit.h"

#include <cctype>
#include <regex>

namespace ifxsql {

namespace {

std::string upperWords(const std::string& text, std::size_t maxWords) {
    std::string out;
    std::size_t words = 0;
    bool inWord = false;
    for (char c : text) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '_') {
            out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            inWord = true;
        } else if (inWord) {
            if (++words == maxWords) break;
            out += ' ';
            inWord = false;
        }
    }
    return out;
}

bool isRoutine(const std::string& text) {
    const std::string head = upperWords(text, 3);
    return head.rfind("CREATE PROCEDURE", 0) == 0 || head.rfind("CREATE FUNCTION", 0) == 0 ||
           head.rfind("CREATE DBA PROCEDURE", 0) == 0 || head.rfind("CREATE DBA FUNCTION", 0) == 0;
}

// True when the routine's text is complete: its last END PROCEDURE / END
// FUNCTION is followed by nothing, or only by DOCUMENT '…' and WITH LISTING IN '…'.
bool endsRoutine(const std::string& text) {
    // Upper case, with the inside of quoted strings masked so their words do not count.
    std::string upper;
    char quote = 0;
    for (char c : text) {
        if (quote) {
            upper += c == quote ? c : 'x';
            if (c == quote) quote = 0;  // a doubled quote closes and reopens: still masked
            continue;
        }
        if (c == '\'' || c == '"') quote = c;
        upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    static const std::regex endWords(R"(\bEND\s+(PROCEDURE|FUNCTION)\b)");
    std::size_t after = std::string::npos;
    for (auto it = std::sregex_iterator(upper.begin(), upper.end(), endWords); it != std::sregex_iterator(); ++it)
        after = static_cast<std::size_t>(it->position(0) + it->length(0));
    if (after == std::string::npos) return false;
    static const std::regex tail(
        R"(^\s*((DOCUMENT\s*('[^']*'|"[^"]*")(\s*,\s*('[^']*'|"[^"]*"))*|WITH\s+LISTING\s+IN\s*('[^']*'|"[^"]*"))\s*)*$)");
    return std::regex_match(upper.substr(after), tail);
}

// True when a '{' after `code` opens a collection constructor (SET{…},
// MULTISET{…}, LIST{…}) rather than a comment, as the server reads it: after
// MULTISET or LIST, and after a SET that is no UPDATE's SET clause.
bool opensConstructor(const std::string& code) {
    auto wordChar = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$'; };
    auto lastWord = [&](std::size_t& end) {  // the word ending at or before `end` (blanks skipped)
        while (end > 0 && std::isspace(static_cast<unsigned char>(code[end - 1]))) --end;
        std::size_t begin = end;
        while (begin > 0 && wordChar(code[begin - 1])) --begin;
        std::string word;
        for (std::size_t k = begin; k < end; ++k) word += static_cast<char>(std::toupper(static_cast<unsigned char>(code[k])));
        end = begin;
        return word;
    };
    std::size_t at = code.size();
    const std::string word = lastWord(at);
    if (word == "MULTISET" || word == "LIST") return true;
    if (word != "SET") return false;
    std::size_t before = at;
    while (before > 0 && std::isspace(static_cast<unsigned char>(code[before - 1]))) --before;
    if (before == 0) return true;
    if (!wordChar(code[before - 1])) return code[before - 1] != ')';
    const std::string previous = lastWord(at);
    for (const char* w : {"IN", "VALUES", "SELECT", "THEN", "ELSE", "RETURN", "DEFAULT"})
        if (previous == w) return true;
    return false;
}

bool blank(const std::string& s) {
    for (char c : s)
        if (!std::isspace(static_cast<unsigned char>(c))) return false;
    return true;
}

}  // namespace

std::vector<ScriptStatement> splitScript(const std::string& script) {
    std::vector<ScriptStatement> out;
    std::string current;
    std::string code;  // the statement without comments, to recognise routines
    int line = 1;
    int startLine = 1;
    const std::size_t n = script.size();
    auto finish = [&] {
        if (!blank(code)) out.push_back({current, startLine});
        current.clear();
        code.clear();
    };
    for (std::size_t i = 0; i < n; ++i) {
        const char c = script[i];
        if (blank(code) && !std::isspace(static_cast<unsigned char>(c))) startLine = line;
        if (c == '\n') ++line;
        if (c == '\'' || c == '"') {
            std::size_t j = i + 1;
            while (j < n && !(script[j] == c && !(j + 1 < n && script[j + 1] == c))) {
                if (script[j] == c) ++j;  // doubled quote
                ++j;
            }
            const std::size_t end = j < n ? j + 1 : n;
            for (std::size_t k = i; k < end; ++k)
                if (script[k] == '\n') ++line;
            current.append(script, i, end - i);
            code.append(script, i, end - i);
            i = end - 1;
            continue;
        }
        if ((c == '-' && i + 1 < n && script[i + 1] == '-') || (c == '{' && !opensConstructor(code)) ||
            (c == '/' && i + 1 < n && script[i + 1] == '*')) {
            const std::string close = c == '-' ? "\n" : (c == '{' ? "}" : "*/");
            const std::size_t at = script.find(close, i + 1);
            const std::size_t end = at == std::string::npos ? n : (c == '-' ? at : at + close.size());
            for (std::size_t k = i; k < end; ++k)
                if (script[k] == '\n') ++line;
            current.append(script, i, end - i);
            code += ' ';
            i = end - 1;
            continue;
        }
        if (c == ';' && (!isRoutine(code) || endsRoutine(code))) {
            finish();
            continue;
        }
        current += c;
        code += c;
    }
    finish();
    return out;
}

}  // namespace ifxsql
