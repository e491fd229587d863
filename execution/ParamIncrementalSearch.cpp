#include "execution/ParamIncrementalSearch.h"

namespace varnok {

std::optional<QString> TParamIncrementalSearch::KeyPress(QChar key, std::uint32_t tick, const QStringList& entries) {
    // Unsigned difference: right across the counter's wrap.
    const std::uint32_t elapsed = tick - lastTick_;
    if (searchText_.isEmpty() || elapsed > kRestartAfterMs) searchText_.clear();
    searchText_ += key;
    lastTick_ = tick;
    for (const auto& entry : entries)
        if (entry.startsWith(searchText_, Qt::CaseInsensitive)) return entry;
    return std::nullopt;
}

}  // namespace varnok
