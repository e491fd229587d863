#include "engine/Cursor.h"

#include <sqlite3.h>

#include <atomic>
#include <unordered_map>

namespace ifxsim {

namespace {

std::mutex& liveMutex() {
    static std::mutex m;
    return m;
}

// Every handle given out and not yet freed, by the address the caller holds:
// a stale or foreign pointer is recognised without reading through it.
std::unordered_map<const ifx_cursor_t*, Handle*>& liveHandles() {
    static std::unordered_map<const ifx_cursor_t*, Handle*> live;
    return live;
}

// Moves on (under liveMutex) whenever a handle comes or goes: a thread's last
// answer from handleOf holds while it has not moved.
std::atomic<std::uint64_t>& liveGeneration() {
    static std::atomic<std::uint64_t> generation{0};
    return generation;
}

struct LastLookup {
    const ifx_cursor_t* pub = nullptr;
    Handle* handle = nullptr;
    std::uint64_t generation = 0;
};

}  // namespace

void StmtDeleter::operator()(sqlite3_stmt* s) const { sqlite3_finalize(s); }

void Handle::closeCursor() {
    if (stmt) sqlite3_reset(stmt.get());
    open = false;
    rows.clear();
    rows.shrink_to_fit();
    lookahead = false;
    current.clear();
    current.shrink_to_fit();
    exhausted = false;
    position = 0;
    fetched = 0;
}

Handle* handleOf(ifx_cursor_t* pub) {
    if (!pub) return nullptr;
    // Fetch after fetch asks for the same handle: the thread's last answer
    // serves while no handle has been made or freed since.
    thread_local LastLookup last;
    if (last.pub == pub && last.handle && last.generation == liveGeneration().load(std::memory_order_acquire))
        return last.handle;
    std::lock_guard lock(liveMutex());
    const auto it = liveHandles().find(pub);
    Handle* h = it == liveHandles().end() ? nullptr : it->second;
    last = {pub, h, liveGeneration().load(std::memory_order_relaxed)};
    return h;
}

Handle* newHandle(Handle::Kind kind, std::string name, CursorRegistry* registry) {
    auto owned = std::make_unique<Handle>();
    Handle* h = owned.get();
    h->kind = kind;
    h->name = std::move(name);
    h->pub._SQCcursptr = &h->pub;
    h->pub._SQCimpl = h;
    {
        std::lock_guard lock(liveMutex());
        liveHandles().emplace(&h->pub, h);
        liveGeneration().fetch_add(1, std::memory_order_release);
    }
    if (registry) registry->add(h);
    return owned.release();
}

void freeHandle(Handle* h) {
    if (!h) return;
    {
        std::lock_guard lock(liveMutex());
        liveHandles().erase(&h->pub);
        liveGeneration().fetch_add(1, std::memory_order_release);
    }
    if (h->registry) h->registry->remove(h);
    std::unique_ptr<Handle> owned(h);  // finalizes its SQLite statement
}

CursorRegistry::~CursorRegistry() {
    // The connection is going: its handles stay valid for the caller to free,
    // but lose their SQLite statements now, before the database handle closes.
    std::lock_guard lock(mutex_);
    for (Handle* h : handles_) {
        h->closeCursor();
        h->stmt.reset();
        h->stale = true;
        h->registry = nullptr;
    }
}

void CursorRegistry::databaseClosing() {
    std::lock_guard lock(mutex_);
    for (Handle* h : handles_) {
        if (!h->plan || h->plan->execution == Execution::DatabaseVerb) continue;
        h->closeCursor();
        h->stmt.reset();
        h->stale = true;
    }
}

void CursorRegistry::transactionEnded(bool committed) {
    // COMMIT closes the cursors declared without hold; ROLLBACK closes them all.
    std::lock_guard lock(mutex_);
    for (Handle* h : handles_)
        if (h->kind == Handle::Kind::Cursor && h->open && (!committed || !h->hold())) h->closeCursor();
}

void CursorRegistry::add(Handle* h) {
    std::lock_guard lock(mutex_);
    handles_.insert(h);
    h->registry = this;
}

void CursorRegistry::remove(Handle* h) {
    std::lock_guard lock(mutex_);
    handles_.erase(h);
    for (auto* names : {&cursors_, &statements_}) {
        for (auto it = names->begin(); it != names->end();) {
            if (it->second == h) it = names->erase(it);
            else ++it;
        }
    }
    h->registry = nullptr;
}

Handle* CursorRegistry::findCursor(const std::string& name) {
    std::lock_guard lock(mutex_);
    auto it = cursors_.find(name);
    return it == cursors_.end() ? nullptr : it->second;
}

Handle* CursorRegistry::findStatement(const std::string& name) {
    std::lock_guard lock(mutex_);
    auto it = statements_.find(name);
    return it == statements_.end() ? nullptr : it->second;
}

void CursorRegistry::nameStatement(Handle* h, const std::string& name) {
    if (name.empty()) return;
    std::lock_guard lock(mutex_);
    statements_[name] = h;
}

void CursorRegistry::nameCursor(Handle* h, const std::string& name) {
    if (name.empty()) return;
    std::lock_guard lock(mutex_);
    cursors_[name] = h;
}

CursorRegistry& CursorRegistry::of(Connection& connection) {
    if (auto* existing = dynamic_cast<CursorRegistry*>(connection.extension())) return *existing;
    auto created = std::make_unique<CursorRegistry>();
    CursorRegistry& ref = *created;
    connection.setExtension(std::move(created));
    return ref;
}

}  // namespace ifxsim
