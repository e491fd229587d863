#pragma once
// TIfxStatementResource: one prepared statement of a live connection, named
// "ifxsql_" + 8 hex digits on the server. It is shared by reference count
// between the statement components that use it and the connection's
// statement cache; the last release frees it on the server.
//
// The cursor-level operations the statements and data sets call live here:
// describe, execute, declare and open a cursor, fetch, close.
#include <cstdint>
#include <string>

#include "dbaccess/StatementCache.h"
#include "ifxesqlc.h"

namespace varnok {

class TIfxConnectionResource;

class TIfxStatementResource {
public:
    TIfxStatementResource(const TIfxStatementResource&) = delete;
    TIfxStatementResource& operator=(const TIfxStatementResource&) = delete;

    const std::string& Name() const { return name_; }
    const std::string& SQL() const { return sql_; }
    bool Cacheable() const { return cacheable_; }
    // Null once the handle is no longer valid (database change, connection gone).
    ifx_cursor_t* Handle() const { return handle_; }
    bool HandleValid() const { return handle_ != nullptr; }
    ifx_cursor_t* CachedCursor() const { return cursor_; }
    int StatementType() const { return statementType_; }
    int OutputColumns() const { return outputColumns_; }
    int InputMarkers() const { return inputMarkers_; }
    // A SELECT, or a routine call that returns values: its rows come through a cursor.
    bool ReturnsCursorRows() const;
    TStatementUsage Usage() const { return usage_; }
    int RefCount() const { return refCount_; }
    bool InCache() const { return inCache_; }
    TIfxConnectionResource* Owner() const { return owner_; }

    void AddRef() { ++refCount_; }
    // Gives one reference back; the last one frees the statement on the
    // server (when its handle is still valid) and deletes this object.
    void Release();
    // After a database change: forget the handle without a server call, then
    // release the reference.
    void Drop();

    // ---- cursor-level operations (each counts as a use where the rules say so)
    void Describe(ifx_sqlda_t** descriptor);
    // Runs a statement without a cursor; returns sqlerrd[2] (rows processed).
    int Execute(ifx_sqlda_t* input, ifx_sqlda_t* output);
    // Declares (or reuses the cached) cursor and opens it. clientIdentity names
    // the cursor "ifxcur_…" after the statement component that opens it.
    ifx_cursor_t* OpenCursor(std::uint32_t clientIdentity, ifx_sqlda_t* input, bool scrollable);
    // 0 for a row, 100 when no row is left; raises on failure.
    int Fetch(ifx_cursor_t* cursor, ifx_sqlda_t* output, _FetchSpec* spec);
    // Closes the cursor (-259, not open, is not an error); a shared
    // statement's cursor is freed; automatic commit runs.
    void CloseCursor(ifx_cursor_t* cursor);

private:
    friend class TIfxConnectionResource;
    TIfxStatementResource(TIfxConnectionResource* owner, std::string sql, bool cacheable);
    ~TIfxStatementResource();

    // Prepares on the server (the connection is current).
    void Prepare(double now);
    // Each use: count it, stamp it, and let the cache take the statement.
    void NoteUse();
    void FreeOnServer();
    // The handle is no longer valid on the server: give the library's memory
    // for it back (SqlFreeMem, no server request) and forget it.
    void ForgetHandle();
    // The connection went away: nothing left to talk to.
    void Orphan() {
        ForgetHandle();
        owner_ = nullptr;
    }
    void ReportStep(const char* step);
    // Every operation needs the live connection; those on the statement itself
    // (not on an open cursor) need its handle too.
    void RequireLive(bool needHandle) const;

    TIfxConnectionResource* owner_;
    std::string name_;
    std::string sql_;
    bool cacheable_;
    bool inCache_ = false;
    ifx_cursor_t* handle_ = nullptr;
    ifx_cursor_t* cursor_ = nullptr;  // the declared cursor kept between opens
    std::string cursorName_;
    int statementType_ = 0;
    int outputColumns_ = 0;
    int inputMarkers_ = 0;
    TStatementUsage usage_;
    int refCount_ = 1;
};

// One counted reference to a prepared statement, for the statement components.
class TIfxStatementRef {
public:
    TIfxStatementRef() = default;
    // Adopts the reference PrepareStatement handed out.
    explicit TIfxStatementRef(TIfxStatementResource* statement) : statement_(statement) {}
    TIfxStatementRef(TIfxStatementRef&& other) noexcept : statement_(other.statement_) { other.statement_ = nullptr; }
    TIfxStatementRef& operator=(TIfxStatementRef&& other) noexcept;
    TIfxStatementRef(const TIfxStatementRef&) = delete;
    TIfxStatementRef& operator=(const TIfxStatementRef&) = delete;
    ~TIfxStatementRef();

    // Releases the reference (frees on the server when it was the last); raises on failure.
    void Release();
    // Forgets the handle without a server call (database change, disconnect).
    void Drop();
    TIfxStatementResource* Get() const { return statement_; }
    TIfxStatementResource* operator->() const { return statement_; }
    explicit operator bool() const { return statement_ != nullptr; }

private:
    TIfxStatementResource* statement_ = nullptr;
};

}  // namespace varnok
