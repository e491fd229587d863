#include "execution/ScriptErrors.h"

#include <limits>

namespace varnok {

std::int32_t QueryErrorPosition(std::int64_t startIndex, std::int32_t serverOffset) {
    const std::int64_t sum = startIndex + serverOffset;
    if (sum > std::numeric_limits<std::int32_t>::max()) return std::numeric_limits<std::int32_t>::max();
    if (sum < std::numeric_limits<std::int32_t>::min()) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(sum);
}

}  // namespace varnok
