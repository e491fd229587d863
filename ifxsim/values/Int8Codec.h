// ifx_int8_t <-> int64_t. The magnitude sits in data[0] (low 32 bits) and
// data[1] (high 32 bits) [UNVERIFIED word order], the sign apart; 0 is NULL.
// The INT8 range is ±9223372036854775807: -2^63 has no INT8 form.
#pragma once

#include "ifxesqlc.h"

#include <cstdint>

namespace ifxsim {

// False for NULL or a magnitude beyond the INT8 range.
bool int8Get(const ifx_int8_t *v, int64_t &out);
void int8Set(ifx_int8_t *v, int64_t value);  // value must not be INT64_MIN
inline void int8SetNull(ifx_int8_t *v) {
    v->data[0] = v->data[1] = 0;
    v->sign = 0;
}

}  // namespace ifxsim
