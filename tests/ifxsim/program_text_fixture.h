#pragma once
// The statement fixture for texts as the workbench sends them: multi-line
// texts reach the server with CR LF between their lines, as the program's
// string lists join them.
#include <string>

#include "ifxsim/stmt_fixture.h"

namespace stmt_test {

class ProgramTextFixture : public StmtFixture {
protected:
    static Rows Query(const std::string& sql, Params* params = nullptr) {
        std::string crlf;
        for (const char c : sql) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
        return StmtFixture::Query(crlf, params);
    }
};

}  // namespace stmt_test
