#include "dbaccess/IfxConnectionTypes.h"

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstring>

namespace varnok {

std::optional<std::string> IsolationLevelText(TIfxIsolationLevel level) {
    switch (level) {
        case ilReadCommitted:
        case ilCommitedRead:
            return "committed read";
        case ilSerializable:
        case ilRepeatableRead:
            return "repeatable read";
        case ilCursorStability:
            return "cursor stability";
        case ilReadUncommitted:
        case ilDirtyRead:
            return "dirty read";
        case ilUnchanged:
            break;
    }
    return std::nullopt;
}

bool ChangesDatabase(int statementType) {
    return statementType == 1 || statementType == 12 || statementType == 31;
}

std::uint32_t NextIfxIdentity() {
    static std::atomic<std::uint32_t> next{0};
    return ++next;
}

namespace {
std::string Named(const char* prefix, std::uint32_t identity) {
    char digits[9];
    std::snprintf(digits, sizeof digits, "%08x", identity);
    return std::string(prefix) + digits;
}
}  // namespace

std::string ConnectionHandleName(std::uint32_t identity) { return Named(kConnectionNamePrefix, identity); }
std::string StatementHandleName(std::uint32_t identity) { return Named("ifxsql_", identity); }
std::string CursorHandleName(std::uint32_t identity) { return Named("ifxcur_", identity); }

std::optional<std::uint32_t> ConnectionIdentityOf(const char* handleName) {
    const size_t prefixLength = std::strlen(kConnectionNamePrefix);
    if (!handleName || std::strncmp(handleName, kConnectionNamePrefix, prefixLength) != 0) return std::nullopt;
    const char* digits = handleName + prefixLength;
    const char* end = digits + std::strlen(digits);
    std::uint32_t identity = 0;
    const auto [rest, error] = std::from_chars(digits, end, identity, 16);
    if (error != std::errc() || rest != end || digits == end) return std::nullopt;
    return identity;
}

}  // namespace varnok
