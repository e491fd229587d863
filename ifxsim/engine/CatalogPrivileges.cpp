#include "engine/CatalogPrivileges.h"

#include <sqlite3.h>

#include <cctype>
#include <cstdint>

#include "engine/CatalogDb.h"
#include "engine/CatalogRoutines.h"

namespace ifxsim::catalog {

namespace {

using I = std::int64_t;
using Kind = PrivilegeStatement::Kind;

constexpr const char* kNoTablePrivileges = "---------";
constexpr const char* kNoColumnPrivileges = "---";

int colauthPosition(char letter) { return letter == 's' ? 0 : letter == 'u' ? 1 : letter == 'r' ? 2 : -1; }

// Sets `letter` at `at`: upper case with the grant option; an upper-case
// letter already there stays (a grant never takes the option away).
void grantLetter(std::string& letters, int at, char letter, bool withGrantOption) {
    if (at < 0 || at >= static_cast<int>(letters.size())) return;
    const bool held = std::isupper(static_cast<unsigned char>(letters[at])) != 0;
    letters[at] = (withGrantOption || held) ? static_cast<char>(std::toupper(letter)) : letter;
}

std::string padded(std::string letters, std::size_t width) {
    letters.resize(width, '-');
    for (char& c : letters)
        if (c == ' ') c = '-';
    return letters;
}

bool isRole(sqlite3* db, const std::string& name) {
    return scalar(db, "SELECT count(*) FROM sysusers WHERE username = ? AND usertype = 'G'", {name}) > 0;
}

// The table (or the table behind a synonym) a privilege statement names.
I resolveTable(sqlite3* db, const QualifiedName& name) {
    std::string sql = "SELECT tabid, tabtype FROM systables WHERE tabname = ?";
    std::vector<Bound> args{name.name};
    if (!name.owner.empty()) {
        sql += " AND owner = ?";
        args.emplace_back(name.owner);
    }
    I tabid = 0;
    std::string type;
    run(db, sql, args, [&](sqlite3_stmt* s) {
        if (tabid) return;
        tabid = sqlite3_column_int64(s, 0);
        type = text(s, 1);
    });
    if (tabid && (type == "S" || type == "P"))
        tabid = scalar(db, "SELECT btabid FROM syssyntable WHERE tabid = ?", {tabid}, 0);
    if (tabid && type != "T" && type != "V" && type != "S" && type != "P") return 0;
    return tabid;
}

int writeTabauth(sqlite3* db, const std::string& grantor, const std::string& grantee, I tabid, const std::string& letters) {
    int rc = run(db, "DELETE FROM systabauth WHERE grantor = ? AND grantee = ? AND tabid = ?", {grantor, grantee, tabid});
    if (rc == SQLITE_OK && letters != kNoTablePrivileges)
        rc = run(db, "INSERT INTO systabauth (grantor, grantee, tabid, tabauth) VALUES (?, ?, ?, ?)",
                 {grantor, grantee, tabid, letters});
    return rc;
}

std::string readTabauth(sqlite3* db, const std::string& grantor, const std::string& grantee, I tabid) {
    std::string letters = kNoTablePrivileges;
    run(db, "SELECT tabauth FROM systabauth WHERE grantor = ? AND grantee = ? AND tabid = ?", {grantor, grantee, tabid},
        [&](sqlite3_stmt* s) { letters = padded(text(s, 0), 9); });
    return letters;
}

DdlOutcome grantTable(sqlite3* db, const std::string& grantor, const PrivilegeStatement& s, I tabid) {
    // Columns first: an unknown column fails the statement before anything is written.
    std::vector<std::vector<I>> colnos;
    for (const TablePrivilege& p : s.privileges) {
        std::vector<I> numbers;
        for (const std::string& column : p.columns) {
            const I colno = scalar(db, "SELECT colno FROM syscolumns WHERE tabid = ? AND colname = ?", {tabid, column}, 0);
            if (!colno) return DdlOutcome::fail(ddlerr::kNoColumn, column, p.columnsOffset);
            numbers.push_back(colno);
        }
        colnos.push_back(std::move(numbers));
    }
    for (const std::string& grantee : s.grantees) {
        if (s.withGrantOption && isRole(db, grantee)) return DdlOutcome::fail(ddlerr::kRoleGrantOption);
        std::string letters = readTabauth(db, grantor, grantee, tabid);
        int rc = SQLITE_OK;
        for (std::size_t k = 0; k < s.privileges.size() && rc == SQLITE_OK; ++k) {
            const TablePrivilege& p = s.privileges[k];
            if (p.columns.empty()) {
                grantLetter(letters, tabauthPosition(p.letter), p.letter, s.withGrantOption);
                continue;
            }
            letters[2] = '*';
            for (I colno : colnos[k]) {
                std::string col = kNoColumnPrivileges;
                run(db, "SELECT colauth FROM syscolauth WHERE grantor = ? AND grantee = ? AND tabid = ? AND colno = ?",
                    {grantor, grantee, tabid, colno}, [&](sqlite3_stmt* st) { col = padded(text(st, 0), 3); });
                grantLetter(col, colauthPosition(p.letter), p.letter, s.withGrantOption);
                rc = run(db, "DELETE FROM syscolauth WHERE grantor = ? AND grantee = ? AND tabid = ? AND colno = ?",
                         {grantor, grantee, tabid, colno});
                if (rc == SQLITE_OK)
                    rc = run(db, "INSERT INTO syscolauth (grantor, grantee, tabid, colno, colauth) VALUES (?, ?, ?, ?, ?)",
                             {grantor, grantee, tabid, colno, col});
            }
        }
        if (rc == SQLITE_OK) rc = writeTabauth(db, grantor, grantee, tabid, letters);
        if (rc != SQLITE_OK) return DdlOutcome::sqliteFailure(rc);
    }
    return {};
}

DdlOutcome revokeTable(sqlite3* db, const PrivilegeStatement& s, I tabid) {
    for (const std::string& grantee : s.grantees) {
        std::vector<std::string> grantors;
        run(db, "SELECT grantor FROM systabauth WHERE grantee = ? AND tabid = ?", {grantee, tabid},
            [&](sqlite3_stmt* st) { grantors.push_back(text(st, 0)); });
        for (const std::string& grantor : grantors) {
            if (!s.grantor.empty() && grantor != s.grantor) continue;
            std::string letters = readTabauth(db, grantor, grantee, tabid);
            int rc = SQLITE_OK;
            for (const TablePrivilege& p : s.privileges) {
                const int at = tabauthPosition(p.letter);
                if (at >= 0) letters[at] = '-';
                const int colAt = colauthPosition(p.letter);
                if (colAt < 0) continue;
                // Column grants of that privilege go with it.
                std::vector<std::pair<I, std::string>> columns;
                run(db, "SELECT colno, colauth FROM syscolauth WHERE grantor = ? AND grantee = ? AND tabid = ?",
                    {grantor, grantee, tabid},
                    [&](sqlite3_stmt* st) { columns.emplace_back(sqlite3_column_int64(st, 0), padded(text(st, 1), 3)); });
                for (auto& [colno, col] : columns) {
                    if (rc != SQLITE_OK) break;
                    col[colAt] = '-';
                    rc = run(db, "DELETE FROM syscolauth WHERE grantor = ? AND grantee = ? AND tabid = ? AND colno = ?",
                             {grantor, grantee, tabid, colno});
                    if (rc == SQLITE_OK && col != kNoColumnPrivileges)
                        rc = run(db,
                                 "INSERT INTO syscolauth (grantor, grantee, tabid, colno, colauth) VALUES (?, ?, ?, ?, ?)",
                                 {grantor, grantee, tabid, colno, col});
                }
            }
            if (scalar(db, "SELECT count(*) FROM syscolauth WHERE grantor = ? AND grantee = ? AND tabid = ?",
                       {grantor, grantee, tabid}) == 0)
                letters[2] = '-';
            if (rc == SQLITE_OK) rc = writeTabauth(db, grantor, grantee, tabid, letters);
            if (rc != SQLITE_OK) return DdlOutcome::sqliteFailure(rc);
        }
    }
    return {};
}

DdlOutcome executePrivilege(sqlite3* db, const std::string& grantor, const PrivilegeStatement& s) {
    const auto routines = findRoutines(db, s.object, s.paramTypes, s.executeFunctionOnly);
    if (routines.empty()) return DdlOutcome::fail(ddlerr::kRoutineUnresolved, s.object.name, s.object.offset);
    for (const std::string& grantee : s.grantees) {
        if (s.grant && s.withGrantOption && isRole(db, grantee)) return DdlOutcome::fail(ddlerr::kRoleGrantOption);
        for (const RoutineRef& r : routines) {
            int rc;
            if (!s.grant) {
                std::string sql = "DELETE FROM sysprocauth WHERE grantee = ? AND procid = ?";
                std::vector<Bound> args{grantee, r.procid};
                if (!s.grantor.empty()) {
                    sql += " AND grantor = ?";
                    args.emplace_back(s.grantor);
                }
                rc = run(db, sql, args);
            } else {
                std::string held;
                run(db, "SELECT procauth FROM sysprocauth WHERE grantor = ? AND grantee = ? AND procid = ?",
                    {grantor, grantee, r.procid}, [&](sqlite3_stmt* st) { held = text(st, 0); });
                const std::string letter = (s.withGrantOption || held == "E") ? "E" : "e";
                rc = run(db, "DELETE FROM sysprocauth WHERE grantor = ? AND grantee = ? AND procid = ?",
                         {grantor, grantee, r.procid});
                if (rc == SQLITE_OK)
                    rc = run(db, "INSERT INTO sysprocauth (grantor, grantee, procid, procauth) VALUES (?, ?, ?, ?)",
                             {grantor, grantee, r.procid, letter});
            }
            if (rc != SQLITE_OK) return DdlOutcome::sqliteFailure(rc);
        }
    }
    return {};
}

int rankOf(const std::string& usertype) { return usertype == "D" ? 3 : usertype == "R" ? 2 : usertype == "C" ? 1 : 0; }

DdlOutcome databasePrivilege(sqlite3* db, const PrivilegeStatement& s) {
    for (const std::string& grantee : s.grantees) {
        std::string type;
        bool present = false;
        run(db, "SELECT usertype FROM sysusers WHERE username = ?", {grantee}, [&](sqlite3_stmt* st) {
            present = true;
            type = text(st, 0);
        });
        if (type == "G") return DdlOutcome::fail(ddlerr::kRoleDatabasePrivilege, {}, s.granteesOffset);
        const std::string level(1, s.databaseLevel);
        int rc = SQLITE_OK;
        if (s.grant) {
            // One row per user holding the highest level granted.
            if (!present)
                rc = run(db, "INSERT INTO sysusers (username, usertype, priority) VALUES (?, ?, ?)",
                         {grantee, level, I{level == "D" ? 9 : 5}});
            else if (rankOf(level) > rankOf(type))
                rc = run(db, "UPDATE sysusers SET usertype = ?, priority = ? WHERE username = ?",
                         {level, I{level == "D" ? 9 : 5}, grantee});
        } else if (present) {
            // Without CONNECT nothing is left; RESOURCE and DBA fall back to CONNECT.
            if (level == "C") rc = run(db, "DELETE FROM sysusers WHERE username = ?", {grantee});
            else if (type == level)
                rc = run(db, "UPDATE sysusers SET usertype = 'C', priority = 5 WHERE username = ?", {grantee});
        }
        if (rc != SQLITE_OK) return DdlOutcome::sqliteFailure(rc);
    }
    return {};
}

DdlOutcome rolePrivilege(sqlite3* db, const PrivilegeStatement& s) {
    if (!isRole(db, s.role)) return DdlOutcome::fail(ddlerr::kRoleMissing, s.role, s.roleOffset);
    for (const std::string& grantee : s.grantees) {
        int rc;
        if (s.grant) {
            std::string held;
            run(db, "SELECT is_grantable FROM sysroleauth WHERE rolename = ? AND grantee = ?", {s.role, grantee},
                [&](sqlite3_stmt* st) { held = text(st, 0); });
            if (!held.empty() && (held == "Y" || !s.withGrantOption)) continue;
            rc = run(db, "DELETE FROM sysroleauth WHERE rolename = ? AND grantee = ?", {s.role, grantee});
            if (rc == SQLITE_OK)
                rc = run(db, "INSERT INTO sysroleauth (rolename, grantee, is_grantable) VALUES (?, ?, ?)",
                         {s.role, grantee, std::string(s.withGrantOption ? "Y" : "N")});
        } else {
            rc = run(db, "DELETE FROM sysroleauth WHERE rolename = ? AND grantee = ?", {s.role, grantee});
        }
        if (rc != SQLITE_OK) return DdlOutcome::sqliteFailure(rc);
    }
    return {};
}

DdlOutcome defaultRole(sqlite3* db, const PrivilegeStatement& s) {
    if (s.grant && !isRole(db, s.role)) return DdlOutcome::fail(ddlerr::kRoleMissing, s.role, s.roleOffset);
    for (const std::string& grantee : s.grantees) {
        int rc = SQLITE_OK;
        if (s.grant) {
            // The default role is granted with it; a user not yet known gets CONNECT.
            if (scalar(db, "SELECT count(*) FROM sysusers WHERE username = ?", {grantee}) == 0)
                rc = run(db, "INSERT INTO sysusers (username, usertype, priority) VALUES (?, 'C', 5)", {grantee});
            if (rc == SQLITE_OK) rc = run(db, "UPDATE sysusers SET defrole = ? WHERE username = ?", {s.role, grantee});
            if (rc == SQLITE_OK &&
                scalar(db, "SELECT count(*) FROM sysroleauth WHERE rolename = ? AND grantee = ?", {s.role, grantee}) == 0)
                rc = run(db, "INSERT INTO sysroleauth (rolename, grantee, is_grantable) VALUES (?, ?, 'N')",
                         {s.role, grantee});
        } else {
            rc = run(db, "UPDATE sysusers SET defrole = NULL WHERE username = ?", {grantee});
        }
        if (rc != SQLITE_OK) return DdlOutcome::sqliteFailure(rc);
    }
    return {};
}

}  // namespace

int tabauthPosition(char letter) {
    switch (std::tolower(static_cast<unsigned char>(letter))) {
    case 's': return 0;
    case 'u': return 1;
    case '*': return 2;
    case 'i': return 3;
    case 'd': return 4;
    case 'x': return 5;
    case 'a': return 6;
    case 'r': return 7;
    case 'n': return 8;
    default: return -1;
    }
}

DdlOutcome applyPrivilegeStatement(sqlite3* db, const std::string& user, const PrivilegeStatement& s) {
    const std::string grantor = s.grantor.empty() ? user : s.grantor;
    switch (s.kind) {
    case Kind::Table: {
        const I tabid = resolveTable(db, s.object);
        if (!tabid) return DdlOutcome::fail(ddlerr::kNoTable, s.object.name, s.object.offset);
        return s.grant ? grantTable(db, grantor, s, tabid) : revokeTable(db, s, tabid);
    }
    case Kind::Execute: return executePrivilege(db, grantor, s);
    case Kind::Database: return databasePrivilege(db, s);
    case Kind::Role: return rolePrivilege(db, s);
    case Kind::DefaultRole: return defaultRole(db, s);
    }
    return {};
}

DdlOutcome createRole(sqlite3* db, const std::string& user, const RoleStatement& role) {
    for (const char* reserved : {"public", "none", "null", "default"})
        if (role.name == reserved) return DdlOutcome::fail(ddlerr::kRoleNameInvalid, role.name, role.offset);
    if (scalar(db, "SELECT count(*) FROM sysusers WHERE username = ?", {role.name}) > 0)
        return role.conditional ? DdlOutcome{} : DdlOutcome::fail(ddlerr::kRoleNameTaken, role.name, role.offset);
    int rc = run(db, "INSERT INTO sysusers (username, usertype, priority) VALUES (?, 'G', 5)", {role.name});
    if (rc == SQLITE_OK) rc = run(db, "INSERT INTO sysroles (rolename, owner) VALUES (?, ?)", {role.name, user});
    return rc == SQLITE_OK ? DdlOutcome{} : DdlOutcome::sqliteFailure(rc);
}

DdlOutcome dropRole(sqlite3* db, const RoleStatement& role) {
    if (!isRole(db, role.name))
        return role.conditional ? DdlOutcome{} : DdlOutcome::fail(ddlerr::kRoleMissing, role.name, role.offset);
    // The role goes with everything granted to it and every grant of it.
    int rc = SQLITE_OK;
    for (const char* sql : {"DELETE FROM sysusers WHERE username = ?1",
                            "UPDATE sysusers SET defrole = NULL WHERE defrole = ?1",
                            "DELETE FROM sysroles WHERE rolename = ?1",
                            "DELETE FROM sysroleauth WHERE rolename = ?1 OR grantee = ?1",
                            "DELETE FROM systabauth WHERE grantee = ?1",
                            "DELETE FROM syscolauth WHERE grantee = ?1",
                            "DELETE FROM sysprocauth WHERE grantee = ?1"})
        if (rc == SQLITE_OK) rc = run(db, sql, {role.name});
    return rc == SQLITE_OK ? DdlOutcome{} : DdlOutcome::sqliteFailure(rc);
}

DdlOutcome checkSetRole(sqlite3* db, const std::string& user, const RoleStatement& role) {
    if (role.name.empty()) return {};  // NONE, NULL, DEFAULT
    if (!isRole(db, role.name)) return DdlOutcome::fail(ddlerr::kRoleMissing, role.name, role.offset);
    if (scalar(db, "SELECT count(*) FROM sysroleauth WHERE rolename = ? AND grantee IN (?, 'public')",
               {role.name, user}) == 0)
        return DdlOutcome::fail(ddlerr::kRoleNotGranted, role.name, role.offset);
    return {};
}

}  // namespace ifxsim::catalog
