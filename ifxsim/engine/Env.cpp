// The library's environment: seeded once from the process environment.
#include <deque>
#include <map>
#include <mutex>

#include "engine/Env.h"
#include "values/Env.h"

extern char** environ;

namespace ifxsim {

namespace {

class Environment {
public:
    Environment()
    {
        for (char** entry = environ; entry && *entry; ++entry)
            put(*entry);
    }

    std::optional<std::string> get(std::string_view name)
    {
        std::lock_guard lock(mutex_);
        const auto it = values_.find(std::string(name));
        if (it == values_.end())
            return std::nullopt;
        return *it->second;
    }

    const char* getStable(std::string_view name)
    {
        std::lock_guard lock(mutex_);
        const auto it = values_.find(std::string(name));
        return it == values_.end() ? nullptr : it->second->c_str();
    }

    bool put(std::string_view assignment)
    {
        const std::size_t eq = assignment.find('=');
        const std::string_view name = assignment.substr(0, eq);
        if (name.empty() || name.find_first_of(" \t\r\n") != std::string_view::npos)
            return false;
        std::lock_guard lock(mutex_);
        if (eq == std::string_view::npos) {
            values_.erase(std::string(name));
            return true;
        }
        // Earlier values stay in `storage_`: a caller may still hold their address.
        storage_.emplace_back(assignment.substr(eq + 1));
        values_[std::string(name)] = &storage_.back();
        return true;
    }

private:
    std::mutex mutex_;
    std::map<std::string, const std::string*> values_;
    std::deque<std::string> storage_;
};

Environment& Env()
{
    static Environment env;
    return env;
}

std::string ConversionLookup(const char* name)
{
    return name ? Env().get(name).value_or(std::string()) : std::string();
}

// The conversion routines (DBDATE, DBMONEY, DBCENTURY) read this environment,
// so an ifx_putenv of them takes effect at once.
const struct InstallConversionHook {
    InstallConversionHook() { setEnvHook(&ConversionLookup); }
} installConversionHook;

}  // namespace

std::optional<std::string> EnvGet(std::string_view name)
{
    return Env().get(name);
}

const char* EnvGetStable(std::string_view name)
{
    return Env().getStable(name);
}

bool EnvPut(std::string_view assignment)
{
    return Env().put(assignment);
}

}  // namespace ifxsim
