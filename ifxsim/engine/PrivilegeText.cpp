#include "engine/PrivilegeText.h"

#include "engine/StatementTranslate.h"

namespace ifxsim {

namespace {

using Tokens = std::vector<Token>;

bool wordAt(const Tokens& t, std::size_t i, std::string_view kw) { return i < t.size() && t[i].is(kw); }
bool symbolAt(const Tokens& t, std::size_t i, std::string_view s) { return i < t.size() && t[i].isSymbol(s); }

DdlOutcome syntaxAt(const Tokens& t, std::size_t i) {
    const int at = i < t.size() ? static_cast<int>(t[i].offset) : static_cast<int>(t.empty() ? 0 : t.back().end());
    return DdlOutcome::fail(ddlerr::kSyntax, {}, at);
}

// A user or role name: a word (folded) or a quoted string (kept as written).
std::optional<std::string> readAuthName(const Tokens& t, std::size_t& i) {
    if (i >= t.size() || (t[i].kind != TokenKind::Word && t[i].kind != TokenKind::String)) return std::nullopt;
    return t[i].kind == TokenKind::Word ? toLowerAscii(t[i++].text) : t[i++].text;
}

// Table privilege words and their systabauth letters.
std::optional<char> privilegeLetter(const Token& tok) {
    static const std::pair<const char*, char> words[] = {
        {"SELECT", 's'}, {"UPDATE", 'u'}, {"INSERT", 'i'}, {"DELETE", 'd'},
        {"INDEX", 'x'},  {"ALTER", 'a'},  {"REFERENCES", 'r'}, {"UNDER", 'n'},
    };
    for (const auto& [word, letter] : words)
        if (tok.is(word)) return letter;
    return std::nullopt;
}

// The privilege list before ON: ALL [PRIVILEGES] or privilege [(columns)], …
bool readTablePrivileges(const Tokens& t, std::size_t& i, std::vector<TablePrivilege>& out) {
    if (wordAt(t, i, "ALL")) {
        ++i;
        if (wordAt(t, i, "PRIVILEGES")) ++i;
        for (char letter : std::string("suidxar")) out.push_back(TablePrivilege{letter, {}, -1});
        return true;
    }
    for (;;) {
        if (i >= t.size()) return false;
        auto letter = privilegeLetter(t[i]);
        if (!letter) return false;
        TablePrivilege p{*letter, {}, -1};
        ++i;
        if (symbolAt(t, i, "(")) {
            if (p.letter != 's' && p.letter != 'u' && p.letter != 'r') return false;
            ++i;
            p.columnsOffset = i < t.size() ? static_cast<int>(t[i].offset) : -1;
            for (;;) {
                if (i >= t.size() || t[i].kind == TokenKind::Symbol) return false;
                p.columns.push_back(foldName(t[i++]));
                if (symbolAt(t, i, ",")) {
                    ++i;
                    continue;
                }
                if (!symbolAt(t, i, ")")) return false;
                ++i;
                break;
            }
        }
        out.push_back(std::move(p));
        if (!symbolAt(t, i, ",")) return true;
        ++i;
    }
}

// TO|FROM user, … [WITH GRANT OPTION] [AS grantor] [CASCADE|RESTRICT]
bool readGrantees(const Tokens& t, std::size_t& i, PrivilegeStatement& s) {
    s.granteesOffset = i < t.size() ? static_cast<int>(t[i].offset) : -1;
    for (;;) {
        auto name = readAuthName(t, i);
        if (!name) return false;
        s.grantees.push_back(*name);
        if (!symbolAt(t, i, ",")) break;
        ++i;
    }
    if (s.grant && wordAt(t, i, "WITH") && wordAt(t, i + 1, "GRANT") && wordAt(t, i + 2, "OPTION")) {
        s.withGrantOption = true;
        i += 3;
    }
    if (!s.grant && (wordAt(t, i, "CASCADE") || wordAt(t, i, "RESTRICT"))) ++i;
    if (wordAt(t, i, "AS")) {
        ++i;
        auto grantor = readAuthName(t, i);
        if (!grantor) return false;
        s.grantor = *grantor;
    }
    return i == t.size();
}

// EXECUTE ON [PROCEDURE|FUNCTION|ROUTINE] name [(types)]
bool readRoutineTarget(const Tokens& t, std::size_t& i, PrivilegeStatement& s, DdlOutcome& error) {
    if (wordAt(t, i, "FUNCTION")) s.executeFunctionOnly = true;
    if (wordAt(t, i, "PROCEDURE") || wordAt(t, i, "FUNCTION") || wordAt(t, i, "ROUTINE")) ++i;
    // The signature reads like the one of DROP FUNCTION: reuse that parser on a made-up prefix.
    std::vector<Token> drop;
    drop.push_back(t[0]);
    Token routine = t[0];
    routine.text = "ROUTINE";
    drop.push_back(routine);
    std::size_t k = i;
    int depth = 0;
    for (; k < t.size(); ++k) {
        if (t[k].isSymbol("(")) ++depth;
        else if (t[k].isSymbol(")")) --depth;
        else if (depth == 0 && (t[k].is("TO") || t[k].is("FROM"))) break;
        drop.push_back(t[k]);
    }
    auto parsed = parseDropRoutine(drop, error);
    if (!parsed) return false;
    s.object = parsed->name;
    s.paramTypes = parsed->paramTypes;
    i = k;
    return true;
}

}  // namespace

std::optional<PrivilegeStatement> parsePrivilegeStatement(const Tokens& t, DdlOutcome& error) {
    PrivilegeStatement s;
    s.grant = t[0].is("GRANT");
    const char* direction = s.grant ? "TO" : "FROM";
    std::size_t i = 1;
    // Where the privileges end: ON for table and routine privileges, TO/FROM otherwise.
    std::size_t on = t.size();
    for (std::size_t k = 1; k < t.size(); ++k) {
        if (t[k].is("ON")) {
            on = k;
            break;
        }
        if (t[k].is(direction)) break;
    }
    if (on < t.size()) {
        if (wordAt(t, i, "EXECUTE") && i + 1 == on) {
            s.kind = PrivilegeStatement::Kind::Execute;
            i = on + 1;
            if (!readRoutineTarget(t, i, s, error)) {
                if (error.ok()) error = syntaxAt(t, i);
                return std::nullopt;
            }
        } else {
            s.kind = PrivilegeStatement::Kind::Table;
            if (!readTablePrivileges(t, i, s.privileges) || i != on) return error = syntaxAt(t, i), std::nullopt;
            i = on + 1;
            auto table = readQualifiedName(t, i);
            if (!table) return error = syntaxAt(t, i), std::nullopt;
            s.object = *table;
        }
    } else if (wordAt(t, i, "CONNECT") || wordAt(t, i, "RESOURCE") || wordAt(t, i, "DBA")) {
        s.kind = PrivilegeStatement::Kind::Database;
        s.databaseLevel = t[i].is("CONNECT") ? 'C' : t[i].is("RESOURCE") ? 'R' : 'D';
        ++i;
    } else if (wordAt(t, i, "DEFAULT") && wordAt(t, i + 1, "ROLE")) {
        s.kind = PrivilegeStatement::Kind::DefaultRole;
        i += 2;
        if (s.grant) {
            s.roleOffset = i < t.size() ? static_cast<int>(t[i].offset) : -1;
            auto role = readAuthName(t, i);
            if (!role) return error = syntaxAt(t, i), std::nullopt;
            s.role = *role;
        }
    } else {
        s.kind = PrivilegeStatement::Kind::Role;
        s.roleOffset = i < t.size() ? static_cast<int>(t[i].offset) : -1;
        auto role = readAuthName(t, i);
        if (!role) return error = syntaxAt(t, i), std::nullopt;
        s.role = *role;
    }
    if (!wordAt(t, i, direction)) return error = syntaxAt(t, i), std::nullopt;
    ++i;
    if (!readGrantees(t, i, s)) return error = syntaxAt(t, i), std::nullopt;
    return s;
}

std::optional<RoleStatement> parseRoleStatement(const Tokens& t, std::size_t first, DdlOutcome& error) {
    RoleStatement r;
    std::size_t i = first;
    if (wordAt(t, i, "IF") && (wordAt(t, i + 1, "EXISTS") || (wordAt(t, i + 1, "NOT") && wordAt(t, i + 2, "EXISTS")))) {
        r.conditional = true;
        i += t[i + 1].is("NOT") ? 3 : 2;
    }
    r.offset = i < t.size() ? static_cast<int>(t[i].offset) : -1;
    if (t[0].is("SET") && i + 1 == t.size() &&
        (t[i].is("NONE") || t[i].is("NULL") || t[i].is("DEFAULT"))) {
        r.setDefault = t[i].is("DEFAULT");
        return r;
    }
    auto name = readAuthName(t, i);
    if (!name || i != t.size()) return error = syntaxAt(t, i), std::nullopt;
    r.name = *name;
    return r;
}

}  // namespace ifxsim
