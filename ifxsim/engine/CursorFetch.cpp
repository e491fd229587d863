// OPEN, FETCH and CLOSE of a declared cursor.
#include <sqlite3.h>

#include "engine/Cursor.h"
#include "engine/Errors.h"
#include "engine/Interrupt.h"
#include "engine/StatementErrors.h"

namespace ifxsim {

namespace {

constexpr int kCursorNotOpen = -259;
constexpr int kFetchNotOpen = -400;
constexpr int kNotAvailable = -404;

// Reads the current row into `row`, reusing its cells and their text buffers.
// The caller holds the connection mutex.
void readRow(sqlite3_stmt* s, std::vector<CellValue>& row) {
    const int n = sqlite3_column_count(s);
    row.resize(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) readCellLocked(s, i, row[static_cast<std::size_t>(i)]);
}

// Steps SQLite once: 1 with a row in `row`, 0 at the end, or a stored error.
int stepRow(RequestGuard& guard, Handle& c, std::vector<CellValue>& row) {
    // The connection's mutex (recursive) is taken once for the step and the
    // row's reads, instead of once by each column call.
    sqlite3_mutex* mutex = sqlite3_db_mutex(sqlite3_db_handle(c.stmt.get()));
    sqlite3_mutex_enter(mutex);
    const int rc = sqlite3_step(c.stmt.get());
    if (rc == SQLITE_ROW) readRow(c.stmt.get(), row);
    sqlite3_mutex_leave(mutex);
    if (rc == SQLITE_ROW) return 1;
    if (rc == SQLITE_DONE) return 0;
    return reportSqliteError(guard.connection().db(), rc, guard, StatementPhase::Select, c.plan->tokens,
                             c.plan->translated ? &*c.plan->translated : nullptr);
}

int writeRow(const std::vector<CellValue>& row, const StatementPlan& plan, ifx_sqlda_t* output) {
    // A query of one table carries each row's row id last (see TranslatedStatement).
    if (plan.translated && plan.translated->rowidColumn && !row.empty() && row.back().storage == SQLITE_INTEGER)
        ThreadSqlca().sqlerrd[5] = static_cast<int4>(row.back().integer);
    if (!output) return 0;
    const std::size_t n = std::min<std::size_t>(row.size(), output->sqld > 0 ? output->sqld : 0);
    for (std::size_t i = 0; i < n && i < plan.columns.size(); ++i) {
        if (int err = writeOutput(row[i], plan.columns[i], output->sqlvar[i]); err < 0) return SetError(err);
    }
    if (static_cast<std::size_t>(output->sqld) != plan.columns.size()) SetWarning(3);
    return 0;
}

}  // namespace

int openCursor(RequestGuard& guard, Handle& c, const Inputs& inputs) {
    if (!c.declared || !c.plan || c.stale) return SetError(kNotAvailable);
    if (c.plan->connection != &guard.connection()) return SetError(kNotAvailable);
    if (c.open) c.closeCursor();  // OPEN of an open cursor starts it afresh
    if (!c.stmt) {
        if (int rc = compilePlan(guard, *c.plan, c.stmt); rc < 0) return rc;
        if (!c.stmt) return SetError(kNotAvailable);
    }
    if (int rc = guard.connection().beginImplicitTransaction(); rc < 0) return rc;
    sqlite3_reset(c.stmt.get());
    sqlite3_clear_bindings(c.stmt.get());
    if (int rc = bindInputs(c.stmt.get(), inputs); rc < 0) return rc;
    ThreadSqlca().sqlerrd[0] = c.plan->estimate.rows;
    ThreadSqlca().sqlerrd[3] = c.plan->estimate.cost;
    if (c.scroll()) {
        // A scroll cursor reads its whole result now, so it can move both ways.
        std::vector<CellValue> row;
        for (;;) {
            const int got = stepRow(guard, c, row);
            if (got < 0) {
                c.closeCursor();
                return got;
            }
            if (got == 0) break;
            c.rows.push_back(std::move(row));
        }
        sqlite3_reset(c.stmt.get());
    } else {
        // The first row is read at once, so that a failing query fails at OPEN.
        const int got = stepRow(guard, c, c.current);
        if (got < 0) {
            c.closeCursor();
            return got;
        }
        if (got == 1) c.lookahead = true;
        else c.exhausted = true;
    }
    c.open = true;
    return 0;
}

int fetchCursor(RequestGuard& guard, Handle& c, ifx_sqlda_t* output, const _FetchSpec* spec) {
    if (!c.open) return SetError(kFetchNotOpen);
    const int direction = spec && spec->fdir ? spec->fdir : FETCH_NEXT;
    sqlca_s& ca = ThreadSqlca();
    if (!c.scroll()) {
        if (direction != FETCH_NEXT) return SetError(-201);  // only a SCROLL cursor moves freely
        if (!c.lookahead) {
            if (c.exhausted) {
                ca.sqlcode = SQLNOTFOUND;
                return SQLNOTFOUND;
            }
            const int got = stepRow(guard, c, c.current);
            if (got < 0) return got;
            if (got == 0) {
                c.exhausted = true;
                ca.sqlcode = SQLNOTFOUND;
                return SQLNOTFOUND;
            }
            c.lookahead = true;
        }
        c.lookahead = false;
        ++c.fetched;
        ca.sqlerrd[2] = static_cast<int4>(c.fetched);
        return writeRow(c.current, *c.plan, output);
    }
    const auto count = static_cast<std::int64_t>(c.rows.size());
    std::int64_t target = c.position;
    const std::int64_t value = spec ? spec->fval : 0;
    switch (direction) {
    case FETCH_NEXT: target = c.position + 1; break;
    case FETCH_PREVIOUS: target = c.position - 1; break;
    case FETCH_FIRST: target = 1; break;
    case FETCH_LAST: target = count; break;
    case FETCH_CURRENT: target = c.position; break;
    case FETCH_ABSOLUTE: target = value; break;
    case FETCH_RELATIVE: target = c.position + value; break;
    default: return SetError(-201);
    }
    if (target < 1 || target > count) {
        // Off either end: the cursor rests before the first or after the last row.
        c.position = target < 1 ? 0 : count + 1;
        ca.sqlcode = SQLNOTFOUND;
        return SQLNOTFOUND;
    }
    c.position = target;
    ++c.fetched;
    ca.sqlerrd[2] = static_cast<int4>(c.fetched);
    return writeRow(c.rows[static_cast<std::size_t>(target - 1)], *c.plan, output);
}

int closeCursor(Handle& c) {
    if (!c.open) return SetError(kCursorNotOpen);
    c.closeCursor();
    return 0;
}

}  // namespace ifxsim
