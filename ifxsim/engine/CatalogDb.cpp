#include "engine/CatalogDb.h"

namespace ifxsim::catalog {

int run(sqlite3* db, const std::string& sql, const std::vector<Bound>& args,
        const std::function<void(sqlite3_stmt*)>& row) {
    sqlite3_stmt* raw = nullptr;
    if (int rc = sqlite3_prepare_v2(db, sql.c_str(), -1, &raw, nullptr); rc != SQLITE_OK) {
        sqlite3_finalize(raw);
        return rc;
    }
    Stmt stmt(raw);
    for (std::size_t i = 0; i < args.size(); ++i) {
        const int at = static_cast<int>(i) + 1;
        const Bound& a = args[i];
        if (auto* n = std::get_if<std::int64_t>(&a)) sqlite3_bind_int64(raw, at, *n);
        else if (auto* d = std::get_if<double>(&a)) sqlite3_bind_double(raw, at, *d);
        else if (auto* t = std::get_if<std::string>(&a))
            sqlite3_bind_text(raw, at, t->data(), static_cast<int>(t->size()), SQLITE_TRANSIENT);
        else sqlite3_bind_null(raw, at);
    }
    int rc;
    while ((rc = sqlite3_step(raw)) == SQLITE_ROW) {
        if (row) row(raw);
    }
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

std::string text(sqlite3_stmt* s, int i) {
    const auto* p = sqlite3_column_text(s, i);
    return p ? std::string(reinterpret_cast<const char*>(p), static_cast<std::size_t>(sqlite3_column_bytes(s, i)))
             : std::string();
}

std::int64_t scalar(sqlite3* db, const std::string& sql, const std::vector<Bound>& args, std::int64_t fallback) {
    std::int64_t value = fallback;
    run(db, sql, args, [&](sqlite3_stmt* s) {
        if (sqlite3_column_type(s, 0) != SQLITE_NULL) value = sqlite3_column_int64(s, 0);
    });
    return value;
}

std::string quoteIdent(const std::string& name) {
    std::string q = "\"";
    for (char c : name) {
        if (c == '"') q += '"';
        q += c;
    }
    return q + "\"";
}

}  // namespace ifxsim::catalog
