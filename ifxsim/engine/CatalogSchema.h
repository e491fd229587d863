#pragma once
// The system catalog's own tables: their names, tabids below 100 and columns
// declared with Informix types (so DESCRIBE reports Informix types), and the
// set-up that creates them in a database that has none yet.
#include <string>
#include <string_view>
#include <vector>

struct sqlite3;

namespace ifxsim::catalog {

struct CatalogTable {
    int tabid;
    const char* name;
    const char* columns;  // "name TYPE, name TYPE, …"
};

// Every catalog table, in tabid order.
const std::vector<CatalogTable>& catalogTables();

// True for the catalog's own table names and the stand-in's internal objects
// (ifxsim_* tables and triggers, sqlite_*), which user-object listings skip.
bool isHiddenOrCatalogName(std::string_view name);

// Creates the catalog tables and their own rows when the database has none
// (a new database, or a file written before the catalog existed), records the
// user objects already present, and registers the catalog's SQL functions
// (indexkeyarray_out) on the handle. Returns SQLITE_OK or SQLite's error.
int ensureCatalog(sqlite3* db, const std::string& user);

// Today as an Informix DATE (days since 1899-12-31), as DATE columns store it.
long long todayAsInformixDate();

}  // namespace ifxsim::catalog
