#pragma once
// The library's own environment (ifx_getenv / ifx_putenv): a copy of the
// process environment taken at first use, changed only through ifx_putenv.
// Values handed out stay valid for the life of the process, so a caller may
// keep the pointer ifx_getenv returned while another thread sets the name anew.
#include <optional>
#include <string>
#include <string_view>

namespace ifxsim {

// The value of `name`, or nothing when it is not set.
std::optional<std::string> EnvGet(std::string_view name);
// Stable C string of the value, or null (what ifx_getenv answers).
const char* EnvGetStable(std::string_view name);
// "NAME=value" sets NAME (an empty value included); "NAME" alone removes it.
// Returns false for text without a valid name.
bool EnvPut(std::string_view assignment);

}  // namespace ifxsim
