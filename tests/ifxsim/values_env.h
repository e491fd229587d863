// Test helper: sets a variable of the library's environment for one scope and
// restores the earlier value afterwards.
#pragma once

#include "ifxesqlc.h"

#include <string>

class ScopedLibEnv {
public:
    ScopedLibEnv(const char *name, const std::string &value) : name_(name) {
        const char *old = ifx_getenv(const_cast<char *>(name));
        had_ = old != nullptr;
        if (had_)
            old_ = old;
        ifx_putenv((name_ + "=" + value).c_str());
    }
    // "NAME" without '=' removes the variable again.
    ~ScopedLibEnv() { ifx_putenv((had_ ? name_ + "=" + old_ : name_).c_str()); }
    ScopedLibEnv(const ScopedLibEnv &) = delete;
    ScopedLibEnv &operator=(const ScopedLibEnv &) = delete;

private:
    std::string name_;
    std::string old_;
    bool had_ = false;
};
