// The library's own environment as the value routines see it (DBDATE, DBMONEY,
// DBCENTURY, DBTIME). The session layer keeps an environment of its own
// (ifx_putenv/ifx_getenv); it installs a hook here so the conversions follow it.
// Without a hook the process environment is read.
#pragma once

#include <string>

namespace ifxsim {

// Returns the variable's value, or an empty string when it is not set.
using EnvHook = std::string (*)(const char *name);

// Installs (or, with nullptr, removes) the lookup the conversions use.
void setEnvHook(EnvHook hook);

}  // namespace ifxsim

std::string ifxsim_getenv(const char *name);
