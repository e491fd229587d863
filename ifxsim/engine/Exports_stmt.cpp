// Entry points of the statements-and-cursors family. Each one clears sqlca,
// runs as one request on the calling thread's current connection, and
// answers 0, 100 (no row) or the negative Informix code it stored in sqlca.
#include <cstring>
#include <optional>
#include <string>

#include "engine/Connection.h"
#include "engine/Cursor.h"
#include "engine/EnvFreeMem.h"
#include "engine/Errors.h"
#include "engine/Interrupt.h"
#include "engine/Statement.h"
#include "ifxesqlc.h"

using namespace ifxsim;

namespace {

constexpr int kNotAvailable = -404;       // The cursor or statement is not available.
constexpr int kNotPrepared = -481;        // Invalid statement name or statement was not prepared.
constexpr int kAlreadyDeclared = -538;

std::string nameOf(const char* name) { return name ? std::string(name) : std::string(); }

// A statement handle for a freshly prepared plan.
ifx_cursor_t* makeStatementHandle(const std::string& name, PreparedResult&& prepared, CursorRegistry* registry) {
    Handle* h = newHandle(Handle::Kind::Statement, name, registry);
    h->plan = std::move(prepared.plan);
    h->stmt = std::move(prepared.stmt);
    h->pub._SQCstmttype = static_cast<int2>(h->plan->cls.type);
    h->pub._SQCnfields = static_cast<int2>(h->plan->columns.size());
    h->pub._SQCnibind = static_cast<int2>(h->plan->paramCount);
    if (registry) registry->nameStatement(h, name);
    return &h->pub;
}

void freeHandleMemory(void* memory) {
    // SqlFreeMem(…, CURSOR_FREE) on a handle releases it like sqli_curs_free.
    if (Handle* h = handleOf(static_cast<ifx_cursor_t*>(memory))) freeHandle(h);
}

struct RegisterFreeHandlers {
    RegisterFreeHandlers() { SetFreeMemHandler(CURSOR_FREE, &freeHandleMemory); }
} registerFreeHandlers;

// A request guard when the thread has a current connection. DATABASE and
// CREATE DATABASE may come without one (they connect implicitly), so its
// absence is no error by itself.
RequestGuard* guardIfConnected(std::optional<RequestGuard>& guard) {
    if (CurrentConnection()) guard.emplace();
    return guard ? &*guard : nullptr;
}

// Runs `text` once (EXECUTE IMMEDIATE, sqli_stmt, sqli_slct).
int runOnce(const std::string& text, const Inputs& inputs, ifx_sqlvar_t* output, int outputCount, int* type) {
    std::optional<RequestGuard> guard;
    RequestGuard* g = guardIfConnected(guard);
    PreparedResult prepared = prepareStatement(g, text);
    if (prepared.error < 0) return prepared.error;
    if (type) *type = prepared.plan->cls.type;
    return runStatement(g, *prepared.plan, prepared.stmt.get(), inputs, output, outputCount);
}

}  // namespace

extern "C" {

ifx_cursor_t* sqli_prep(int4, const char* name, const char* stmt, ifx_literal_t*, ifx_namelist_t*, mint, mint, mint) {
    ResetSqlca();
    if (!stmt) {
        SetError(-201, {}, 0, 0);
        return nullptr;
    }
    std::optional<RequestGuard> guard;
    PreparedResult prepared = prepareStatement(guardIfConnected(guard), stmt);
    if (prepared.error < 0) return nullptr;
    CursorRegistry* registry = guard && guard->ok() ? &CursorRegistry::of(guard->connection()) : nullptr;
    return makeStatementHandle(nameOf(name), std::move(prepared), registry);
}

mint sqli_describe_stmt(int4, ifx_cursor_t* cursor, ifx_sqlda_t** descp, const char*) {
    ResetSqlca();
    Handle* h = handleOf(cursor);
    if (!h || !h->plan) return SetError(kNotPrepared);
    if (h->stale) return SetError(kNotAvailable);
    if (!descp) return SetError(-201);
    *descp = allocateSqlda(h->plan->columns);
    if (!*descp) return SetError(-208);
    // DESCRIBE after PREPARE leaves the optimizer's estimates readable, so a
    // client that prepares and describes a SELECT still sees its cost.
    ThreadSqlca().sqlerrd[0] = h->plan->estimate.rows;
    ThreadSqlca().sqlerrd[3] = h->plan->estimate.cost;
    return 0;
}

mint sqli_exec(int4, ifx_cursor_t* cursor, ifx_sqlda_t* idesc, const char*, struct value*, ifx_sqlda_t* odesc,
               const char*, struct value*, mint) {
    ResetSqlca();
    Handle* h = handleOf(cursor);
    if (!h || !h->plan) return SetError(kNotPrepared);
    if (h->kind == Handle::Kind::Cursor && !h->declared) return SetError(kNotPrepared);
    if (h->stale) return SetError(kNotAvailable);
    std::optional<RequestGuard> guard;
    return runStatement(guardIfConnected(guard), *h->plan, h->stmt.get(), Inputs::of(idesc),
                        odesc ? odesc->sqlvar : nullptr, odesc ? odesc->sqld : 0);
}

mint sqli_exec_immed(const char* stmt) {
    ResetSqlca();
    if (!stmt) return SetError(-201, {}, 0, 0);
    return runOnce(stmt, Inputs{}, nullptr, 0, nullptr);
}

mint sqli_stmt(int4, ifx_statement_t* info, const char** cmdtxt, mint icnt, ifx_sqlvar_t* ibind, struct value*,
               ifx_literal_t*, ifx_namelist_t*, ifx_cursor_t*, mint, mint, mint) {
    ResetSqlca();
    const std::string text = joinPieces(cmdtxt);
    int type = 0;
    const int rc = runOnce(text, Inputs{ibind, ibind ? icnt : 0}, nullptr, 0, &type);
    if (info) info->_SQSstmttype = static_cast<int2>(type);
    return rc;
}

mint sqli_slct(int4, ifx_cursor_t*, const char** cmdtxt, mint icnt, ifx_sqlvar_t* ibind, mint ocnt,
               ifx_sqlvar_t* obind, mint, ifx_literal_t*, ifx_namelist_t*, mint) {
    ResetSqlca();
    const std::string text = joinPieces(cmdtxt);
    return runOnce(text, Inputs{ibind, ibind ? icnt : 0}, obind, obind ? ocnt : 0, nullptr);
}

ifx_cursor_t* sqli_curs_locate(int4, const char* name, mint type) {
    ResetSqlca();
    RequestGuard guard;
    if (!guard.ok()) return nullptr;
    CursorRegistry& registry = CursorRegistry::of(guard.connection());
    const std::string cursorName = nameOf(name);
    if (type == CURS_LOCATE_NEWNAME) {
        if (Handle* existing = registry.findCursor(cursorName)) {
            if (existing->open) {
                SetError(kAlreadyDeclared, cursorName);
                return nullptr;
            }
            return &existing->pub;
        }
        Handle* h = newHandle(Handle::Kind::Cursor, cursorName, &registry);
        registry.nameCursor(h, cursorName);
        return &h->pub;
    }
    // Using a name: a cursor first, else a prepared statement of that name.
    if (Handle* h = registry.findCursor(cursorName)) return &h->pub;
    if (Handle* h = registry.findStatement(cursorName)) return &h->pub;
    SetError(type == CURS_LOCATE_EXEC || type == 257 ? kNotPrepared : kNotAvailable, cursorName);
    return nullptr;
}

mint sqli_curs_decl_dynm(int4, ifx_cursor_t* cursor, const char* curname, ifx_cursor_t* stmt, int4 flags, mint) {
    ResetSqlca();
    Handle* c = handleOf(cursor);
    Handle* s = handleOf(stmt);
    if (!c || c->kind != Handle::Kind::Cursor) return SetError(kNotAvailable, nameOf(curname));
    if (!s || !s->plan) return SetError(kNotPrepared);
    if (s->stale) return SetError(kNotAvailable);
    if (c->open) return SetError(kAlreadyDeclared, c->name);
    RequestGuard guard;
    if (!guard.ok()) return LastSqlCode();
    if (!s->plan->returnsRows()) return SetError(kNotPrepared);  // only a query can have a cursor here
    c->plan = s->plan;
    c->flags = flags;
    c->declared = true;
    c->stale = false;
    c->pub._SQCstmttype = s->pub._SQCstmttype;
    c->pub._SQCnfields = s->pub._SQCnfields;
    c->pub._SQCnibind = s->pub._SQCnibind;
    if (curname && *curname && c->registry) {
        c->name = curname;
        c->registry->nameCursor(c, curname);
    }
    return compilePlan(guard, *c->plan, c->stmt);
}

mint sqli_curs_open(int4, ifx_cursor_t* cursor, ifx_sqlda_t* idesc, const char*, struct value*, mint, mint) {
    ResetSqlca();
    Handle* c = handleOf(cursor);
    if (!c || c->kind != Handle::Kind::Cursor) return SetError(kNotAvailable);
    RequestGuard guard;
    if (!guard.ok()) return LastSqlCode();
    return openCursor(guard, *c, Inputs::of(idesc));
}

mint sqli_curs_fetch(int4, ifx_cursor_t* cursor, ifx_sqlda_t*, ifx_sqlda_t* odesc, const char*, _FetchSpec* spec) {
    ResetSqlca();
    Handle* c = handleOf(cursor);
    if (!c || c->kind != Handle::Kind::Cursor) return SetError(kNotAvailable);
    if (!c->open) return SetError(-400);
    RequestGuard guard;
    if (!guard.ok()) return LastSqlCode();
    return fetchCursor(guard, *c, odesc, spec);
}

mint sqli_curs_close(int4, ifx_cursor_t* cursor) {
    ResetSqlca();
    Handle* c = handleOf(cursor);
    if (!c || c->kind != Handle::Kind::Cursor) return SetError(kNotAvailable);
    std::optional<RequestGuard> guard;  // a request when there is a connection to talk to
    guardIfConnected(guard);
    return closeCursor(*c);
}

mint sqli_curs_free(int4, ifx_cursor_t* cursor) {
    ResetSqlca();
    Handle* h = handleOf(cursor);
    if (!h) return SetError(kNotAvailable);
    std::optional<RequestGuard> guard;
    guardIfConnected(guard);
    freeHandle(h);
    return 0;
}

void ifx_getserial8(ifx_int8_t* serial8) {
    if (!serial8) return;
    const std::string text = std::to_string(lastSerial8());
    ifx_int8cvasc(const_cast<char*>(text.c_str()), static_cast<mint>(text.size()), serial8);
}

}  // extern "C"
