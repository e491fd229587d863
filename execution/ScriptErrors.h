#pragma once
// Exceptions of a script run.
#include <cstdint>
#include <stdexcept>
#include <string>

namespace varnok {

// A failure of the script executor, carrying its message.
class EScriptExecError : public std::runtime_error {
public:
    explicit EScriptExecError(const std::string& message) : std::runtime_error(message) {}
};

// A statement of the script failed. Position is the 1-based index, in the
// executed text, of the character where the server located the error: the
// server's offset within the statement plus the statement's start index, so
// the editor can put its caret there.
class EQueryError : public EScriptExecError {
public:
    EQueryError(std::int32_t position, const std::string& message)
        : EScriptExecError(message), Position(position) {}

    std::int32_t Position;
};

// Position of a failure at server offset `serverOffset` in the statement that
// starts at 1-based index `startIndex`. Saturates instead of wrapping when a
// huge script would push the sum past the 32-bit range.
std::int32_t QueryErrorPosition(std::int64_t startIndex, std::int32_t serverOffset);

}  // namespace varnok
