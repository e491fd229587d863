#pragma once
// Statement and cursor handles (the ifx_cursor_t the caller holds) and the
// per-connection registry that finds them by name and tells them when the
// database closes or a transaction ends.
//
// A statement handle holds a prepared plan and its compiled SQLite statement.
// A cursor handle is named by sqli_curs_locate, bound to a statement by
// sqli_curs_decl_dynm (with its own compiled copy, so several cursors may
// share one statement) and then opened, fetched and closed. A scroll cursor
// reads all its rows at open; a sequential one steps SQLite as it fetches.
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "engine/Connection.h"
#include "engine/Statement.h"
#include "engine/Values.h"

namespace ifxsim {

class CursorRegistry;

struct Handle {
    enum class Kind { Statement, Cursor };

    ifx_cursor_t pub{};  // what the caller holds; _SQCimpl points back here
    Kind kind = Kind::Statement;
    std::string name;
    CursorRegistry* registry = nullptr;  // null once its connection is gone
    std::shared_ptr<const StatementPlan> plan;
    StmtPtr stmt;        // statement: its compiled statement; cursor: its running one
    bool stale = false;  // the database it was prepared in has closed

    // Cursor state
    int flags = 0;       // CURSOR_FLAG_HOLD, CURSOR_FLAG_SCROLL
    bool declared = false;
    bool open = false;
    std::vector<std::vector<CellValue>> rows;         // scroll cursors: every row
    std::vector<CellValue> current;  // sequential cursors: the last row stepped (its buffers reused)
    bool lookahead = false;          // sequential: `current` is stepped ahead and not yet fetched
    bool exhausted = false;                            // sequential: SQLite said DONE
    std::int64_t position = 0;                         // scroll: 0 before first, rows+1 after last
    std::int64_t fetched = 0;

    bool scroll() const { return (flags & CURSOR_FLAG_SCROLL) != 0; }
    bool hold() const { return (flags & CURSOR_FLAG_HOLD) != 0; }
    void closeCursor();  // back to declared: statement reset, rows dropped
};

// The handle behind a caller's pointer, or null when it is not a live handle.
Handle* handleOf(ifx_cursor_t* pub);
// A new handle, registered with `registry` (may be null) and the live set.
Handle* newHandle(Handle::Kind kind, std::string name, CursorRegistry* registry);
// Releases a handle and everything it holds.
void freeHandle(Handle* handle);

class CursorRegistry : public ConnectionExtension {
public:
    ~CursorRegistry() override;
    void databaseClosing() override;
    void transactionEnded(bool committed) override;

    void add(Handle* h);
    void remove(Handle* h);
    Handle* findCursor(const std::string& name);
    Handle* findStatement(const std::string& name);
    void nameStatement(Handle* h, const std::string& name);
    void nameCursor(Handle* h, const std::string& name);

    // The registry of a connection, created on first use.
    static CursorRegistry& of(Connection& connection);

private:
    std::mutex mutex_;
    std::set<Handle*> handles_;
    std::map<std::string, Handle*> cursors_;
    std::map<std::string, Handle*> statements_;
};

// Cursor operations behind the entry points; each returns 0, 100 or an error
// stored in sqlca. The guard is the caller's request.
int openCursor(RequestGuard& guard, Handle& cursor, const Inputs& inputs);
int fetchCursor(RequestGuard& guard, Handle& cursor, ifx_sqlda_t* output, const _FetchSpec* spec);
int closeCursor(Handle& cursor);

}  // namespace ifxsim
