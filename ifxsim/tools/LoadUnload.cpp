#include "LoadUnload.h"

#include <cctype>
#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "RowText.h"
#include "ifxesqlc.h"

namespace ifxsql {

namespace {

// A small reader over the statement's head: words and quoted strings.
struct Head {
    const std::string& text;
    std::size_t pos = 0;

    void skipSpace() {
        for (;;) {
            while (pos < text.size() && std::isspace(static_cast<unsigned char>(text[pos]))) ++pos;
            if (text.compare(pos, 2, "--") == 0) {
                pos = text.find('\n', pos);
                if (pos == std::string::npos) pos = text.size();
            } else if (pos < text.size() && text[pos] == '{') {
                const auto end = text.find('}', pos);
                pos = end == std::string::npos ? text.size() : end + 1;
            } else if (text.compare(pos, 2, "/*") == 0) {
                const auto end = text.find("*/", pos);
                pos = end == std::string::npos ? text.size() : end + 2;
            } else {
                return;
            }
        }
    }
    bool word(const char* expected) {
        skipSpace();
        const std::size_t n = std::strlen(expected);
        if (pos + n > text.size()) return false;
        for (std::size_t i = 0; i < n; ++i)
            if (std::toupper(static_cast<unsigned char>(text[pos + i])) != expected[i]) return false;
        if (pos + n < text.size() && (std::isalnum(static_cast<unsigned char>(text[pos + n])) || text[pos + n] == '_'))
            return false;
        pos += n;
        return true;
    }
    bool quoted(std::string& out) {
        skipSpace();
        if (pos >= text.size() || (text[pos] != '\'' && text[pos] != '"')) return false;
        const char q = text[pos];
        const auto end = text.find(q, pos + 1);
        if (end == std::string::npos) return false;
        out = text.substr(pos + 1, end - pos - 1);
        pos = end + 1;
        return true;
    }
};

std::vector<std::vector<std::optional<std::string>>> readRecords(const std::string& data, char delimiter) {
    std::vector<std::vector<std::optional<std::string>>> records;
    std::vector<std::optional<std::string>> record;
    std::string field;
    bool fieldOpen = false;
    auto endField = [&] {
        record.push_back(field.empty() ? std::nullopt : std::optional<std::string>(field));
        field.clear();
        fieldOpen = false;
    };
    for (std::size_t i = 0; i < data.size(); ++i) {
        const char c = data[i];
        if (c == '\\' && i + 1 < data.size()) {
            field += data[++i];
            fieldOpen = true;
        } else if (c == delimiter) {
            endField();
        } else if (c == '\n') {
            if (fieldOpen) endField();  // a last field without its delimiter
            if (!record.empty()) records.push_back(std::move(record));
            record.clear();
        } else if (c != '\r') {
            field += c;
            fieldOpen = true;
        }
    }
    if (fieldOpen) endField();
    if (!record.empty()) records.push_back(std::move(record));
    return records;
}

int load(const std::string& file, char delimiter, const std::string& insert) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        std::cerr << "ifxsql: cannot read " << file << "\n";
        return -1;
    }
    std::stringstream buffer;
    buffer << in.rdbuf();
    const auto records = readRecords(buffer.str(), delimiter);
    if (records.empty()) {
        std::cerr << "0 row(s) loaded.\n";
        return 0;
    }
    std::string sql = insert + " VALUES (";
    for (std::size_t i = 0; i < records[0].size(); ++i) sql += i ? ", ?" : "?";
    sql += ")";
    ifx_cursor_t* stmt = sqli_prep(ESQLINTVERSION, "ifxsql_load", sql.c_str(), nullptr, nullptr, -1, 0, 0);
    if (!stmt) return *fnsqlcode();
    long loaded = 0;
    int rc = 0;
    for (const auto& record : records) {
        std::vector<ifx_sqlvar_t> vars(record.size());
        std::vector<int2> indicators(record.size());
        std::vector<std::string> texts(record.size());
        for (std::size_t i = 0; i < record.size(); ++i) {
            texts[i] = record[i].value_or("");
            indicators[i] = record[i] ? 0 : -1;
            vars[i].sqltype = SQLCHAR;
            vars[i].sqllen = static_cast<int4>(texts[i].size());
            vars[i].sqldata = texts[i].data();
            vars[i].sqlind = &indicators[i];
        }
        ifx_sqlda_t da{};
        da.sqld = static_cast<int2>(vars.size());
        da.sqlvar = vars.data();
        rc = sqli_exec(ESQLINTVERSION, stmt, &da, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
        if (rc < 0) break;
        ++loaded;
    }
    const sqlca_s outcome = *fnsqlca();
    sqli_curs_free(ESQLINTVERSION, stmt);
    *fnsqlca() = outcome;
    std::cerr << loaded << " row(s) loaded.\n";
    return rc < 0 ? rc : 0;
}

int unload(const std::string& file, char delimiter, const std::string& select) {
    ifx_cursor_t* stmt = sqli_prep(ESQLINTVERSION, "ifxsql_unload", select.c_str(), nullptr, nullptr, -1, 0, 0);
    if (!stmt) return *fnsqlcode();
    ifx_sqlda_t* da = nullptr;
    int rc = sqli_describe_stmt(ESQLINTVERSION, stmt, &da, nullptr);
    if (rc >= 0) {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        if (!out) {
            std::cerr << "ifxsql: cannot write " << file << "\n";
            rc = -1;
        } else if (da && da->sqld > 0) {
            rc = PrintRows(stmt, da, out, delimiter);
        }
    }
    const sqlca_s outcome = *fnsqlca();
    if (da) SqlFreeMem(da, SQLDA_FREE);
    sqli_curs_free(ESQLINTVERSION, stmt);
    *fnsqlca() = outcome;
    return rc < 0 ? rc : 0;
}

}  // namespace

std::optional<int> RunLoadUnload(const std::string& text) {
    Head head{text};
    const bool isLoad = head.word("LOAD");
    if (!isLoad && !head.word("UNLOAD")) return std::nullopt;
    std::string file;
    if (!head.word(isLoad ? "FROM" : "TO") || !head.quoted(file)) return std::nullopt;  // the server says why
    // DBDELIMITER sets the default delimiter, as it does for dbaccess.
    const char* envDelimiter = ifx_getenv(const_cast<char*>("DBDELIMITER"));
    char delimiter = envDelimiter && std::strlen(envDelimiter) == 1 ? envDelimiter[0] : '|';
    const std::size_t beforeDelimiter = head.pos;
    std::string given;
    if (head.word("DELIMITER") && head.quoted(given) && given.size() == 1) delimiter = given[0];
    else head.pos = beforeDelimiter;
    const std::string rest = text.substr(head.pos);
    return isLoad ? load(file, delimiter, rest) : unload(file, delimiter, rest);
}

}  // namespace ifxsql
