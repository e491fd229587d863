#pragma once
// Reading GRANT, REVOKE, CREATE ROLE, DROP ROLE and SET ROLE: which privileges,
// on what, to or from whom.
#include <optional>
#include <string>
#include <vector>

#include "engine/DdlOutcome.h"
#include "engine/RoutineText.h"

namespace ifxsim {

// One table privilege, with the columns it is limited to (SELECT, UPDATE, REFERENCES only).
struct TablePrivilege {
    char letter = 's';  // s u i d x a r n, as systabauth spells them
    std::vector<std::string> columns;
    int columnsOffset = -1;
};

struct PrivilegeStatement {
    enum class Kind {
        Table,           // GRANT/REVOKE privileges ON table
        Execute,         // GRANT/REVOKE EXECUTE ON routine
        Database,        // GRANT/REVOKE CONNECT|RESOURCE|DBA
        Role,            // GRANT/REVOKE role TO/FROM users
        DefaultRole,     // GRANT DEFAULT ROLE role TO users / REVOKE DEFAULT ROLE FROM users
    };
    bool grant = true;
    Kind kind = Kind::Table;
    std::vector<TablePrivilege> privileges;  // Table
    QualifiedName object;                    // the table or routine
    std::optional<std::string> paramTypes;   // Execute with a signature
    bool executeFunctionOnly = false;        // EXECUTE ON FUNCTION
    char databaseLevel = 'C';                // Database: C, R or D
    std::string role;                        // Role, DefaultRole
    int roleOffset = -1;
    std::vector<std::string> grantees;       // "public" for PUBLIC
    int granteesOffset = -1;
    bool withGrantOption = false;
    std::string grantor;                     // AS grantor, empty when not written
};

// ROLE statements: CREATE ROLE name, DROP ROLE name, SET ROLE name|NONE|NULL|DEFAULT.
struct RoleStatement {
    std::string name;  // empty for SET ROLE NONE/NULL/DEFAULT
    bool setDefault = false;
    bool conditional = false;  // IF EXISTS / IF NOT EXISTS: no error when there is nothing to do
    int offset = -1;
};

std::optional<PrivilegeStatement> parsePrivilegeStatement(const std::vector<Token>& t, DdlOutcome& error);
// `first` is the index of the token after CREATE ROLE / DROP ROLE / SET ROLE.
std::optional<RoleStatement> parseRoleStatement(const std::vector<Token>& t, std::size_t first, DdlOutcome& error);

}  // namespace ifxsim
