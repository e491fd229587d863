#include "engine/Catalog.h"

#include <sqlite3.h>

#include "engine/CatalogRoutines.h"
#include "engine/CatalogSchema.h"
#include "engine/CatalogSync.h"
#include "engine/Classify.h"

namespace ifxsim {

namespace {

bool changesSchema(int type) {
    switch (type) {
    case kStmtCreateTable: case kStmtDropTable: case kStmtCreateIndex: case kStmtDropIndex:
    case kStmtRenameTable: case kStmtRenameColumn: case kStmtRenameIndex: case kStmtAlterTable:
    case kStmtCreateView: case kStmtDropView: case kStmtCreateSynonym: case kStmtDropSynonym:
        return true;
    default:
        return false;
    }
}

}  // namespace

int catalogAfterStatement(sqlite3* db, const std::string& user, int type, std::string_view text) {
    if (type == kStmtUpdateStatistics) return catalog::updateStatistics(db, text);
    if (!changesSchema(type)) return SQLITE_OK;
    int rc = catalog::syncCatalog(db, user, catalog::DdlHint{type, std::string(text)});
    // A dropped table (or view) takes its triggers with it.
    if (rc == SQLITE_OK && (type == kStmtDropTable || type == kStmtDropView)) rc = catalog::dropOrphanedTriggers(db);
    return rc;
}

int catalogOnOpen(sqlite3* db, const std::string& user) { return catalog::ensureCatalog(db, user); }

}  // namespace ifxsim
