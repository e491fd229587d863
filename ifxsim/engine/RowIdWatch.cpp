#include "engine/RowIdWatch.h"

#include <sqlite3.h>

#include "engine/StatementTokenizer.h"

namespace ifxsim {

RowIdWatch::RowIdWatch(sqlite3* db, std::string table, int operation)
    : db_(db), table_(toLowerAscii(table)), operation_(operation) {
    if (db_) sqlite3_update_hook(db_, &RowIdWatch::onChange, this);
}

RowIdWatch::~RowIdWatch() {
    if (db_) sqlite3_update_hook(db_, nullptr, nullptr);
}

void RowIdWatch::onChange(void* self, int operation, const char*, const char* table, long long rowid) {
    auto* watch = static_cast<RowIdWatch*>(self);
    if (operation == watch->operation_ && table && toLowerAscii(table) == watch->table_) watch->last_ = rowid;
}

}  // namespace ifxsim
