// The NULL representation of each C host type (what rsetnull writes and
// risnull recognises), shared by the conversion routines that meet NULLs.
#pragma once

#include "ifxesqlc.h"

#include <climits>
#include <cstring>

namespace ifxsim {

inline constexpr int4 kNullInt4 = INT32_MIN;
inline constexpr int2 kNullInt2 = INT16_MIN;
inline constexpr mlong kNullLong = LONG_MIN;
inline constexpr bigint kNullBigint = INT64_MIN;

inline void setNullDouble(double *d) { std::memset(d, 0xff, sizeof *d); }
inline void setNullFloat(float *f) { std::memset(f, 0xff, sizeof *f); }
inline bool isNullBytes(const void *p, size_t n) {
    const unsigned char *b = static_cast<const unsigned char *>(p);
    for (size_t i = 0; i < n; ++i)
        if (b[i] != 0xff)
            return false;
    return true;
}

}  // namespace ifxsim
