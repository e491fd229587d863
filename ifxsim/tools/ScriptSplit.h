#pragma once
// Splits a script into statements at ';' outside quoted text and comments.
// A CREATE PROCEDURE/FUNCTION runs to its END PROCEDURE/FUNCTION, so the
// semicolons of its body stay inside it.
#include <string>
#include <vector>

namespace ifxsql {

struct ScriptStatement {
    std::string text;  // without the terminating ';'
    int line = 1;      // line of the statement's first character
};

std::vector<ScriptStatement> splitScript(const std::string& script);

}  // namespace ifxsql
