#include "results/TableDataSetAccess.h"

#include <deque>

namespace varnok {

namespace {
// A deque: registering another kind leaves the addresses handed out valid.
std::deque<TTableDataSetKind>& Kinds() {
    static std::deque<TTableDataSetKind> kinds;
    return kinds;
}
}  // namespace

void RegisterTableDataSetKind(TTableDataSetKind kind) { Kinds().push_back(std::move(kind)); }

void ClearTableDataSetKinds() { Kinds().clear(); }

const TTableDataSetKind* FindTableDataSetKind(const TDataSet* ds) {
    if (!ds) return nullptr;
    for (const TTableDataSetKind& kind : Kinds())
        if (kind.matches && kind.matches(*ds)) return &kind;
    return nullptr;
}

}  // namespace varnok
