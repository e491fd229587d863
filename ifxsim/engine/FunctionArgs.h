#pragma once
// What the engine's SQL functions share for their arguments and failures.
#include <sqlite3.h>

#include <cstddef>
#include <string>

#include "engine/ValuesFunctions.h"

namespace ifxsim {

// Ends the function with the Informix error `code`, carried in the message
// as "ifxsim:<code>" so the statement reports that code.
inline void failFunction(sqlite3_context* ctx, int code) {
    const std::string message = std::string(kFunctionErrorPrefix) + std::to_string(code);
    sqlite3_result_error(ctx, message.c_str(), -1);
}

// The argument as text, embedded NULs kept; empty for NULL.
inline std::string argText(sqlite3_value* v) {
    const auto* p = reinterpret_cast<const char*>(sqlite3_value_text(v));
    return p ? std::string(p, static_cast<std::size_t>(sqlite3_value_bytes(v))) : std::string();
}

inline bool anyNullArg(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return true;
    return false;
}

}  // namespace ifxsim
