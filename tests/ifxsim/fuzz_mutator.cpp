#include "ifxsim/fuzz_mutator.h"

#include <cctype>

namespace fuzz_test {

std::vector<std::string> SplitTokens(const std::string& sql) {
    std::vector<std::string> out;
    std::size_t i = 0;
    const std::size_t n = sql.size();
    auto isWord = [](unsigned char c) { return std::isalnum(c) || c == '_' || c == '$' || c >= 0x80; };
    while (i < n) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        std::size_t j = i + 1;
        if (std::isspace(c)) {
            ++i;
            continue;
        }
        if (c == '\'' || c == '"') {
            while (j < n && sql[j] != static_cast<char>(c)) ++j;
            j = j < n ? j + 1 : n;
        } else if (c == '{') {
            while (j < n && sql[j] != '}') ++j;
            j = j < n ? j + 1 : n;
        } else if (sql.compare(i, 2, "--") == 0) {
            while (j < n && sql[j] != '\n') ++j;
        } else if (isWord(c) || c == '.') {
            while (j < n && (isWord(static_cast<unsigned char>(sql[j])) || sql[j] == '.')) ++j;
        } else if (sql.compare(i, 2, "::") == 0 || sql.compare(i, 2, "<>") == 0 || sql.compare(i, 2, "<=") == 0 ||
                   sql.compare(i, 2, ">=") == 0 || sql.compare(i, 2, "!=") == 0 || sql.compare(i, 2, "||") == 0) {
            j = i + 2;
        }
        out.push_back(sql.substr(i, j - i));
        i = j;
    }
    return out;
}

namespace {

std::string Join(const std::vector<std::string>& tokens) {
    std::string out;
    for (const auto& t : tokens) {
        if (!out.empty()) out += ' ';
        out += t;
    }
    return out;
}

}  // namespace

std::string StatementMutator::hostilePiece() {
    static const char* const marks[] = {"'", "\"", "{", "}", "--", "/*", "*/", "::", "(", ")", "((", "))", ";",
                                        "?", ",", ".", "*", "-", "+", "||", "\\", "''", "\"\"", "{}", "()",
                                        "::int8", "::datetime year to second", "::set(integer not null)",
                                        "null", "units", "extend(", "current", "interval(", "datetime(", "to",
                                        "select", "from", "where", "union", "outer", "in", "table", "row(",
                                        "list{", "multiset{", "set{", "1e400", "-0", "0x10", ".5e", "1.", "$"};
    switch (below(9)) {
    case 0: return std::string(1000 + below(60000), 'n');                             // a very long name
    case 1: return "'" + std::string(1000 + below(100000), 'x') + "'";               // a very long literal
    case 2: return std::string(20 + below(400), '9') + (below(2) ? "." + std::string(below(300), '9') : "");
    case 3: return below(2) ? "1e" + std::to_string(300 + below(5000)) : "-" + std::string(40, '9') + "e-400";
    case 4: {                                                                          // invalid UTF-8
        static const char* const bytes[] = {"\xff", "\xfe\xfe", "\xc3", "\xe2\x82", "\xf0\x9f\x98", "\xc0\xaf",
                                            "\xed\xa0\x80", "\x80\x80"};
        return bytes[below(std::size(bytes))];
    }
    case 5: return std::string(1, '\0') + "drop table t";                            // an embedded NUL
    default: return marks[below(std::size(marks))];
    }
}

std::string StatementMutator::mutateOnce(const std::string& sql) {
    std::vector<std::string> tokens = SplitTokens(sql);
    if (tokens.empty()) tokens.push_back("select");
    const std::size_t n = tokens.size();
    const std::size_t at = below(n);
    switch (below(10)) {
    case 0:  // cut after a token
        tokens.resize(at + 1);
        return Join(tokens);
    case 1:
        tokens.erase(tokens.begin() + static_cast<std::ptrdiff_t>(at));
        return Join(tokens);
    case 2:
        tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(at), tokens[at]);
        return Join(tokens);
    case 3:
        std::swap(tokens[at], tokens[below(n)]);
        return Join(tokens);
    case 4:
    case 5:
        tokens.insert(tokens.begin() + static_cast<std::ptrdiff_t>(below(n + 1)), hostilePiece());
        return Join(tokens);
    case 6:
        tokens[at] = hostilePiece();
        return Join(tokens);
    case 7: {  // deep parentheses around a token, balanced or not
        const std::size_t depth = below(2) ? 10000 : 1 + below(300);
        const bool balanced = below(4) != 0;
        tokens[at] = std::string(depth, '(') + tokens[at] + std::string(balanced ? depth : depth / 2, ')');
        return Join(tokens);
    }
    case 8: {  // mangle bytes of the raw text
        std::string out = sql;
        if (out.empty()) return hostilePiece();
        const std::size_t pos = below(out.size());
        static const char bytes[] = {'\'', '"', '{', '}', '(', ')', ':', '\0', '\xff', '\x80', '-', '/', '*', '\n'};
        out[pos] = bytes[below(sizeof bytes)];
        return out;
    }
    default: {  // a token repeated many times
        const std::string t = tokens[at];
        std::string run;
        const std::size_t times = 50 + below(3000);
        for (std::size_t i = 0; i < times; ++i) run += t + (below(2) ? " " : ",");
        tokens[at] = run;
        return Join(tokens);
    }
    }
}

std::string StatementMutator::mutate(const std::string& sql) {
    std::string out = sql;
    const std::size_t times = 1 + below(3);
    for (std::size_t i = 0; i < times; ++i) out = mutateOnce(out);
    return out;
}

std::string StatementMutator::splice(const std::string& a, const std::string& b) {
    const auto left = SplitTokens(a), right = SplitTokens(b);
    std::vector<std::string> out(left.begin(), left.begin() + static_cast<std::ptrdiff_t>(below(left.size() + 1)));
    out.insert(out.end(), right.begin() + static_cast<std::ptrdiff_t>(below(right.size() + 1)), right.end());
    return Join(out);
}

}  // namespace fuzz_test
