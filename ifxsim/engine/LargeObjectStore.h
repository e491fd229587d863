#pragma once
// Smart large objects of the stand-in: each database keeps them in a hidden
// table (ifxsim_lo: id -> bytes); BLOB and CLOB columns hold the object id.
//
// An ifx_lo_t handle (72 opaque bytes) names the object:
//   0..7   "IFXSIMLO" (marks a handle of this library)
//   8..15  int64 size when the handle was made (informational only)
//   16..23 int64 object id
//   24..31 uint64 key of the database file the object lives in
//   32..71 the database name, cut to 39 bytes and NUL-terminated (for people)
// A handle is accepted only in a connection whose open database has that key.
#include <cstdint>
#include <string>
#include <string_view>

#include "ifxesqlc.h"

struct sqlite3;

// The opaque structures of the public header.
struct ifx_lo_create_spec_s {
    std::int64_t estimatedBytes = 0;  // not used by the store; kept for the caller
};
struct ifx_lo_stat_s {
    std::int64_t size = 0;
};

namespace ifxsim::lo {

// Smart-large-object error: every failure of the ifx_lo_* calls. sqlerrd[1]
// carries the ISAM detail: -101 descriptor not open, -111 no such object.
constexpr int kLoError = -9810;
constexpr int kIsamNotOpen = -101;
constexpr int kIsamNoRecord = -111;

struct Handle {
    std::int64_t id = 0;
    std::uint64_t database = 0;
    std::int64_t size = 0;
};

// The key that ties handles to one database file.
std::uint64_t DatabaseKey(std::string_view databaseFile);

void EncodeHandle(const Handle& handle, std::string_view databaseName, ifx_lo_t& out);
// False when the bytes are not a handle of this library.
bool DecodeHandle(const ifx_lo_t& in, Handle& out);

// Store operations on a database's SQLite handle. Each returns 0 or
// kLoError with sqlca set.
int CreateObject(sqlite3* db, std::string_view bytes, std::int64_t& id);
int LoadObject(sqlite3* db, std::int64_t id, std::string& bytes);
int SaveObject(sqlite3* db, std::int64_t id, std::string_view bytes);
// True when object `id` exists (false also when the table is missing).
bool ObjectExists(sqlite3* db, std::int64_t id);

}  // namespace ifxsim::lo
