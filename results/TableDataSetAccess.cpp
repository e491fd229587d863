#include "results/TableDataSetAccess.h"

#include <deque>

#include "dbaccess/IfxTable.h"

namespace varnok {

namespace {
// A deque: registering another kind leaves the addresses handed out valid.
std::deque<TTableDataSetKind>& Kinds() {
    static std::deque<TTableDataSetKind> kinds;
    return kinds;
}
const TIfxTable* AsTable(const TDataSet& ds) { return dynamic_cast<const TIfxTable*>(&ds); }
TIfxTable& AsTable(TDataSet& ds) { return dynamic_cast<TIfxTable&>(ds); }

const TTableDataSetKind& IfxTableKind() {
    static const TTableDataSetKind kind{
        [](const TDataSet& ds) { return AsTable(ds) != nullptr; },
        [](const TDataSet& ds) { return AsTable(ds)->IndexFieldNames(); },
        [](TDataSet& ds, const std::string& names) { AsTable(ds).SetIndexFieldNames(names); },
        [](const TDataSet& ds) { return AsTable(ds)->Filter(); },
        [](TDataSet& ds, const std::string& filter) { AsTable(ds).SetFilter(filter); },
        [](TDataSet& ds, bool on) { AsTable(ds).SetFiltered(on); },
    };
    return kind;
}

}  // namespace

void RegisterTableDataSetKind(TTableDataSetKind kind) { Kinds().push_back(std::move(kind)); }

void ClearTableDataSetKinds() { Kinds().clear(); }

const TTableDataSetKind* FindTableDataSetKind(const TDataSet* ds) {
    if (!ds) return nullptr;
    for (const TTableDataSetKind& kind : Kinds())
        if (kind.matches && kind.matches(*ds)) return &kind;
    if (IfxTableKind().matches(*ds)) return &IfxTableKind();
    return nullptr;
}

}  // namespace varnok
