#include "dbaccess/StatementCache.h"

#include <chrono>
#include <stdexcept>

namespace varnok {

double NowAsDayNumber() {
    using namespace std::chrono;
    constexpr double kUnixEpochDay = 25569.0;  // 1970-01-01 as a day number since 1899-12-30
    const double seconds = duration<double>(system_clock::now().time_since_epoch()).count();
    return kUnixEpochDay + seconds / 86400.0;
}

double EvictionScore(const TStatementUsage& usage, double now) {
    const double seconds = (2 * now - usage.created - usage.lastUse) * 86400.0 + 1.0;
    // A use count of 0 cannot happen (it starts at 1); guard the division anyway.
    const double uses = usage.uses > 0 ? usage.uses : 1;
    return seconds * (usage.cost * usage.cost + 1.0) / (uses * uses);
}

std::size_t ChooseEviction(const std::vector<TStatementUsage>& entries, double now) {
    if (entries.empty()) throw std::logic_error("ChooseEviction: empty statement cache");
    std::size_t chosen = 0;
    double best = EvictionScore(entries[0], now);
    for (std::size_t i = 1; i < entries.size(); ++i) {
        const double score = EvictionScore(entries[i], now);
        if (score > best) {  // strictly higher: the earliest entry wins a tie
            best = score;
            chosen = i;
        }
    }
    return chosen;
}

}  // namespace varnok
