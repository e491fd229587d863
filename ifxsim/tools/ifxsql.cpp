// ifxsql: runs SQL scripts against a stand-in server through the client
// library's entry points only, the way dbaccess is used:
//   ifxsql [-s server] [-u user] [-p password] [-c] [database|-] [file|-]
// Rows go to standard output in unload format ("a|b|c|"); errors go to
// standard error as Informix tools print them. The first error ends the run
// with exit status 1 unless -c (continue) is given.
#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "LoadUnload.h"
#include "RowText.h"
#include "ScriptSplit.h"
#include "ifxesqlc.h"

namespace {

struct Options {
    std::string server, user, password, database, file;
    bool keepGoing = false;
};

int Usage() {
    std::cerr << "usage: ifxsql [-s server] [-u user] [-p password] [-c] [database|-] [file|-]\n";
    return 2;
}


std::string MessageOf(int code, const char* errm) {
    char buf[1024] = {};
    mint length = 0;
    std::string text = rgetlmsg(code, buf, sizeof buf, &length) == 0 ? std::string(buf)
                                                                     : "Message number " + std::to_string(code) + " not found.";
    if (const auto at = text.find("%s"); at != std::string::npos) text.replace(at, 2, errm ? errm : "");
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

// The error as Informix tools show it, with the line and position in the script.
void PrintError(const ifxsql::ScriptStatement* statement) {
    const sqlca_s ca = *fnsqlca();
    char number[16];
    std::snprintf(number, sizeof number, "%5d", -ca.sqlcode);
    std::cerr << "\n" << number << ": " << MessageOf(ca.sqlcode, ca.sqlerrm) << "\n";
    if (ca.sqlerrd[1] != 0) {
        std::snprintf(number, sizeof number, "%5d", -ca.sqlerrd[1]);
        std::cerr << "\n" << number << ": " << MessageOf(ca.sqlerrd[1], ca.sqlerrm) << "\n";
    }
    if (statement) {
        int line = statement->line;
        int column = 1;
        const std::string& text = statement->text;
        // The statement text starts with what preceded it on its first line (blanks, comments).
        std::size_t start = 0;
        while (start < text.size() && (text[start] == '\n' || text[start] == '\r')) ++start;
        for (std::size_t i = start; i < text.size() && i < static_cast<std::size_t>(ca.sqlerrd[4]); ++i) {
            if (text[i] == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        std::cerr << "Error in line " << line << "\nNear character position " << column << "\n";
    }
}

// Runs one statement; returns 0 or the (negative) error left in sqlca.
int Run(const std::string& text) {
    if (const auto loadUnload = ifxsql::RunLoadUnload(text)) return *loadUnload;
    ifx_cursor_t* stmt = sqli_prep(ESQLINTVERSION, "ifxsql_stmt", text.c_str(), nullptr, nullptr, -1, 0, 0);
    if (!stmt) return *fnsqlcode();
    ifx_sqlda_t* da = nullptr;
    int rc = sqli_describe_stmt(ESQLINTVERSION, stmt, &da, nullptr);
    const int type = stmt->_SQCstmttype;
    if (rc >= 0) {
        if (da && da->sqld > 0 && (type == SQ_SELECT || type == SQ_EXECPROC)) {
            rc = ifxsql::PrintRows(stmt, da, std::cout);
        } else {
            rc = sqli_exec(ESQLINTVERSION, stmt, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0);
            const int rows = fnsqlca()->sqlerrd[2];
            if (rc == 0 || rc == SQLNOTFOUND) {
                if (type == SQ_INSERT) std::cerr << rows << " row(s) inserted.\n";
                else if (type == SQ_UPDATE || type == SQ_UPDALL) std::cerr << rows << " row(s) updated.\n";
                else if (type == SQ_DELETE || type == SQ_DELALL) std::cerr << rows << " row(s) deleted.\n";
                rc = 0;
            }
        }
    }
    const sqlca_s outcome = *fnsqlca();
    if (da) SqlFreeMem(da, SQLDA_FREE);
    sqli_curs_free(ESQLINTVERSION, stmt);
    *fnsqlca() = outcome;
    return rc < 0 ? rc : 0;
}

bool ParseOptions(int argc, char** argv, Options& o) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& out) {
            if (i + 1 >= argc) return false;
            out = argv[++i];
            return true;
        };
        if (a == "-s") { if (!value(o.server)) return false; }
        else if (a == "-u") { if (!value(o.user)) return false; }
        else if (a == "-p") { if (!value(o.password)) return false; }
        else if (a == "-c") o.keepGoing = true;
        else if (a.size() > 1 && a[0] == '-') return false;
        else positional.push_back(a);
    }
    if (positional.size() > 2) return false;
    if (!positional.empty()) o.database = positional[0];
    if (positional.size() > 1) o.file = positional[1];
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!ParseOptions(argc, argv, o)) return Usage();
    if (o.server.empty()) {
        const char* env = ifx_getenv(const_cast<char*>("INFORMIXSERVER"));
        o.server = env ? env : "";
    }
    if (o.user.empty() && std::getenv("USER")) o.user = std::getenv("USER");
    if (o.password.empty() && std::getenv("IFXSQL_PASSWORD")) o.password = std::getenv("IFXSQL_PASSWORD");
    if (o.server.empty()) {
        std::cerr << "ifxsql: no server: set INFORMIXSERVER or give -s server\n";
        return 2;
    }
    std::string script;
    if (o.file.empty() || o.file == "-") {
        std::stringstream in;
        in << std::cin.rdbuf();
        script = in.str();
    } else {
        std::ifstream in(o.file, std::ios::binary);
        if (!in) {
            std::cerr << "ifxsql: cannot read " << o.file << "\n";
            return 2;
        }
        std::stringstream text;
        text << in.rdbuf();
        script = text.str();
    }

    ifx_user_t login{o.user.data(), o.password.data()};
    ifx_conn_t spec{IFX_CONN_TYPE_USER_AUTH, &login};
    const std::string target = "@" + o.server;
    sqli_connect_open(ESQLINTVERSION, 0, target.c_str(), "ifxsql", o.password.empty() ? nullptr : &spec, 1);
    if (*fnsqlcode() < 0) {
        PrintError(nullptr);
        return 1;
    }
    int status = 0;
    if (!o.database.empty() && o.database != "-") {
        if (sqli_db_open(o.database.c_str(), 0) < 0 || *fnsqlcode() < 0) {
            PrintError(nullptr);
            status = 1;
        } else {
            std::cerr << "\nDatabase selected.\n\n";
        }
    }
    if (status == 0 || o.keepGoing) {
        for (const auto& statement : ifxsql::splitScript(script)) {
            if (Run(statement.text) < 0) {
                PrintError(&statement);
                status = 1;
                if (!o.keepGoing) break;
            }
        }
    }
    // A transaction left open by the script is rolled back, never committed unasked.
    sqli_connect_close(3, nullptr, 0, 0);
    if (*fnsqlcode() == -1800) {
        sqli_trans_rollback();
        sqli_connect_close(3, nullptr, 0, 0);
    }
    return status;
}
