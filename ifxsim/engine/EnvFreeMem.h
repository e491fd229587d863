#pragma once
// What SqlFreeMem does for each kind of memory the library hands out.
// Everything is malloc'ed unless the part that allocates it registers its
// own release (the statement side does for cursors and descriptors).
namespace ifxsim {

using FreeMemHandler = void (*)(void* memory);

// Registers the release of `kind` (CURSOR_FREE, STRING_FREE, SQLDA_FREE,
// CONN_FREE, LOC_BUFFER_FREE); call it from a static initialiser.
void SetFreeMemHandler(int kind, FreeMemHandler handler);
FreeMemHandler GetFreeMemHandler(int kind);

}  // namespace ifxsim
