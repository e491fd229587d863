#pragma once
// Privileges and roles in the catalog: GRANT/REVOKE of table privileges
// (systabauth, syscolauth), of routine privileges (sysprocauth), of database
// privileges (sysusers C/R/D), CREATE/DROP ROLE (sysusers G, sysroles),
// GRANT/REVOKE of roles (sysroleauth) and the check of SET ROLE. The server
// records privileges; it does not enforce them.
#include <string>

#include "engine/DdlOutcome.h"
#include "engine/PrivilegeText.h"

struct sqlite3;

namespace ifxsim::catalog {

DdlOutcome applyPrivilegeStatement(sqlite3* db, const std::string& user, const PrivilegeStatement& statement);
DdlOutcome createRole(sqlite3* db, const std::string& user, const RoleStatement& role);
DdlOutcome dropRole(sqlite3* db, const RoleStatement& role);
// SET ROLE: the role must exist and be granted to the user (or to public).
DdlOutcome checkSetRole(sqlite3* db, const std::string& user, const RoleStatement& role);

// systabauth letters: position 1 s, 2 u, 3 * (column privileges), 4 i, 5 d,
// 6 x, 7 a, 8 r, 9 n; upper case when held with the grant option.
int tabauthPosition(char letter);

}  // namespace ifxsim::catalog
