#pragma once
// Keeps the catalog in step with the database's real tables, views and
// indexes after DDL: new objects get their rows (tabid from 100), changed ones
// (ALTER, CREATE/DROP INDEX, RENAME) are described again keeping their tabid
// and constraint names, dropped ones lose every row.
#include <string>
#include <string_view>

struct sqlite3;

namespace ifxsim::catalog {

// What the statement that just ran said, for facts SQLite's schema drops:
// constraint names, CHECK texts, view texts, synonyms, lock modes, extents.
struct DdlHint {
    int statementType = 0;
    std::string text;  // the statement as the user wrote it
};

// Brings the catalog in step with the schema. Returns SQLITE_OK or SQLite's error.
int syncCatalog(sqlite3* db, const std::string& user, const DdlHint& hint);

// UPDATE STATISTICS: nrows and npused of the tables it names (all without
// FOR TABLE t) from their row counts; MEDIUM and HIGH also record a
// distribution row per column in sysdistrib, DROP DISTRIBUTIONS removes them.
int updateStatistics(sqlite3* db, std::string_view statement);

}  // namespace ifxsim::catalog
