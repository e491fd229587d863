// Exported smart-large-object entry points (ifx_lo_*). Placeholder: every call
// fails with the smart-large-object error until the store is wired in.
#include "engine/Errors.h"
#include "ifxesqlc.h"

using namespace ifxsim;

namespace {
constexpr mint kLoError = -9810;   // Smart-large-object error.
mint Fail(mint* error)
{
    if (error)
        *error = kLoError;
    return -1;
}
}  // namespace

mint ifx_lo_def_create_spec(ifx_lo_create_spec_t** spec)
{
    if (spec)
        *spec = nullptr;
    return kLoError;
}
mint ifx_lo_create(ifx_lo_create_spec_t*, mint, ifx_lo_t*, mint* error) { return Fail(error); }
mint ifx_lo_open(ifx_lo_t*, mint, mint* error) { return Fail(error); }
mint ifx_lo_close(mint) { return kLoError; }
mint ifx_lo_read(mint, char*, mint, mint* error) { return Fail(error); }
mint ifx_lo_readwithseek(mint, char*, mint, ifx_int8_t*, mint, mint* error) { return Fail(error); }
mint ifx_lo_write(mint, char*, mint, mint* error) { return Fail(error); }
mint ifx_lo_seek(mint, ifx_int8_t*, mint, ifx_int8_t*) { return kLoError; }
mint ifx_lo_tell(mint, ifx_int8_t*) { return kLoError; }
mint ifx_lo_truncate(mint, ifx_int8_t*) { return kLoError; }
mint ifx_lo_stat(mint, ifx_lo_stat_t** stat)
{
    if (stat)
        *stat = nullptr;
    return kLoError;
}
mint ifx_lo_stat_size(ifx_lo_stat_t*, ifx_int8_t*) { return kLoError; }
mint ifx_lo_to_buffer(ifx_lo_t*, mint, char** buffer, mint* error)
{
    if (buffer)
        *buffer = nullptr;
    return Fail(error);
}
mint ifx_lo_from_buffer(ifx_lo_t*, mint, char*, mint* error) { return Fail(error); }
mint ifx_lo_release(ifx_lo_t*) { return kLoError; }
mint ifx_lo_spec_free(ifx_lo_create_spec_t*) { return 0; }
mint ifx_lo_stat_free(ifx_lo_stat_t*) { return 0; }
