#pragma once
// The row id of the last row an UPDATE or DELETE touched, for sqlerrd[5]:
// SQLite's update hook reports every row change with its rowid while the
// watch lives (rows of other tables, changed by triggers, are not counted).
#include <cstdint>
#include <optional>
#include <string>

struct sqlite3;

namespace ifxsim {

class RowIdWatch {
public:
    // `operation` is SQLITE_UPDATE or SQLITE_DELETE; `table` is folded to lower case.
    RowIdWatch(sqlite3* db, std::string table, int operation);
    ~RowIdWatch();
    RowIdWatch(const RowIdWatch&) = delete;
    RowIdWatch& operator=(const RowIdWatch&) = delete;

    std::optional<std::int64_t> last() const { return last_; }

private:
    static void onChange(void* self, int operation, const char* database, const char* table, long long rowid);
    sqlite3* db_;
    std::string table_;
    int operation_;
    std::optional<std::int64_t> last_;
};

}  // namespace ifxsim
