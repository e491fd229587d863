#include "results/DataSetCommandRules.h"

namespace varnok {

bool DataSetOpen(const TDataSet* ds) { return ds && ds->Active(); }

TDataSetCommandStates DataSetCommandStates(const TDataSet* ds, bool readOnly) {
    TDataSetCommandStates s;
    if (!DataSetOpen(ds)) return s;
    const TDataSetImpl* impl = ds->Impl();
    const TRowHeader* cur = ds->CurrentRow();
    const bool editing = ds->State() == TDataSetState::dsEdit || ds->State() == TDataSetState::dsInsert;
    const bool atFirst = !cur || (impl && cur == impl->First());
    const bool atLast = !cur || (ds->AllRowsFetched() && impl && cur == impl->Last());
    s.first = s.prior = !ds->Bof() && !atFirst;
    s.next = s.last = !ds->Eof() && !atLast;
    const bool canChange = !readOnly && ds->CanModify();
    s.insert = canChange;
    s.remove = canChange && cur != nullptr;
    s.edit = canChange && !editing;
    s.post = s.cancel = editing;
    return s;
}

}  // namespace varnok
