#pragma once
// The eviction rule of the prepared-statement cache. When a use pushes the
// cache past its capacity, the entry with the highest score goes:
//
//   score = ((2·now − created − last use) · 86400 + 1) · (cost² + 1) / uses²
//
// Times are day numbers with fractions, so the first factor is the entry's
// age plus idle time in seconds (plus one). Old, idle, expensive-to-keep and
// rarely used statements go first; a statement used often stays. Ties go to
// the earliest entry in the list.
#include <cstddef>
#include <functional>
#include <vector>

namespace varnok {

// The clock of the cache: day number with fraction (days since 1899-12-30,
// the usual date-time epoch of the desktop). Injectable for tests.
using TDayClock = std::function<double()>;
double NowAsDayNumber();

struct TStatementUsage {
    double created = 0;  // day number
    double lastUse = 0;  // day number
    double cost = 0;     // estimated cost (sqlerrd[3] right after prepare)
    int uses = 1;
};

double EvictionScore(const TStatementUsage& usage, double now);

// Index of the entry to evict; entries must not be empty.
std::size_t ChooseEviction(const std::vector<TStatementUsage>& entries, double now);

}  // namespace varnok
