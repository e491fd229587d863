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

std::string Trimmed(std::string s) {
    while (!s.empty() && (s.back() == ' ' || s.back() == '\0')) s.pop_back();
    return s;
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

std::size_t BufferSize(const ifx_sqlvar_t& v) {
    switch (v.sqltype & SQLTYPE) {
    case SQLCHAR: case SQLNCHAR: return static_cast<std::size_t>(v.sqllen) + 1;
    case SQLVCHAR: case SQLNVCHAR: return static_cast<std::size_t>(v.sqllen & 0xff) + 1;
    case SQLLVARCHAR: return static_cast<std::size_t>(v.sqllen ? v.sqllen : SIZLVARCHAR) + 1;
    case SQLDECIMAL: case SQLMONEY: return sizeof(dec_t);
    case SQLDTIME: return sizeof(dtime_t);
    case SQLINTERVAL: return sizeof(intrvl_t);
    case SQLINT8: case SQLSERIAL8: return sizeof(ifx_int8_t);
    case SQLBYTES: case SQLTEXT: return sizeof(loc_t);
    default: return 80;
    }
}

std::string ValueText(const ifx_sqlvar_t& v) {
    if (v.sqlind && *v.sqlind == -1) return {};
    char buf[256] = {};
    switch (v.sqltype & SQLTYPE) {
    case SQLCHAR: case SQLNCHAR: case SQLVCHAR: case SQLNVCHAR: case SQLLVARCHAR: return Trimmed(v.sqldata);
    case SQLSMINT: { int2 x; std::memcpy(&x, v.sqldata, 2); return std::to_string(x); }
    case SQLINT: case SQLSERIAL: { int4 x; std::memcpy(&x, v.sqldata, 4); return std::to_string(x); }
    case SQLINFXBIGINT: case SQLBIGSERIAL: { bigint x; std::memcpy(&x, v.sqldata, 8); return std::to_string(x); }
    case SQLFLOAT: case SQLSMFLOAT: {
        double d;
        if ((v.sqltype & SQLTYPE) == SQLFLOAT) std::memcpy(&d, v.sqldata, 8);
        else { float f; std::memcpy(&f, v.sqldata, 4); d = f; }
        auto r = std::to_chars(buf, buf + sizeof buf, d);
        return std::string(buf, r.ptr);
    }
    case SQLDECIMAL: case SQLMONEY: {
        const int scale = PRECDEC(v.sqllen);
        dectoasc(reinterpret_cast<dec_t*>(v.sqldata), buf, 127, scale == DECFLOATSCALE ? -1 : scale);
        return Trimmed(buf);
    }
    case SQLDATE: { int4 d; std::memcpy(&d, v.sqldata, 4); rdatestr(d, buf); return buf; }
    case SQLDTIME: dttoasc(reinterpret_cast<dtime_t*>(v.sqldata), buf); return buf;
    case SQLINTERVAL: intoasc(reinterpret_cast<intrvl_t*>(v.sqldata), buf); return buf;
    case SQLINT8: case SQLSERIAL8: {
        ifx_int8toasc(reinterpret_cast<ifx_int8_t*>(v.sqldata), buf, 21);
        return Trimmed(std::string(buf, 21));
    }
    case SQLBOOL: return std::string(1, v.sqldata[0]);
    case SQLBYTES: case SQLTEXT: {
        const auto* loc = reinterpret_cast<const loc_t*>(v.sqldata);
        if (loc->loc_indicator == -1 || !loc->loc_buffer) return {};
        return std::string(loc->loc_buffer, static_cast<std::size_t>(loc->loc_size));
    }
    default: return {};
    }
}

// Unload format: the delimiter, backslash and line breaks are escaped with '\'.
std::string Escaped(const std::string& value) {
    std::string out;
    for (char c : value) {
        if (c == '|' || c == '\\' || c == '\n') out += '\\';
        out += c;
    }
    return out;
}

// Fetches every row of an opened query and prints it.
int PrintRows(ifx_cursor_t* stmt, ifx_sqlda_t* da) {
    std::vector<std::unique_ptr<char[]>> data;
    std::vector<int2> indicators(static_cast<std::size_t>(da->sqld));
    for (int i = 0; i < da->sqld; ++i) {
        ifx_sqlvar_t& v = da->sqlvar[i];
        const std::size_t size = BufferSize(v);
        data.push_back(std::make_unique<char[]>(size));
        std::memset(data.back().get(), 0, size);
        v.sqldata = data.back().get();
        v.sqlind = &indicators[static_cast<std::size_t>(i)];
        if ((v.sqltype & SQLTYPE) == SQLBYTES || (v.sqltype & SQLTYPE) == SQLTEXT)
            reinterpret_cast<loc_t*>(v.sqldata)->loc_bufsize = -1;
    }
    ifx_cursor_t* cursor = sqli_curs_locate(ESQLINTVERSION, "ifxsql_cursor", CURS_LOCATE_NEWNAME);
    if (!cursor) return *fnsqlcode();
    int rc = sqli_curs_decl_dynm(ESQLINTVERSION, cursor, nullptr, stmt, 0, 0);
    if (rc >= 0) rc = sqli_curs_open(ESQLINTVERSION, cursor, nullptr, nullptr, nullptr, 0, 0);
    _FetchSpec next{0, FETCH_NEXT, 0};
    long rows = 0;
    while (rc >= 0) {
        rc = sqli_curs_fetch(ESQLINTVERSION, cursor, nullptr, da, nullptr, &next);
        if (rc != 0) break;
        std::string line;
        for (int i = 0; i < da->sqld; ++i) {
            line += Escaped(ValueText(da->sqlvar[i])) + "|";
            auto* loc = reinterpret_cast<loc_t*>(da->sqlvar[i].sqldata);
            const int type = da->sqlvar[i].sqltype & SQLTYPE;
            if ((type == SQLBYTES || type == SQLTEXT) && loc->loc_buffer) {
                SqlFreeMem(loc->loc_buffer, LOC_BUFFER_FREE);
                loc->loc_buffer = nullptr;
                loc->loc_bufsize = -1;
            }
        }
        std::cout << line << "\n";
        ++rows;
    }
    const sqlca_s outcome = *fnsqlca();
    sqli_curs_close(ESQLINTVERSION, cursor);
    sqli_curs_free(ESQLINTVERSION, cursor);
    *fnsqlca() = outcome;
    if (rc == SQLNOTFOUND) {
        std::cerr << rows << " row(s) unloaded.\n";
        return 0;
    }
    return rc;
}

// Runs one statement; returns 0 or the (negative) error left in sqlca.
int Run(const std::string& text) {
    ifx_cursor_t* stmt = sqli_prep(ESQLINTVERSION, "ifxsql_stmt", text.c_str(), nullptr, nullptr, -1, 0, 0);
    if (!stmt) return *fnsqlcode();
    ifx_sqlda_t* da = nullptr;
    int rc = sqli_describe_stmt(ESQLINTVERSION, stmt, &da, nullptr);
    const int type = stmt->_SQCstmttype;
    if (rc >= 0) {
        if (da && da->sqld > 0 && (type == SQ_SELECT || type == SQ_EXECPROC)) {
            rc = PrintRows(stmt, da);
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
