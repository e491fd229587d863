#include "values/Env.h"

#include <atomic>
#include <cstdlib>

namespace ifxsim {
namespace {
std::atomic<EnvHook> g_hook{nullptr};
}

void setEnvHook(EnvHook hook) { g_hook.store(hook); }

}  // namespace ifxsim

std::string ifxsim_getenv(const char *name) {
    if (ifxsim::EnvHook hook = ifxsim::g_hook.load())
        return hook(name);
    const char *value = std::getenv(name);
    return value ? std::string(value) : std::string();
}
