#include "engine/CatalogSchema.h"

#include <sqlite3.h>

#include <chrono>
#include <ctime>

#include "engine/CatalogDb.h"
#include "engine/CatalogSync.h"
#include "engine/CatalogTypes.h"
#include "engine/StatementTokenizer.h"
#include "engine/TypeDecl.h"

namespace ifxsim::catalog {

namespace {

const char* const kParts =
    "part1 SMALLINT, part2 SMALLINT, part3 SMALLINT, part4 SMALLINT, part5 SMALLINT, part6 SMALLINT, "
    "part7 SMALLINT, part8 SMALLINT, part9 SMALLINT, part10 SMALLINT, part11 SMALLINT, part12 SMALLINT, "
    "part13 SMALLINT, part14 SMALLINT, part15 SMALLINT, part16 SMALLINT";

std::string sysindexesColumns() {
    return std::string("idxname VARCHAR(128), owner CHAR(32), tabid INTEGER, idxtype CHAR(1), clustered CHAR(1), ") +
           kParts + ", levels SMALLINT, leaves INTEGER, nunique INTEGER, clust INTEGER, idxflags INTEGER";
}

// indexkeyarray_out(indexkeys): the stored text is already the output form.
void indexKeyArrayOut(sqlite3_context* ctx, int, sqlite3_value** argv) {
    sqlite3_result_value(ctx, argv[0]);
}

}  // namespace

const std::vector<CatalogTable>& catalogTables() {
    static const std::string indexes = sysindexesColumns();
    static const std::vector<CatalogTable> tables = {
        {1, "systables",
         "tabname VARCHAR(128), owner CHAR(32), partnum INTEGER, tabid SERIAL, rowsize SMALLINT, ncols SMALLINT, "
         "nindexes SMALLINT, nrows FLOAT, created DATE, version INTEGER, tabtype CHAR(1), locklevel CHAR(1), "
         "npused FLOAT, fextsize INTEGER, nextsize INTEGER, flags SMALLINT, site VARCHAR(128), dbname VARCHAR(128), "
         "type_xid INTEGER, am_id INTEGER, pagesize INTEGER, ustlowts CHAR(25), secpolicyid INTEGER, "
         "protgranularity CHAR(1), statchange SMALLINT, statlevel CHAR(1)"},
        {2, "syscolumns",
         "colname VARCHAR(128), tabid INTEGER, colno SMALLINT, coltype SMALLINT, collength SMALLINT, "
         "colmin INTEGER, colmax INTEGER, extended_id INTEGER, seclabelid INTEGER, colattr SMALLINT"},
        {3, "sysindices",
         "idxname VARCHAR(128), owner CHAR(32), tabid INTEGER, idxtype CHAR(1), clustered CHAR(1), "
         "levels SMALLINT, leaves FLOAT, nunique FLOAT, clust FLOAT, nrows FLOAT, indexkeys LVARCHAR(2048), "
         "amid INTEGER, amparam LVARCHAR(256), collation CHAR(32), pagesize INTEGER"},
        {4, "systabauth",
         "grantor CHAR(32), grantee CHAR(32), tabid INTEGER, tabauth CHAR(9)"},
        {5, "syscolauth",
         "grantor CHAR(32), grantee CHAR(32), tabid INTEGER, colno SMALLINT, colauth CHAR(3)"},
        {6, "sysviews", "tabid INTEGER, seqno SMALLINT, viewtext CHAR(64)"},
        {7, "sysusers",
         "username CHAR(32), usertype CHAR(1), priority SMALLINT, password CHAR(16), defrole CHAR(32)"},
        {8, "sysdepend", "btabid INTEGER, btype CHAR(1), dtabid INTEGER, dtype CHAR(1)"},
        {9, "syssyntable",
         "tabid INTEGER, servername VARCHAR(128), dbname VARCHAR(128), owner CHAR(32), tabname VARCHAR(128), "
         "btabid INTEGER"},
        {10, "sysconstraints",
         "constrid SERIAL, constrname VARCHAR(128), owner CHAR(32), tabid INTEGER, constrtype CHAR(1), "
         "idxname VARCHAR(128), collation CHAR(32)"},
        {11, "sysreferences",
         "constrid INTEGER, primary INTEGER, ptabid INTEGER, updrule CHAR(1), delrule CHAR(1), matchtype CHAR(1), "
         "pendant CHAR(1)"},
        {12, "syschecks", "constrid INTEGER, type CHAR(1), seqno SMALLINT, checktext CHAR(32)"},
        {13, "sysdefaults",
         "tabid INTEGER, colno SMALLINT, type CHAR(1), default CHAR(256), class CHAR(1)"},
        {14, "syscoldepend", "constrid INTEGER, tabid INTEGER, colno SMALLINT"},
        {15, "sysprocedures",
         "procname VARCHAR(128), owner CHAR(32), procid SERIAL, mode CHAR(1), retsize INTEGER, symsize INTEGER, "
         "datasize INTEGER, codesize INTEGER, numargs SMALLINT, isproc CHAR(1), specificname VARCHAR(128), "
         "externalname VARCHAR(255), paramstyle CHAR(1), langid INTEGER, paramtypes LVARCHAR(2048), "
         "variant BOOLEAN, client BOOLEAN, handlesnulls BOOLEAN, iterator BOOLEAN, percallcost INTEGER, "
         "commutator VARCHAR(128), negator VARCHAR(128), selfunc VARCHAR(128), internal BOOLEAN, "
         "class CHAR(18), stack INTEGER, parallelizable BOOLEAN, costfunc VARCHAR(128), selconst FLOAT, "
         "collation CHAR(32)"},
        {16, "sysprocbody", "procid INTEGER, datakey CHAR(1), seqno INTEGER, data CHAR(256)"},
        {17, "sysprocauth", "grantor CHAR(32), grantee CHAR(32), procid INTEGER, procauth CHAR(1)"},
        {18, "systriggers",
         "trigid SERIAL, trigname VARCHAR(128), owner CHAR(32), tabid INTEGER, event CHAR(1), old VARCHAR(128), "
         "new VARCHAR(128), mode CHAR(1), collation CHAR(32)"},
        {19, "systrigbody", "trigid INTEGER, datakey CHAR(1), seqno INTEGER, data CHAR(256)"},
        {20, "sysdistrib",
         "tabid INTEGER, colno SMALLINT, seqno INTEGER, constructed DATE, mode CHAR(1), resolution FLOAT, "
         "confidence FLOAT, encdat LVARCHAR(2048), type CHAR(1), smplsize FLOAT, rowssmpld FLOAT"},
        {21, "sysfragments",
         "fragtype CHAR(1), tabid INTEGER, indexname VARCHAR(128), colno INTEGER, partn INTEGER, "
         "strategy CHAR(1), location CHAR(1), servername VARCHAR(128), evalpos INTEGER, exprtext TEXT, "
         "exprbin BYTE, exprarr BYTE, flags INTEGER, dbspace VARCHAR(128), levels SMALLINT, npused INTEGER, "
         "nrows INTEGER, clust INTEGER, partition VARCHAR(128)"},
        {22, "sysobjstate",
         "objtype CHAR(1), owner CHAR(32), name VARCHAR(128), tabid INTEGER, state CHAR(1)"},
        {23, "sysroleauth", "rolename CHAR(32), grantee CHAR(32), is_grantable CHAR(1)"},
        {24, "sysxtdtypes",
         "extended_id SERIAL, domain CHAR(1), mode CHAR(1), owner CHAR(32), name VARCHAR(128), type SMALLINT, "
         "source INTEGER, maxlen INTEGER, length INTEGER, byvalue CHAR(1), cannothash CHAR(1), align SMALLINT, "
         "locator INTEGER"},
        {25, "sysroles", "rolename CHAR(32), owner CHAR(32)"},
        {26, "sysindexes", indexes.c_str()},
    };
    return tables;
}

bool isHiddenOrCatalogName(std::string_view name) {
    const std::string lower = toLowerAscii(name);
    if (lower.rfind("sqlite_", 0) == 0 || lower.rfind("ifxsim_", 0) == 0) return true;
    for (const auto& t : catalogTables())
        if (lower == t.name) return true;
    return false;
}

long long todayAsInformixDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // Days from 1899-12-31 (day 0) by the civil-from-days rule, in local time.
    const int y = local.tm_year + 1900 - (local.tm_mon < 2 ? 1 : 0);
    const int m = local.tm_mon + 1;
    const int d = local.tm_mday;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const long long unixDays = static_cast<long long>(era) * 146097 + doe - 719468;
    return unixDays + 25568;  // day 0 is 1899-12-31, so 1970-01-01 is day 25568
}

int ensureCatalog(sqlite3* db, const std::string& user) {
    sqlite3_create_function(db, "indexkeyarray_out", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr,
                            &indexKeyArrayOut, nullptr, nullptr);
    if (scalar(db, "SELECT count(*) FROM sqlite_schema WHERE type = 'table' AND name = 'systables'") > 0)
        return SQLITE_OK;
    int rc = run(db, "SAVEPOINT ifxsim_catalog");
    if (rc != SQLITE_OK) return rc;
    const long long today = todayAsInformixDate();
    // Names are quoted: "default" and "primary" are SQLite keywords.
    for (const auto& t : catalogTables()) {
        if (rc != SQLITE_OK) break;
        const auto tokens = StatementTokenizer::tokenize(t.columns);
        std::string create = std::string("CREATE TABLE ") + t.name + " (";
        for (std::size_t i = 0; i < tokens.size();) {
            std::size_t begin = ++i;
            while (i < tokens.size() && !tokens[i].isSymbol(",")) ++i;
            const std::size_t end = i < tokens.size() ? tokens[i].offset : std::string_view(t.columns).size();
            create += (begin > 1 ? ", " : "") + quoteIdent(toLowerAscii(tokens[begin - 1].text)) + " " +
                      std::string(std::string_view(t.columns).substr(tokens[begin].offset, end - tokens[begin].offset));
            ++i;
        }
        rc = run(db, create + ")");
    }
    // The catalog describes itself: a systables row and syscolumns rows per table.
    for (const auto& t : catalogTables()) {
        if (rc != SQLITE_OK) break;
        const auto tokens = StatementTokenizer::tokenize(t.columns);
        int colno = 0;
        int rowsize = 0;
        std::size_t i = 0;
        while (rc == SQLITE_OK && i < tokens.size()) {
            const std::string name = toLowerAscii(tokens[i++].text);
            const auto type = parseTypeDecl(tokens, i);
            if (!type) break;
            while (i < tokens.size() && !tokens[i].isSymbol(",")) ++i;
            ++i;
            ++colno;
            rowsize += columnStorageSize(*type);
            const int nonNull = type->serial != SerialKind::None ? 256 : 0;
            rc = run(db, "INSERT INTO syscolumns (colname, tabid, colno, coltype, collength, extended_id) "
                         "VALUES (?, ?, ?, ?, ?, ?)",
                     {name, std::int64_t{t.tabid}, std::int64_t{colno}, std::int64_t{type->code + nonNull},
                      std::int64_t{collengthOf(*type)}, std::int64_t{type->xid}});
        }
        if (rc == SQLITE_OK)
            rc = run(db, "INSERT INTO systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, "
                         "created, version, tabtype, locklevel, npused, fextsize, nextsize, flags, pagesize) "
                         "VALUES (?, 'informix', 0, ?, ?, ?, 0, 0, ?, ?, 'T', 'R', 0, 16, 16, 0, 2048)",
                     {std::string(t.name), std::int64_t{t.tabid}, std::int64_t{rowsize}, std::int64_t{colno},
                      std::int64_t{today}, std::int64_t{t.tabid} * 65536});
    }
    // The locale rows every Informix database carries.
    if (rc == SQLITE_OK)
        rc = run(db, "INSERT INTO systables (tabname, owner, partnum, tabid, rowsize, ncols, nindexes, nrows, created, "
                     "version, tabtype, locklevel, npused, fextsize, nextsize, flags, pagesize) VALUES "
                     "(' GL_COLLATE', 'informix', 0, 90, 0, 0, 0, 0, ?1, 0, 'L', 'B', 0, 0, 0, 0, 2048), "
                     "(' GL_CTYPE', 'informix', 0, 91, 0, 0, 0, 0, ?1, 0, 'L', 'B', 0, 0, 0, 0, 2048)",
                 {std::int64_t{today}});
    // The creator is the database's DBA; everyone else may connect.
    if (rc == SQLITE_OK)
        rc = run(db, "INSERT INTO sysusers (username, usertype, priority) VALUES (?, 'D', 9), ('public', 'C', 5)",
                 {user});
    if (rc == SQLITE_OK) rc = syncCatalog(db, user, {});
    if (rc == SQLITE_OK) return run(db, "RELEASE ifxsim_catalog");
    run(db, "ROLLBACK TO ifxsim_catalog");
    run(db, "RELEASE ifxsim_catalog");
    return rc;
}

}  // namespace ifxsim::catalog
