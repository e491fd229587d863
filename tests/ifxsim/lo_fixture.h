#pragma once
// Helpers for the smart-large-object tests: the statement fixture's logged
// database plus small wrappers over the ifx_lo_* entry points.
#include <string>

#include "stmt_fixture.h"

namespace lo_test {

inline ifx_int8_t Int8(long long v)
{
    ifx_int8_t out{};
    std::string text = std::to_string(v);
    ifx_int8cvasc(text.data(), static_cast<mint>(text.size()), &out);
    return out;
}

inline long long Value(ifx_int8_t v)
{
    char text[32] = {};
    ifx_int8toasc(&v, text, 21);
    return std::stoll(text);
}

inline int Isam() { return stmt_test::Ca().sqlerrd[1]; }

// Writes text at the descriptor's position; the bytes written, or -1.
inline mint Write(mint fd, std::string text, mint* error)
{
    return ifx_lo_write(fd, text.data(), static_cast<mint>(text.size()), error);
}

// Reads up to n bytes from the position; the text, or "<error CODE>".
inline std::string Read(mint fd, mint n)
{
    std::string buf(static_cast<std::size_t>(n), '\0');
    mint error = 0;
    const mint got = ifx_lo_read(fd, buf.data(), n, &error);
    if (got < 0)
        return "<error " + std::to_string(error) + ">";
    buf.resize(static_cast<std::size_t>(got));
    return buf;
}

// The size stat reports for an open descriptor, or the error code.
inline long long StatSize(mint fd)
{
    ifx_lo_stat_t* stat = nullptr;
    if (mint rc = ifx_lo_stat(fd, &stat))
        return rc;
    ifx_int8_t size{};
    const mint rc = ifx_lo_stat_size(stat, &size);
    ifx_lo_stat_free(stat);
    return rc ? rc : Value(size);
}

// The whole content through ifx_lo_to_buffer (library-allocated buffer).
inline std::string Content(ifx_lo_t& lo)
{
    char* buffer = nullptr;
    mint error = 0;
    const mint n = ifx_lo_to_buffer(&lo, 1 << 20, &buffer, &error);
    if (n < 0)
        return "<error " + std::to_string(error) + ">";
    std::string text(buffer, static_cast<std::size_t>(n));
    std::free(buffer);
    return text;
}

}  // namespace lo_test
