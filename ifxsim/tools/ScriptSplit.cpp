#include "ScriptSplit.h"

#include <cctype>

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

bool endsRoutine(const std::string& text) {
    std::string upper;
    for (char c : text) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    while (!upper.empty() && std::isspace(static_cast<unsigned char>(upper.back()))) upper.pop_back();
    const auto endAt = upper.rfind("END");
    if (endAt == std::string::npos) return false;
    std::string rest = upper.substr(endAt + 3);
    std::string word;
    for (char c : rest)
        if (!std::isspace(static_cast<unsigned char>(c))) word += c;
    return word == "PROCEDURE" || word == "FUNCTION";
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
        if ((c == '-' && i + 1 < n && script[i + 1] == '-') || c == '{' || (c == '/' && i + 1 < n && script[i + 1] == '*')) {
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
