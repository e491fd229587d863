#include <array>
#include <atomic>
#include <cstdlib>

#include "engine/EnvFreeMem.h"

namespace ifxsim {

namespace {

constexpr int kKinds = 8;

std::array<std::atomic<FreeMemHandler>, kKinds>& Handlers()
{
    static std::array<std::atomic<FreeMemHandler>, kKinds> handlers{};
    return handlers;
}

}  // namespace

void SetFreeMemHandler(int kind, FreeMemHandler handler)
{
    if (kind >= 0 && kind < kKinds)
        Handlers()[kind].store(handler);
}

FreeMemHandler GetFreeMemHandler(int kind)
{
    FreeMemHandler handler = kind >= 0 && kind < kKinds ? Handlers()[kind].load() : nullptr;
    return handler ? handler : &std::free;
}

}  // namespace ifxsim
